#pragma once
// Small controls for the window-system tests: one backed by a Qt line edit,
// and a push button that answers Enter and Escape as a form's default and
// cancel button.

#include "platform/Forms.h"

#include <QLineEdit>
#include <string>
#include <vector>

// A control over a QLineEdit, wanting characters and arrows as an edit does.
class TLineEditControl : public TWinControl {
public:
    explicit TLineEditControl(TComponent* owner) : TWinControl(owner)
    {
        SetBounds(0, 0, 120, 22);
        SetTabStop(true);
    }
    QLineEdit* Edit() { return static_cast<QLineEdit*>(Handle()); }
    std::vector<std::string> Focus;   // "set", "kill"

protected:
    QWidget* CreateWidget(QWidget* parent) override { return new QLineEdit(parent); }
    void WMGetDlgCode(TWMGetDlgCode& m) override { m.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; }
    void WMSetFocus(TWMSetFocus& m) override
    {
        Focus.push_back("set");
        TWinControl::WMSetFocus(m);
    }
    void WMKillFocus(TWMKillFocus& m) override
    {
        Focus.push_back("kill");
        TWinControl::WMKillFocus(m);
    }
};

// A button as the platform's: a click sets the form's modal result; Enter
// clicks a Default button and Escape a Cancel one, from anywhere on the form.
class TTestButton : public TCustomControl {
public:
    explicit TTestButton(TComponent* owner) : TCustomControl(owner)
    {
        SetBounds(0, 0, 75, 25);
        SetTabStop(true);
    }
    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    int Clicks = 0;

    void Click() override
    {
        ++Clicks;
        TCustomControl::Click();
        if (ModalResult != mrNone) {
            if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(ModalResult);
        }
    }

protected:
    void CMDialogKey(TCMDialogKey& m) override
    {
        const bool enter = m.CharCode == VK_RETURN && Default;
        const bool escape = m.CharCode == VK_ESCAPE && Cancel;
        if ((enter || escape) && Visible() && Enabled()) {
            Click();
            m.Result = 1;
            return;
        }
        TCustomControl::CMDialogKey(m);
    }
    void WMGetDlgCode(TWMGetDlgCode& m) override { m.Result = DLGC_BUTTON; }
};
