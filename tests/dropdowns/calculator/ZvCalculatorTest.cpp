// The calculator drop-down and its button panel on a shown form: key
// sequences clicked on the panel and typed into the pop-up and the edit under
// both decimal separators, memory, errors, the digit limit, and the panel's
// layout, hit testing and press-and-release clicks.
#include "dropdowns/calculator/ZvCalculatorDropDown.h"
#include "dropdowns/base/ZvDropDownForm.h"
#include "platform/Regional.h"
#include "tests/common/TestSeams.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

String WithSeparator(const char* text, QChar d)
{
    String s = QString::fromLatin1(text);
    s.replace(u'.', d);
    return s;
}

struct TCalculatorFixture : ::testing::TestWithParam<QChar> {
    TTestSeams Seams;
    std::unique_ptr<TForm> Form;
    TZvCalculatorDropdown* Calc = nullptr;

    void SetUp() override
    {
        TFormatSettings settings = FormatSettings();
        settings.DecimalSeparator = GetParam();
        settings.ThousandSeparator = GetParam() == u'.' ? u',' : u'.';
        SetFormatSettings(settings);
        Seams.SetMonitors({{Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 1024), true}});
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 400, 300);
        Calc = new TZvCalculatorDropdown(Form.get());
        Calc->SetParent(Form.get());
        Calc->SetBounds(20, 20, 200, 21);
        Form->Show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        Calc->HideDropDown(false);
        Form.reset();
        ResetFormatSettingsFromSystem();
    }
    QChar D() const { return GetParam(); }
    TCustomButtonPanel& Panel() const { return *Calc->ButtonPanel(); }
    int KeyIndex(const String& caption) const
    {
        for (int i = 0; i < Panel().Buttons()->Count(); ++i)
            if (Panel().Buttons()->GetItem(i)->Caption() == caption) return i;
        ADD_FAILURE() << "no key " << caption.toStdString();
        return -1;
    }
    // Clicks the keys named, separated by blanks ("1 2 + 3 =").
    void Click(const char* keys)
    {
        for (const String& k : QString::fromLatin1(keys).split(u' ', Qt::SkipEmptyParts)) {
            const TRect r = Panel().GetButtonRect(KeyIndex(k));
            Simulate::Click(&Panel(), Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        }
    }
    // Types the characters into the pop-up ('.' stands for the decimal separator, '\r' is Enter).
    void TypeIntoPopup(const char* keys)
    {
        for (const char* p = keys; *p; ++p) {
            if (*p == '\r') {
                Simulate::Key(Calc->DropDownForm(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
                continue;
            }
            const QChar c = *p == '.' ? D() : QChar(char16_t(*p));
            Simulate::Key(Calc->DropDownForm(), 0, Qt::NoModifier, String(c));
        }
    }
};

TEST_P(TCalculatorFixture, ClickedKeySequencesComputeInLongDouble)
{
    struct TCase {
        const char* Keys;
        const char* Shown;
    };
    const TCase cases[] = {
        {"1 2 + 3 =", "15.00"},
        {"7", "7.00"},
        {"7 8", "78.00"},
        {"2 * 3 %", "0.06"},
        {"5 + +", "10.00"},
        {"1 0 / 3 = * 3 =", "9.99"},
        {"2 0 0 + 1 0 %", "20.00"},
        {"2 0 0 + 1 0 % =", "220.00"},
        {"4 = =", "4.00"},
        {"9 / 0 =", "Error"},
        {"9 / 0 = + 2 =", "2.00"},
        {"5 +/- sqrt", "Error"},
        {"1 6 sqrt", "4.00"},
        {"4 1/x", "0.25"},
        {"0 1/x", "Error"},
        {"1 2 3 Back", "12.00"},
        {"1 2 + 3 Back", "3.00"},
        {"1 2 +/-", "-12.00"},
        {"1 2 +/- +/-", "12.00"},
        {"+ . 5", "0.50"},
        {"1 . 5 + 1 =", "2.50"},
        {"3 MS C MR", "3.00"},
        {"3 MS C 4 M+ C MR", "7.00"},
        {"3 MS MC C MR", "0.00"},
        {"8 - 2 * 3 =", "18.00"},
        {"6 CE", "0.00"},
    };
    for (const TCase& c : cases) {
        Calc->ShowDropDown();
        Click("C");
        Click(c.Keys);
        EXPECT_EQ(Calc->Text(), WithSeparator(c.Shown, D())) << c.Keys;
        Calc->HideDropDown(false);
    }
}

TEST_P(TCalculatorFixture, KeysTypedIntoThePopupFollowTheSameRules)
{
    struct TCase {
        const char* Keys;
        const char* Shown;
        bool StaysOpen;
    };
    const TCase cases[] = {
        {"12+3=", "15.00", true},
        {"2*3%", "0.06", true},
        {"5++", "10.00", true},
        {"9/0=", "Error", true},
        {"9/0=+2=", "2.00", true},
        {"7-2\r", "5.00", false},
        {"1.5*2=", "3.00", true},
    };
    for (const TCase& c : cases) {
        Calc->ShowDropDown();
        TypeIntoPopup("c");
        TypeIntoPopup(c.Keys);
        EXPECT_EQ(Calc->Text(), WithSeparator(c.Shown, D())) << c.Keys;
        EXPECT_EQ(Calc->DroppedDown(), c.StaysOpen) << c.Keys;
        Calc->HideDropDown(false);
    }
    // Escape brings back the text of the opening.
    Calc->SetText(QStringLiteral("42"));
    Calc->ShowDropDown();
    TypeIntoPopup("7+1=");
    Simulate::Key(Calc->DropDownForm(), Qt::Key_Escape);
    EXPECT_FALSE(Calc->DroppedDown());
    EXPECT_EQ(Calc->Text(), WithSeparator("42.00", D()));
    // Backspace in the pop-up drops the last character; the decimals come back.
    Calc->SetText(WithSeparator("12.34", D()));
    Calc->ShowDropDown();
    Simulate::Key(Calc->DropDownForm(), Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(Calc->Text(), WithSeparator("12.30", D()));
}

TEST_P(TCalculatorFixture, OperatorKeysTypedIntoTheClosedEditActAtOnce)
{
    Calc->SetFocus();
    Calc->SetText(QStringLiteral("12"));
    Simulate::Type(Calc, QStringLiteral("+3="));
    EXPECT_EQ(Calc->Text(), WithSeparator("15.00", D()));
    Simulate::Type(Calc, QStringLiteral("*2"));
    Simulate::Key(Calc, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(Calc->Text(), WithSeparator("30.00", D()));
    Simulate::Type(Calc, QStringLiteral("c"));
    EXPECT_EQ(Calc->Text(), WithSeparator("0.00", D()));
    EXPECT_EQ(Calc->PendingOperation(), -1);
    // Letters never reach the text.
    Simulate::Type(Calc, QStringLiteral("x"));
    EXPECT_EQ(Calc->Text(), WithSeparator("0.00", D()));
}

TEST_P(TCalculatorFixture, MemoryValueAndThousandSeparators)
{
    Calc->SetShowThousandSeparator(true);
    Calc->SetValue(1234567.5);
    const QChar t = FormatSettings().ThousandSeparator;
    EXPECT_EQ(Calc->Text(), String(QStringLiteral("1")) + t + QStringLiteral("234") + t + QStringLiteral("567") + D() + QStringLiteral("50"));
    // MS keeps the number without its separators.
    Calc->ShowDropDown();
    Click("MS");
    EXPECT_EQ(double(Calc->Memory()), 1234567.5);
    Calc->SetShowThousandSeparator(false);
    EXPECT_EQ(Calc->Text(), WithSeparator("1234567.50", D()));
    // MS on "Error" stores 0.
    Click("0 1/x MS");
    EXPECT_EQ(Calc->Text(), QStringLiteral("Error"));
    EXPECT_EQ(double(Calc->Memory()), 0.0);
    // Value never raises: an unconvertible text reads as 0, an empty one becomes "0".
    Calc->AssignEditText(QStringLiteral("abc"));
    EXPECT_EQ(Calc->Value(), 0.0);
    Calc->AssignEditText(String());
    EXPECT_EQ(Calc->Value(), 0.0);
    EXPECT_EQ(Calc->Text(), WithSeparator("0.00", D()));
}

TEST_P(TCalculatorFixture, AShownTextThatIsNoNumberReadsAsZeroForOperators)
{
    Calc->ShowDropDown();
    Click("5 +");
    Calc->AssignEditText(QStringLiteral("1x"));
    EXPECT_NO_THROW(Click("="));
    EXPECT_EQ(Calc->Text(), WithSeparator("5.00", D()));
    Calc->AssignEditText(QStringLiteral("??"));
    EXPECT_NO_THROW(Click("%"));
    EXPECT_EQ(Calc->Text(), WithSeparator("0.00", D()));
    // Delete on "Error" turns it into 0.
    Click("0 1/x");
    Calc->HideDropDown(false);
    Calc->SetFocus();
    Calc->SetSelStart(0);
    Calc->SetSelLength(5);
    Simulate::Key(Calc, Qt::Key_Delete);
    EXPECT_EQ(Calc->Text(), WithSeparator("0.00", D()));
}

TEST_P(TCalculatorFixture, DecimalDigitsStopAfterNine)
{
    Calc->SetPrecision(-1);
    Calc->ShowDropDown();
    Click("C . 1 2 3 4 5 6 7 8 9 1 2 3");
    EXPECT_EQ(Calc->Text(), WithSeparator("0.123456789", D()));
    EXPECT_FALSE(Calc->Text().contains(QStringLiteral("inf")));
}

TEST_P(TCalculatorFixture, AFullEditIgnoresDigitSignAndPointButtons)
{
    Calc->ShowDropDown();
    Click("1 2");
    Calc->SetMaxLength(5);
    Calc->SetModified(false);
    ASSERT_EQ(Calc->Text().size(), 5);
    Click("3 +/- .");
    EXPECT_EQ(Calc->Text(), WithSeparator("12.00", D()));
    EXPECT_FALSE(Calc->Modified());
    // Operators still work and mark the edit modified.
    Click("+");
    EXPECT_TRUE(Calc->Modified());
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, TCalculatorFixture, ::testing::Values(QChar(u'.'), QChar(u',')));

TEST(TCalculatorStyleTest, ButtonColoursFollowTheStyle)
{
    TTestSeams seams;
    TForm form(nullptr);
    auto* calc = new TZvCalculatorDropdown(&form);
    // The default style's colours are there from the start.
    EXPECT_EQ(calc->CalcButtonAppearance()->Color(), calc->ButtonAppearance()->Color());
    EXPECT_EQ(calc->CalcButtonAppearance()->GlowColorDown(), TColor(0xD5C244));
    EXPECT_EQ(calc->CalcButtonAppearance()->GlowColorHot(), calc->ButtonAppearance()->ColorDownTo());
    calc->SetComponentStyle(TZvStyle::tsOffice2010Blue);
    EXPECT_EQ(calc->CalcButtonAppearance()->ColorHotTo(), calc->ButtonAppearance()->ColorHotTo());
    EXPECT_EQ(calc->CalcButtonAppearance()->GlowColorHot(), calc->ButtonAppearance()->ColorHot());
    EXPECT_EQ(calc->CalcButtonAppearance()->GlowColorDown(), calc->ButtonAppearance()->ColorHot());
    EXPECT_EQ(calc->DropDownWidth(), 230);
    EXPECT_EQ(calc->Precision(), 2);
    EXPECT_FALSE(calc->DropDownHeader()->Visible());
}

// ---- Button panel ----------------------------------------------------------------------------------
struct TPanelFixture : ::testing::Test {
    TTestSeams Seams;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TCustomButtonPanel* Panel = nullptr;
    std::vector<int> Clicks;

    void SetUp() override
    {
        Form->SetBounds(0, 0, 400, 300);
        Panel = new TCustomButtonPanel(Form.get());
        Panel->SetParent(Form.get());
        Panel->SetBounds(10, 10, 230, 150);
        Panel->Loaded();
        Panel->OnButtonClick = [this](TObject*, int i) { Clicks.push_back(i); };
        Form->Show();
        QApplication::processEvents();
    }
    TPoint Centre(int i) const
    {
        const TRect r = Panel->GetButtonRect(i);
        return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
};

TEST_F(TPanelFixture, LaysOutTwentyEightKeysInSixColumnsAndFiveRows)
{
    ASSERT_EQ(Panel->Buttons()->Count(), 28);
    // Area 214 x 134: keys 34 x 26; rows at 8, 38, 63, 88, 113; columns 8, 46, 79, 112, 150, 183.
    struct TCase {
        const char* Caption;
        TRect R;
    };
    const TCase cases[] = {
        {"", Rect(8, 8, 42, 34)},       {"Back", Rect(46, 8, 100, 34)}, {"CE", Rect(104, 8, 158, 34)},
        {"C", Rect(162, 8, 217, 34)},   {"MC", Rect(8, 38, 42, 64)},    {"7", Rect(46, 38, 80, 64)},
        {"8", Rect(79, 38, 113, 64)},   {"9", Rect(112, 38, 146, 64)},  {"/", Rect(150, 38, 184, 64)},
        {"sqrt", Rect(183, 38, 217, 64)}, {"M+", Rect(8, 113, 42, 139)}, {"=", Rect(183, 113, 217, 139)},
        {".", Rect(112, 113, 146, 139)},
    };
    for (const TCase& c : cases) {
        int index = -1;
        for (int i = 0; i < 28; ++i)
            if (Panel->Buttons()->GetItem(i)->Caption() == QString::fromLatin1(c.Caption)) index = i;
        ASSERT_GE(index, 0) << c.Caption;
        EXPECT_EQ(Panel->GetButtonRect(index), c.R) << c.Caption;
    }
    EXPECT_EQ(Panel->Buttons()->GetItem(27)->Tag(), 37);
    EXPECT_TRUE(Panel->Buttons()->GetItem(27)->Special());
    EXPECT_EQ(Panel->Buttons()->GetItem(27)->CaptionColor(), TColor(0x80));
    // The shared pixel line between 7 and 8 belongs to the lower index (7 is 11, 8 is 12).
    EXPECT_EQ(Panel->ButtonAt(79, 50), 11);
    EXPECT_EQ(Panel->GetButtonRect(99), Rect(-1, -1, -1, -1));
    // A resize lays out anew; the wide keys still end at the sqrt column's right edge.
    Panel->SetBounds(10, 10, 300, 200);
    EXPECT_EQ(Panel->GetButtonRect(3).Right, Panel->GetButtonRect(27).Right);
    EXPECT_EQ(Panel->GetButtonRect(27).Width(), (284 - 8) / 6);
}

TEST_F(TPanelFixture, AClickNeedsPressAndReleaseOnTheSameEnabledKey)
{
    Simulate::Click(Panel, Centre(9));
    EXPECT_EQ(Clicks, std::vector<int>{9});
    Simulate::MouseDown(Panel, Centre(9));
    EXPECT_EQ(Panel->ButtonDown(), 9);
    Simulate::MouseUp(Panel, Centre(10));
    EXPECT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(Panel->ButtonDown(), -1);
    Panel->Buttons()->GetItem(10)->SetEnabled(false);
    Simulate::MouseMove(Panel, Centre(10));
    EXPECT_EQ(Panel->ButtonHot(), -1);
    Simulate::Click(Panel, Centre(10));
    EXPECT_EQ(Clicks.size(), 1u);
    Simulate::MouseMove(Panel, Centre(12));
    EXPECT_EQ(Panel->ButtonHot(), 12);
    Simulate::Leave(Panel);
    EXPECT_EQ(Panel->ButtonHot(), -1);
}

TEST_F(TPanelFixture, LaysOutOnlyAFullSetAndBuildsOnlyIntoAnEmptyOne)
{
    const TRect before = Panel->GetButtonRect(5);
    Panel->CreateDefaultButtons();
    EXPECT_EQ(Panel->Buttons()->Count(), 28);
    // Fewer keys than the calculator's: the layout leaves them alone instead of raising.
    Panel->ClearButtons();
    TButtonItem* only = Panel->Buttons()->Add();
    only->SetCaption(QStringLiteral("X"));
    EXPECT_NO_THROW(Panel->LayoutButtons());
    EXPECT_EQ(only->GetRect(), Rect(0, 0, 0, 0));
    EXPECT_THROW(Panel->Buttons()->GetItem(5), Exception);
    Panel->ResetButtons();
    EXPECT_EQ(Panel->Buttons()->Count(), 28);
    EXPECT_EQ(Panel->GetButtonRect(5), before);
    // Assign copies the caption, tag and name, not the special flag.
    TButtonItem copy;
    copy.Assign(Panel->Buttons()->GetItem(27));
    EXPECT_EQ(copy.Caption(), QStringLiteral("sqrt"));
    EXPECT_EQ(copy.Name(), QStringLiteral("BTN_sqrt"));
    EXPECT_FALSE(copy.Special());
}

} // namespace
