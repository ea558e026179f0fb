// Every test program starts here: Qt on the offscreen platform, then GoogleTest.
#include "platform/Clipbrd.h"
#include "platform/Forms.h"
#include "platform/Seams.h"
#include "tests/common/TestSeams.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// Outside a TTestSeams scope nothing may wait for a user or leave the
// machine: an unscripted box, dialog, modal loop, link, program or menu fails
// the test at once instead of hanging it or reaching the desktop.
void RefuseUnscriptedInteraction()
{
    TSeamHandlers& seams = Seams();
    seams.MessageBox = [](const TMessageBoxRequest& request) {
        ADD_FAILURE() << "message box outside a test seam: " << request.Text.toStdString();
        return request.CancelButton;
    };
    seams.FileDialog = [](const TFileDialogRequest& request) {
        ADD_FAILURE() << "file dialog outside a test seam: " << request.Title.toStdString();
        return TFileDialogAnswer{};
    };
    seams.ModalStep = [](TCustomForm& form) {
        ADD_FAILURE() << "modal form outside a test seam: " << form.ClassName().toStdString();
        form.SetModalResult(mrCancel);
    };
    seams.OpenUrl = [](const String& url) {
        ADD_FAILURE() << "web link opened outside a test seam: " << url.toStdString();
        return false;
    };
    seams.StartProgram = [](const TProgramStart& start) -> std::shared_ptr<TProcessHandle> {
        ADD_FAILURE() << "program started outside a test seam: " << start.Path.toStdString();
        return nullptr;
    };
    seams.PopupMenu = [](TPopupMenu*, int, int) { ADD_FAILURE() << "pop-up menu outside a test seam"; };
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    RefuseUnscriptedInteraction();
    // Copies and pastes stay inside the test program; a test that means Qt's clipboard installs it.
    SetClipboardStore(std::make_shared<TMemoryClipboardStore>());
    return RUN_ALL_TESTS();
}
