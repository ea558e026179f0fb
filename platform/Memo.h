#pragma once
// The multi-line edit.

#include "platform/Controls.h"
#include "platform/Grids.h"

#include <QPointer>
#include <memory>

class QPlainTextEdit;
class QObject;

// Text holds the lines joined with line breaks. Setting it by code fires
// OnChange when it differs, as typing does on every change. MaxLength limits
// what the user types (0: no limit), not what code sets.
class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* AOwner);
    ~TMemo() override;

    String Text() const { return GetText(); }
    void SetText(const String& value) { SetTextValue(value); }
    int LineCount() const;
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    void SelectAll();
    int SelStart() const;
    int SelLength() const;

    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    String GetText() const override;
    void SetTextValue(const String& value) override;
    virtual void Change();

private:
    void ShowState();
    void UserEdited();

    QPointer<QPlainTextEdit> FEdit;
    std::unique_ptr<QObject> FLink;
    bool FReadOnly = false;
    int FMaxLength = 0;
    TScrollStyle FScrollBars = TScrollStyle::ssNone;
    bool FWordWrap = true;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
};
