#pragma once
// A shown form holding one drop-down, on one monitor, with the test clock.
#include "dropdowns/base/ZvDropDownForm.h"
#include "platform/Forms.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

#include <memory>

template <class TDropDown>
struct TPickerFixture : ::testing::Test {
    TTestSeams Seams;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TDropDown* Edit = nullptr;

    void SetUp() override
    {
        Seams.SetMonitors({{Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 1024), true}});
        Form->SetBounds(0, 0, 400, 300);
        Edit = new TDropDown(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(20, 20, 200, 21);
        Form->Show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        Edit->HideDropDown(false);
        Form.reset();
    }
    // One keystroke at the edit (key down, character, key up).
    void Press(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const String& text = {})
    {
        Simulate::Key(Edit, qtKey, modifiers, text);
    }
    void Open()
    {
        Edit->ShowDropDown();
        ASSERT_TRUE(Edit->DroppedDown());
    }
};

// A shown gallery window of type TWindow, on one monitor, with the screenshot folder made.
template <class TWindow>
struct TGalleryWindowFixture : ::testing::Test {
    TTestSeams Seams;
    std::unique_ptr<TWindow> Form;
    void SetUp() override
    {
        Seams.SetMonitors({{Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 1024), true}});
        Form = std::make_unique<TWindow>(nullptr);
        Form->Show();
        QApplication::processEvents();
        QDir().mkpath(ScreenshotFolder());
    }
};
