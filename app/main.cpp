// The program entry: the application, its windows, the message loop.
#include "core/UComon.h"
#include "platform/Forms.h"

#include <QApplication>

namespace {

// Stands in for the configurator's main window until the real one is built:
// the program starts, shows its window under the product's title and ends
// when it is closed.
class TFMainPlaceholder : public TForm {
public:
    explicit TFMainPlaceholder(TComponent* AOwner) : TForm(AOwner)
    {
        SetCaption(Maker_Web_Host + QStringLiteral(" - Configurator ") + Built_In_Software_Code + QStringLiteral(" - ") +
                   Built_In_Software_Description + u' ');
        SetColor(0xEDF7F8);
        SetClientWidth(694);
        SetClientHeight(440);
        SetPosition(TPosition::poScreenCenter);
    }
};

TFMainPlaceholder* FMain = nullptr;

} // namespace

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    Application->Initialize();
    Application->CreateForm(FMain);
    Application->Run();
    Application->DestroyForms();
    return 0;
}
