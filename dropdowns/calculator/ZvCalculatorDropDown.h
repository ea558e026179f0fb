#pragma once
// A numeric drop-down edit whose pop-up is a pocket calculator: digits and
// operators typed into the edit or the pop-up, or clicked on the button
// panel, chain operations on a running result; the edit always shows the
// number being entered or the last result, and that text is the value.
// Arithmetic runs in long double; the display follows the edit's float kind
// (Precision decimals, thousand separators with ShowThousandSeparator).

#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/calculator/ZvButtonPanel.h"

#include <cstdint>
#include <memory>

class TZvCalculatorDropdown : public TZvCustomDropDown {
public:
    explicit TZvCalculatorDropdown(TComponent* AOwner);
    ~TZvCalculatorDropdown() override;

    TButtonAppearance* CalcButtonAppearance() const { return FCalcButtonAppearance.get(); }
    void SetCalcButtonAppearance(TButtonAppearance* value) { FCalcButtonAppearance->Assign(value); }
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    void SetShowThousandSeparator(bool value);
    // The shown number; an empty text first becomes "0"; a text that is no number reads as 0.
    double Value();
    void SetValue(double value);
    // Equals.
    void CalcResult();

    TCustomButtonPanel* ButtonPanel() const { return FZvButtonPanel; }
    long double Memory() const { return FMVal; }
    long double PreviousValue() const { return FPrevval; }
    int PendingOperation() const { return FPrevop; }

    void SetComponentStyle(TZvStyle AStyle) override;

    // The edit's key press rules, which the grid's calculator editor calls too.
    void KeyPressHook(QChar& Key);
    using TZvCustomDropDown::ButtonClick;
    // The panel's click on the button at Index.
    void ButtonClick(TObject* Sender, int Index);

protected:
    // Called first whenever a click or a key typed into the pop-up is about to be handled.
    virtual void BeforeCalcInput() {}

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void CloseDropDownForm(bool CancelChanges) override;
    void FormKeyPress(QChar& Key) override;
    void FormKeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WMChar(TWMKey& Message) override;
    void WMKeyDown(TWMKey& Message) override;

private:
    void ApplyPendingOperation();
    void AddOperation() { Operation(0); }
    void MultiplyOperation() { Operation(1); }
    void SubtractOperation() { Operation(2); }
    void DivideOperation() { Operation(3); }
    void Operation(int code);
    void PercentOperation();
    void PopupKeyRules(QChar Key);
    void Clear(bool newValue, bool clearResult);
    void ZeroWhenEmptyOrError();
    // The shown text without thousand separators as a number; false when it is none.
    bool ShownNumber(long double& value) const;
    long double ShownNumberOrZero() const;
    bool Full() const;
    void CopyButtonColors(TZvStyle AStyle);
    // The value in the shortest general form with 15 significant digits and the regional separator.
    static String GeneralText(long double value);

    TCustomButtonPanel* FZvButtonPanel = nullptr;
    std::int64_t FDecim = 0;
    bool FNewval = false;
    long double FPrevval = 0;
    int FPrevop = -1;
    bool FCalcClosed = true;
    std::unique_ptr<TButtonAppearance> FCalcButtonAppearance;
    long double FMVal = 0;
    bool FShowThousandSeparator = false;
    String FTextAtOpening;
    // The calculator's key rules ran already for the character now in the edit's own handling.
    bool FKeyRulesDone = false;
};
