// The drop-down edit on a shown form: placement on the monitor's work area,
// the OnDropDown veto, the reopen guard on the tick clock, Escape and Alt+Down,
// refusals, text kinds under both decimal separators, the label, styles, the
// strips' buttons and grip, the item selector and the gallery's picture.
#include "dropdowns/base/ZvCustomDropDown.h"
#include "dropdowns/base/ZvDropDownForm.h"
#include "dropdowns/base/ZvDropDownStrips.h"
#include "dropdowns/base/ZvItemSelector.h"
#include "examples/gallery/Gallery.h"
#include "platform/Regional.h"
#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct TDropDownFixture : ::testing::Test {
    TTestSeams Seams;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TZvCustomDropDown* Edit = nullptr;
    int Opened = 0;

    void SetUp() override
    {
        Form->SetBounds(0, 0, 400, 300);
        Edit = new TZvCustomDropDown(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(20, 20, 200, 21);
        Edit->SetDropDownWidth(150);
        Edit->SetDropDownHeight(100);
        Edit->OnBeforeDropDown = [this](TObject*) { ++Opened; };
        Form->Show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        Edit->HideDropDown(false);
        Form.reset();
    }
    TPoint EditOnScreen() const { return Form->ClientToScreen(Point(Edit->Left(), Edit->Top())); }
    TDropDownForm& Popup() const { return *Edit->DropDownForm(); }
    // One monitor whose bottom lies `below` pixels under the edit's top.
    void OneMonitor(int width, int height, int left = 0)
    {
        Seams.SetMonitors({{Rect(left, 0, left + width, height), Rect(left, 0, left + width, height), true}});
    }
    // A press outside the pop-up, as the user's click elsewhere.
    void PressOutside() { Simulate::MouseDown(Form.get(), Point(350, 250)); Simulate::MouseUp(Form.get(), Point(350, 250)); }
};

TEST_F(TDropDownFixture, OpensBelowUnlessTheScreenEndsThere)
{
    const TPoint p = EditOnScreen();
    struct TCase {
        int ScreenHeight;
        bool Below;
    };
    // The screen must be taller than the edit's top plus the pop-up: equal opens upward.
    for (const TCase c : {TCase{p.Y + 101, true}, TCase{p.Y + 100, false}}) {
        OneMonitor(1280, c.ScreenHeight);
        Edit->ShowDropDown();
        ASSERT_TRUE(Edit->DroppedDown());
        EXPECT_EQ(Popup().Top(), c.Below ? p.Y + Edit->Height() - 1 : p.Y - 100) << c.ScreenHeight;
        Edit->HideDropDown(false);
    }
}

TEST_F(TDropDownFixture, ShiftsLeftToTheWorkAreaOfTheEditsOwnMonitor)
{
    const TPoint p = EditOnScreen();
    // The edit's monitor stands left of the primary one (negative left edge).
    Seams.SetMonitors({{Rect(-1000, 0, 0, 1000), Rect(-1000, 0, 0, 1000), false},
                       {Rect(0, 0, p.X + 100, 1000), Rect(0, 0, p.X + 100, 960), true}});
    Edit->ShowDropDown();
    EXPECT_EQ(Popup().Left(), p.X + 100 - 150);
    Edit->HideDropDown(false);
    Seams.SetMonitors({{Rect(-2000, 0, -800, 1000), Rect(-2000, 0, -800, 1000), true},
                       {Rect(-800, 0, p.X + 100, 1000), Rect(-800, 0, p.X + 100, 1000), false}});
    Edit->ShowDropDown();
    EXPECT_EQ(Popup().Left(), p.X + 100 - 150) << "a work area with a negative left edge shifts too";
}

TEST_F(TDropDownFixture, KeepsTheUserSizeUntilDropDownWidthChanges)
{
    OneMonitor(1280, 1000);
    Edit->ShowDropDown();
    Popup().SizeTo(220, 160);
    Edit->HideDropDown(false);
    Edit->ShowDropDown();
    EXPECT_EQ(Popup().Width(), 220);
    EXPECT_EQ(Popup().Height(), 160);
    Edit->HideDropDown(false);
    Edit->SetDropDownWidth(180);
    EXPECT_EQ(Edit->UserDropDownWidth(), -1);
    Edit->ShowDropDown();
    EXPECT_EQ(Popup().Width(), 180);
}

TEST_F(TDropDownFixture, OnDropDownVetoLeavesItClosed)
{
    Edit->OnDropDown = [](TObject*, bool& accept) { accept = false; };
    Edit->ShowDropDown();
    EXPECT_EQ(Opened, 1);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_FALSE(Popup().Visible());
}

// After a press outside closed it, a click on the arrow reopens only when
// more than 250 ms have passed; the difference is taken on 32-bit ticks.
TEST(TDropDownGuard, ReopensOnlyAfter250MsAcrossATickWrap)
{
    for (const std::uint64_t start : {std::uint64_t(1000000), (std::uint64_t(1) << 32) - 100}) {
        for (const auto& [after, reopens] : {std::pair{249, false}, {250, false}, {251, true}}) {
            TTestSeams seams;
            seams.Clock().Advance(start - seams.Clock().Now());
            TForm form(nullptr);
            form.SetBounds(0, 0, 400, 300);
            auto* edit = new TZvCustomDropDown(&form);
            edit->SetParent(&form);
            edit->SetBounds(20, 20, 200, 21);
            edit->SetDropDownHeight(80);
            form.Show();
            QApplication::processEvents();
            edit->ShowDropDown();
            ASSERT_TRUE(edit->DroppedDown());
            Simulate::MouseDown(&form, Point(350, 250));
            EXPECT_FALSE(edit->DroppedDown());
            seams.Clock().Advance(std::uint64_t(after));
            // The arrow's release reports to its container, whose click is the edit's ButtonClick.
            edit->Button()->OnClick(edit->Button());
            EXPECT_EQ(edit->DroppedDown(), reopens) << "start " << start << ", after " << after;
            edit->HideDropDown(false);
        }
    }
}

TEST_F(TDropDownFixture, EscapeInThePopupRestoresTheAssignedText)
{
    Edit->SetText(QStringLiteral("Red"));
    bool cancelled = false;
    Edit->OnDropUp = [&](TObject*, bool c) { cancelled = c; };
    Edit->ShowDropDown();
    Edit->AssignEditText(QStringLiteral("Redx"));
    Simulate::Key(&Popup(), Qt::Key_Escape);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Red"));
    Edit->ShowDropDown();
    Edit->AssignEditText(QStringLiteral("Blue"));
    Simulate::Key(&Popup(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(Edit->Text(), QStringLiteral("Blue"));
}

TEST_F(TDropDownFixture, OneAltDownTogglesOnce)
{
    Edit->SetFocus();
    Simulate::Key(Edit, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Opened, 1);
    Simulate::Key(Edit, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(Edit->DroppedDown());
}

TEST_F(TDropDownFixture, ReadOnlyAndDisabledNeverOpen)
{
    for (int way = 0; way < 2; ++way) {
        Edit->SetReadOnly(way == 0);
        Edit->SetEnabled(way != 1);
        Edit->ShowDropDown();
        Edit->ButtonClick();
        Edit->Perform(WM_KEYDOWN, VK_F4, 0);
        EXPECT_FALSE(Edit->DroppedDown()) << way;
        EXPECT_EQ(Opened, 0);
    }
}

// ---- Text kinds ----------------------------------------------------------------------------
struct TKindCase {
    TDropDownEditType Kind;
    int Precision;
    const char* Text;
    int Caret;
    int SelLength;
    char16_t Key;
    const char* Result;   // "." stands for the decimal separator
    int ResultCaret;
};

String WithSeparator(const char* text, QChar d)
{
    String s = QString::fromLatin1(text);
    s.replace(u'.', d);
    return s;
}

class TTextKinds : public ::testing::TestWithParam<QChar> {};

TEST_P(TTextKinds, TypedCharactersFollowTheKind)
{
    const QChar d = GetParam();
    TFormatSettings settings = FormatSettings();
    settings.DecimalSeparator = d;
    settings.ThousandSeparator = d == u'.' ? u',' : u'.';
    SetFormatSettings(settings);
    TTestSeams seams;
    TForm form(nullptr);
    auto* edit = new TZvCustomDropDown(&form);
    edit->SetParent(&form);
    form.Show();
    const TKindCase cases[] = {
        {TDropDownEditType::etFloat, 2, "1.50", 3, 0, u'7', "1.57", 4},
        {TDropDownEditType::etFloat, 2, "1.50", 4, 0, u'7', "1.50", 4},
        {TDropDownEditType::etFloat, 2, "1.50", 1, 0, u'.', "1.50", 2},
        {TDropDownEditType::etFloat, 2, "", 0, 0, u'.', "0.", 2},
        {TDropDownEditType::etNumeric, 0, "12", 2, 0, u'a', "12", 2},
        {TDropDownEditType::etNumeric, 0, "12", 2, 0, u'3', "123", 3},
        {TDropDownEditType::etHex, 0, "1F", 2, 0, u'g', "1F", 2},
        {TDropDownEditType::etAlphaNumeric, 0, "ab", 2, 0, u'-', "ab", 2},
        {TDropDownEditType::etRange, 0, "1", 1, 0, u',', "1,", 2},
        {TDropDownEditType::etRange, 0, "1,", 2, 0, u';', "1,", 2},
    };
    for (const TKindCase& c : cases) {
        edit->SetEditKind(TDropDownEditType::etString);
        edit->SetPrecision(0);
        edit->SetEditKind(c.Kind);
        edit->AssignEditText(WithSeparator(c.Text, d));
        if (c.Precision) edit->SetPrecision(c.Precision);
        edit->AssignEditText(WithSeparator(c.Text, d));
        edit->SetSelStart(c.Caret);
        edit->SetSelLength(c.SelLength);
        const QChar key = c.Key == u'.' ? d : QChar(c.Key);
        Simulate::Key(edit, 0, Qt::NoModifier, String(key));
        EXPECT_EQ(edit->Text(), WithSeparator(c.Result, d)) << c.Text << " + " << char(c.Key);
        EXPECT_EQ(edit->SelStart(), c.ResultCaret) << c.Text << " + " << char(c.Key);
    }
    ResetFormatSettingsFromSystem();
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, TTextKinds, ::testing::Values(QChar(u'.'), QChar(u',')));

// Ctrl+V into each kind: the value with the clipboard text in place of the selection, kept only when the
// kind takes it whole. A result caret of -1 means the whole value ends selected.
struct TPasteCase {
    TDropDownEditType Kind;
    int Precision;
    bool AllowNegative;
    const char* Text;
    int Caret;
    int SelLength;
    const char* Clip;
    const char* Result;   // "." stands for the decimal separator, "," for the thousand separator
    int ResultCaret;
};

class TPasteKinds : public ::testing::TestWithParam<QChar> {};

TEST_P(TPasteKinds, PastedTextFollowsTheKind)
{
    const QChar d = GetParam();
    const QChar t = d == u'.' ? u',' : u'.';
    TFormatSettings settings = FormatSettings();
    settings.DecimalSeparator = d;
    settings.ThousandSeparator = t;
    SetFormatSettings(settings);
    const auto local = [&](const char* text) {
        String s = QString::fromLatin1(text);
        for (QChar& c : s) c = c == u'.' ? d : c == u',' ? t : c;
        return s;
    };
    TTestSeams seams;
    TForm form(nullptr);
    auto* edit = new TZvCustomDropDown(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 200, 21);
    form.Show();
    using K = TDropDownEditType;
    const TPasteCase cases[] = {
        {K::etString, 0, false, "ab", 1, 0, "XY", "aXYb", 3},
        {K::etString, 0, false, "abcd", 1, 2, "-", "a-d", 2},
        {K::etPassword, 0, false, "ab", 2, 0, "c", "abc", 3},
        {K::etNumeric, 0, false, "12", 2, 0, "34", "1234", 4},
        {K::etNumeric, 0, false, "12", 2, 0, "12a", "12", 2},
        {K::etNumeric, 0, false, "12", 0, 0, "-", "12", 0},
        {K::etNumeric, 0, true, "12", 0, 0, "-", "-12", 1},
        {K::etFloat, 0, false, "", 0, 0, "1.5", "", 0},
        {K::etFloat, 0, false, "1", 1, 0, "5", "15", 2},
        {K::etFloat, 2, false, "", 0, 0, "1.5", "1.50", 3},
        {K::etFloat, 2, false, "", 0, 0, "x", "", 0},
        {K::etMoney, 2, false, "", 0, 0, "1234.5", "1,234.50", -1},
        {K::etUppercase, 0, false, "ab", 2, 0, "cd", "ABCD", 4},
        {K::etLowerCase, 0, false, "x", 1, 0, "YZ", "xyz", 3},
        {K::etMixedCase, 0, false, "john", 4, 0, " SMITH", "John Smith", 10},
        {K::etAlphaNumeric, 0, false, "ab", 2, 0, "c1", "abc1", 4},
        {K::etAlphaNumeric, 0, false, "ab", 2, 0, "c-1", "ab", 2},
        {K::etRange, 0, false, "1,", 2, 0, "2", "1,", 2},
        {K::etHex, 0, false, "1F", 2, 0, "A", "1F", 2},
    };
    for (const TPasteCase& c : cases) {
        edit->SetEditKind(K::etString);
        edit->SetPrecision(0);
        edit->SetEditKind(c.Kind);
        edit->SetAllowNegative(c.AllowNegative);
        edit->SetAllowEmptyNumber(true);
        if (c.Precision) edit->SetPrecision(c.Precision);
        edit->AssignEditText(local(c.Text));
        edit->SetSelStart(c.Caret);
        edit->SetSelLength(c.SelLength);
        edit->SetModified(false);
        QGuiApplication::clipboard()->setText(local(c.Clip));
        Simulate::Key(edit, Qt::Key_V, Qt::ControlModifier);
        const String where = QStringLiteral("%1 + %2").arg(QString::fromLatin1(c.Text), QString::fromLatin1(c.Clip));
        const String expected = local(c.Result);
        EXPECT_EQ(edit->Text(), expected) << where.toStdString();
        const bool pasted = expected != local(c.Text);
        EXPECT_EQ(edit->Modified(), pasted) << where.toStdString();
        if (c.ResultCaret < 0) {
            EXPECT_EQ(edit->SelStart(), 0) << where.toStdString();
            EXPECT_EQ(edit->SelLength(), expected.size()) << where.toStdString();
        } else {
            EXPECT_EQ(edit->SelStart(), c.ResultCaret) << where.toStdString();
        }
    }
    ResetFormatSettingsFromSystem();
}

INSTANTIATE_TEST_SUITE_P(BothSeparators, TPasteKinds, ::testing::Values(QChar(u'.'), QChar(u',')));

TEST_F(TDropDownFixture, PasteIsRefusedByTheHandlerTheLengthLimitOrReadOnly)
{
    Edit->AssignEditText(QStringLiteral("ab"));
    QGuiApplication::clipboard()->setText(QStringLiteral("cd"));
    const auto paste = [&] {
        Edit->SetSelStart(2);
        Simulate::Key(Edit, Qt::Key_V, Qt::ControlModifier);
        return Edit->Text();
    };

    String offered;
    Edit->OnClipboardPaste = [&](TObject*, String& value, bool& allow) {
        offered = value;
        allow = false;
    };
    EXPECT_EQ(paste(), QStringLiteral("ab"));
    EXPECT_EQ(offered, QStringLiteral("abcd")) << "the handler sees the value as it would be";
    Edit->OnClipboardPaste = nullptr;

    Edit->SetMaxLength(3);
    EXPECT_EQ(paste(), QStringLiteral("ab"));
    Edit->SetMaxLength(4);
    EXPECT_EQ(paste(), QStringLiteral("abcd"));

    Edit->AssignEditText(QStringLiteral("ab"));
    Edit->SetReadOnly(true);
    EXPECT_EQ(paste(), QStringLiteral("ab"));
}

TEST_F(TDropDownFixture, TextGetterStripsTheSuffixOnlyWhenTheTextEndsWithIt)
{
    Edit->SetTextPrefix(QStringLiteral("$ "));
    Edit->SetTextSuffix(QStringLiteral(" kg"));
    Edit->SetText(QStringLiteral("12"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("12"));
    Edit->AssignEditText(QStringLiteral("$ 12 k"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("12 k"));
}

TEST_F(TDropDownFixture, EmptyNumericTextShowsZero)
{
    Edit->SetEditKind(TDropDownEditType::etNumeric);
    Edit->SetText(String());
    EXPECT_EQ(Edit->Text(), QStringLiteral("0"));
}

// ---- Label ----------------------------------------------------------------------------------
TEST_F(TDropDownFixture, LabelStandsInItsFifteenPlaces)
{
    Edit->SetLabelCaption(QStringLiteral("Name"));
    TLabel* label = Edit->EditLabel();
    ASSERT_NE(label, nullptr);
    Edit->SetLabelMargin(4);
    const int l = Edit->Left(), t = Edit->Top(), ew = Edit->Width(), eh = Edit->Height();
    const int lw = label->Width(), lh = label->Height(), w = label->TextSize().cx, m = 4;
    const int vc = lh < eh ? t + (eh - lh) / 2 : t - (lh - eh) / 2;
    const int hc = lw < ew ? l + (ew - lw) / 2 : l - (lw - ew) / 2;
    const struct {
        TLabelPosition Position;
        int Left, Top;
    } cases[] = {
        {TLabelPosition::lpLeftTop, l - w - m, t},        {TLabelPosition::lpLeftCenter, l - w - m, vc},
        {TLabelPosition::lpLeftBottom, l - w - m, t + eh - lh}, {TLabelPosition::lpTopLeft, l, t - lh - m},
        {TLabelPosition::lpBottomLeft, l, t + eh + m},    {TLabelPosition::lpLeftTopLeft, l - m, t},
        {TLabelPosition::lpLeftCenterLeft, l - m, vc},    {TLabelPosition::lpLeftBottomLeft, l - m, t + eh - lh},
        {TLabelPosition::lpTopCenter, hc, t - lh - m},    {TLabelPosition::lpBottomCenter, hc, t + eh + m},
        {TLabelPosition::lpRightTop, l + ew + m, t},      {TLabelPosition::lpRightCenter, l + ew + m, vc},
        {TLabelPosition::lpRighBottom, l + ew + m, t + eh - lh}, {TLabelPosition::lpTopRight, l + ew - lw, t - lh - m},
        {TLabelPosition::lpBottomRight, l + ew - lw, t + eh + m},
    };
    for (const auto& c : cases) {
        Edit->SetLabelPosition(c.Position);
        EXPECT_EQ(label->Left(), c.Left) << int(c.Position);
        EXPECT_EQ(label->Top(), c.Top) << int(c.Position);
    }
    Edit->SetLabelCaption(QStringLiteral("Other"));
    EXPECT_EQ(Edit->EditLabel(), label) << "the label is created once";
    Edit->Hide();
    EXPECT_FALSE(label->Visible());
}

// ---- Styles ---------------------------------------------------------------------------------
TEST_F(TDropDownFixture, StylesColourThePopupStripsAndButtons)
{
    EXPECT_EQ(Edit->DropDownColor(), TColor(0xF3E5DA));
    EXPECT_EQ(Edit->DropDownGradientEnd(), TColor(0xF0DED0));
    EXPECT_EQ(Edit->DropDownHeader()->Color(), TColor(0xFFEFE3));
    EXPECT_EQ(Edit->DropDownHeader()->Font()->Color(), TColor(0x723708));
    Edit->SetDropDownBorderColor(0x123456);
    Edit->SetComponentStyle(TZvStyle::tsOffice2003Blue);
    EXPECT_EQ(Edit->DropDownBorderColor(), TColor(0x123456)) << "left as it was";
    EXPECT_EQ(Edit->DropDownHeader()->BorderColor(), clBlack);
    EXPECT_EQ(Edit->DropDownFooter()->BorderColor(), TColor(0x962D00));
    Edit->SetComponentStyle(TZvStyle::tsWindowsVista);
    EXPECT_EQ(Edit->DropDownBorderColor(), TColor(0x979797));
    EXPECT_EQ(Edit->DropDownFooter()->Color(), Edit->DropDownHeader()->ColorTo());
    EXPECT_EQ(Edit->ButtonAppearance()->ColorDown(), TColor(0xFEF9F0));
    Edit->SetComponentStyle(TZvStyle::tsCustom);
    EXPECT_EQ(Edit->GetComponentStyle(), TZvStyle::tsCustom);
    EXPECT_EQ(Edit->DropDownBorderColor(), TColor(0x979797));
    TColorTones tones;
    tones.Background.BorderColor = clRed;
    Edit->SetColorTones(tones);
    EXPECT_EQ(Edit->BorderColor(), clRed);
    EXPECT_EQ(Edit->DropDownColor(), clWhite) << "tones leave the pop-up alone";
}

// The application losing the activation closes the pop-up, and the close cancels by CancelOnDeActivate;
// a loss that another window of the application makes good at once (a dialog closing) does not.
TEST_F(TDropDownFixture, LosingTheApplicationsActivationClosesThePopup)
{
    Edit->SetText(QStringLiteral("kept"));
    Edit->ShowDropDown();
    Edit->AssignEditText(QStringLiteral("changed"));
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(qApp, &deactivate);
    QApplication::processEvents();
    EXPECT_TRUE(Edit->DroppedDown()) << "a window of the application is still active";

    QApplication::setActiveWindow(nullptr);
    QCoreApplication::sendEvent(qApp, &deactivate);
    QApplication::processEvents();
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), QStringLiteral("kept")) << "CancelOnDeActivate is on by default";
}

// ---- Strips ---------------------------------------------------------------------------------
// A modal form that the pop-up owns, opened by a footer button while the pop-up is open, gets the user's
// clicks and keys, and the pop-up is still open under it and after it.
TEST_F(TDropDownFixture, AModalFormOpenedFromThePopupGetsInputAndThePopupStays)
{
    Edit->DropDownFooter()->Buttons()->Add()->SetModalResult(mrNone);
    int okClicks = 0;
    bool openWhileModal = false;
    String typed;
    Edit->OnDropDownFooterButtonClick = [&](TObject*, int) {
        TForm dialog(&Popup());   // a window the pop-up owns
        dialog.SetBounds(60, 60, 200, 120);
        auto* entry = new TEdit(&dialog);
        entry->SetParent(&dialog);
        entry->SetBounds(10, 10, 120, 21);
        auto* ok = new TButton(&dialog);
        ok->SetParent(&dialog);
        ok->SetBounds(10, 50, 75, 25);
        ok->OnClick = [&](TObject*) {
            ++okClicks;
            dialog.SetModalResult(mrOk);
        };
        Seams.AnswerModal(
            [&](TCustomForm&) {
                openWhileModal = Edit->DroppedDown() && Popup().Visible();
                Simulate::Click(entry, Point(5, 5));
                Simulate::Type(entry, QStringLiteral("ab"));
                typed = entry->Text();
                Simulate::Click(ok, Point(5, 5));
            },
            mrCancel);
        EXPECT_EQ(dialog.ShowModal(), mrOk) << "the dialog's own button closed it";
    };
    Edit->ShowDropDown();
    Simulate::Click(Popup().Footer()->ButtonControl(0), Point(3, 3));
    EXPECT_TRUE(openWhileModal);
    EXPECT_EQ(typed, QStringLiteral("ab"));
    EXPECT_EQ(okClicks, 1);
    QApplication::processEvents();
    EXPECT_TRUE(Edit->DroppedDown()) << "the pop-up outlives the dialog it opened";
}

TEST_F(TDropDownFixture, FooterButtonsCloseByTheirModalResult)
{
    const struct {
        TModalResult Result;
        bool Closes, Cancels;
    } cases[] = {{mrOk, true, false}, {mrCancel, true, true}, {mrAbort, true, true}, {mrRetry, false, false},
                 {mrYes, true, false}, {mrNo, true, true},      {mrClose, false, false}};
    for (const auto& c : cases) {
        Edit->DropDownFooter()->Buttons()->Clear();
        Edit->DropDownFooter()->Buttons()->Add()->SetModalResult(c.Result);
        bool cancelled = false;
        int clicked = -1;
        Edit->OnDropUp = [&](TObject*, bool x) { cancelled = x; };
        Edit->OnDropDownFooterButtonClick = [&](TObject*, int index) {
            clicked = index;
            EXPECT_EQ(Edit->DroppedDown(), !c.Closes) << "the close comes first";
        };
        Edit->ShowDropDown();
        TZvButton* button = Popup().Footer()->ButtonControl(0);
        Simulate::Click(button, Point(3, 3));
        EXPECT_EQ(clicked, 0);
        EXPECT_EQ(!Edit->DroppedDown(), c.Closes) << c.Result;
        if (c.Closes) {
            EXPECT_EQ(cancelled, c.Cancels) << c.Result;
        }
        Edit->HideDropDown(false);
    }
}

TEST_F(TDropDownFixture, HeaderButtonsStandRightToLeftAndTheCaptionStopsBeforeThem)
{
    for (int i = 0; i < 3; ++i) Edit->DropDownHeader()->Buttons()->Add()->SetCaption(QStringLiteral("B%1").arg(i));
    Edit->DropDownHeader()->Buttons()->GetItem(0)->SetHeight(40);
    Edit->ShowDropDown();
    TZvHeader& header = *Popup().Header();
    ASSERT_EQ(header.ButtonCount(), 3);
    EXPECT_GT(header.ButtonControl(0)->Left(), header.ButtonControl(1)->Left());
    EXPECT_GT(header.ButtonControl(1)->Left(), header.ButtonControl(2)->Left());
    EXPECT_EQ(header.ButtonControl(0)->Left() + header.ButtonControl(0)->Width(), header.ClientWidth() - 2);
    EXPECT_EQ(header.ButtonControl(0)->Height(), 22 - 3 - 2);
}

TEST_F(TDropDownFixture, AButtonChangedDuringItsClickIsRebuiltAfterIt)
{
    Edit->DropDownHeader()->Buttons()->Add()->SetCaption(QStringLiteral("Go"));
    Edit->OnDropDownHeaderButtonClick = [this](TObject*, int) {
        Edit->DropDownHeader()->Buttons()->GetItem(0)->SetCaption(QStringLiteral("Gone"));
        Edit->DropDownHeader()->Buttons()->GetItem(0)->SetEnabled(false);
    };
    Edit->ShowDropDown();
    TZvHeader& header = *Popup().Header();
    Simulate::Click(header.ButtonControl(0), Point(3, 3));
    QApplication::processEvents();
    ASSERT_EQ(header.ButtonCount(), 1);
    EXPECT_EQ(header.ButtonControl(0)->Caption(), QStringLiteral("Gone"));
    EXPECT_FALSE(header.ButtonControl(0)->Enabled());
}

TEST_F(TDropDownFixture, TheFooterGripSizesThePopup)
{
    Edit->ShowDropDown();
    TZvFooter& footer = *Popup().Footer();
    EXPECT_TRUE(footer.GripActive());
    EXPECT_EQ(footer.ButtonArea().Right, footer.ClientWidth() - 14);
    Edit->SetDropDownSizeable(false);
    EXPECT_FALSE(footer.GripActive());
    EXPECT_EQ(footer.ButtonArea().Right, footer.ClientWidth() - 2);
    Edit->SetDropDownSizeable(true);
    Simulate::TPointer pointer;
    const TPoint grip = Point(footer.Width() - 3, footer.Height() - 3);
    pointer.Press(&footer, grip, 0);
    EXPECT_TRUE(Popup().Sizing());
    // The footer moves down as the pop-up grows: the pointer is placed on the pop-up itself.
    const TPoint onPopup = Point(footer.Left() + grip.X + 40, footer.Top() + grip.Y + 30);
    pointer.Move(&Popup(), onPopup, 10);
    pointer.Release(&Popup(), onPopup, 10);
    EXPECT_EQ(Popup().Width(), 150 + 40);
    EXPECT_EQ(Popup().Height(), 100 + 30);
}

TEST(TDbgListTest, ReadsAndWritesBeyondTheEndRaise)
{
    TDbgList list;
    list.Add(nullptr);
    EXPECT_THROW(list.GetItemsEx(1), Exception);
    EXPECT_THROW(list.SetItemsEx(1, nullptr), Exception);
    try {
        list.GetItemsEx(1);
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Index out of bounds in list read access"));
    }
}

// ---- Item selector -----------------------------------------------------------------------------
TEST(TItemSelectorTest, LaysOutRowsOfColumnsAndLooksItemsUp)
{
    TForm form(nullptr);
    auto* selector = new TZvCustomItemSelector(&form);
    selector->SetParent(&form);
    EXPECT_EQ(selector->GetPanelSize().cx, 100);
    EXPECT_EQ(selector->GetVisibleItemCount(), 0);
    TSize size{30, 20};
    selector->OnItemSize = [&](TObject*, TSize& s) { s = size; };
    selector->SetColumns(3);
    for (int i = 0; i < 7; ++i) selector->Items()->Add()->SetCaption(QStringLiteral("<b>Item %1</b>").arg(i));
    selector->Items()->GetItem(2)->SetCaption(QStringLiteral("<b>Red</b>"));
    selector->UpdateSelectorPanel();
    EXPECT_EQ(selector->GetPanelSize().cx, 3 * 30 + 4);
    EXPECT_EQ(selector->GetPanelSize().cy, 3 * 20 + 4);
    selector->SetColumns(0);
    EXPECT_EQ(selector->Columns(), 3);
    EXPECT_TRUE(selector->LookupItem(QStringLiteral("RE")));
    EXPECT_EQ(selector->ItemIndex(), 2);
    EXPECT_FALSE(selector->LookupItem(QStringLiteral("re")));
    int selects = 0;
    selector->OnItemSelect = [&](TObject*) { ++selects; };
    selector->SetItemIndex(2);
    EXPECT_EQ(selects, 1) << "selecting the selected item fires again";
    // A handler that sets nothing gives items 0 high: no rows fit, no division by zero.
    selector->OnItemSize = [](TObject*, TSize&) {};
    selector->UpdateSelectorPanel();
    EXPECT_EQ(selector->GetVisibleItemCount(), 0);
    // Removing items leaves a stale index that reads as no selection.
    selector->SetItemIndex(6);
    selector->Items()->Delete(6);
    selector->Items()->Delete(5);
    EXPECT_EQ(selector->ItemIndex(), -1);
    selector->SelectNext();
    EXPECT_EQ(selector->ItemIndex(), 0);
}

// Items that do not fit bring a vertical bar; selecting scrolls the item into view with the bar's margin,
// and the wheel and the bar's thumb scroll the items.
TEST(TItemSelectorTest, ScrollsItemsThatDoNotFit)
{
    TTestSeams seams;
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 300);
    auto* selector = new TZvCustomItemSelector(&form);
    selector->SetParent(&form);
    selector->SetBounds(10, 10, 150, 100);
    selector->OnItemSize = [](TObject*, TSize& s) { s = {100, 20}; };
    for (int i = 0; i < 30; ++i) selector->Items()->Add()->SetCaption(QStringLiteral("Item %1").arg(i));
    form.Show();
    QApplication::processEvents();
    TControlScrollBar* bar = selector->VertScrollBar();
    ASSERT_TRUE(bar->IsScrollBarVisible());
    EXPECT_EQ(bar->Range(), 30 * 20 + 4);
    EXPECT_FALSE(selector->HorzScrollBar()->IsScrollBarVisible());

    const auto itemOnScreen = [&](int index) {
        TRect r = selector->Panel()->GetItemRect(index);
        r.Top += selector->Panel()->Top();
        r.Bottom += selector->Panel()->Top();
        return r;
    };
    bar->SetMargin(2);
    selector->SetItemIndex(29);
    EXPECT_EQ(itemOnScreen(29).Bottom + 2, selector->ClientHeight());
    selector->SelectFirst();
    EXPECT_EQ(itemOnScreen(0).Top - 2, 0);
    EXPECT_EQ(bar->Position(), 0);

    selector->SetTabStop(true);
    selector->SetFocus();
    Simulate::Wheel(selector, Point(120, 50), -120);
    EXPECT_EQ(bar->Position(), 3 * bar->Increment());
    selector->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 200), 0);
    EXPECT_EQ(bar->Position(), 200) << "the thumb drags the items at once";
    EXPECT_EQ(selector->Panel()->Top(), -200);

    // Fewer items: the bar goes and the items come back to the top.
    while (selector->Items()->Count() > 3) selector->Items()->Delete(selector->Items()->Count() - 1);
    selector->UpdateSelectorPanel();   // deleting items reports nothing by itself
    EXPECT_FALSE(bar->IsScrollBarVisible());
    EXPECT_EQ(selector->Panel()->Top(), 0);
}

TEST(TItemSelectorTest, APanelOutsideASelectorRaises)
{
    TForm form(nullptr);
    try {
        TCustomItemSelector panel(&form);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid parent"));
    }
}

// ---- Gallery ---------------------------------------------------------------------------------
TEST(TGalleryTest, ShowsAnOpenDropDownWithStripsAndItems)
{
    TTestSeams seams;
    seams.SetMonitors({{Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 1024), true}});
    TGalleryForm form(nullptr);
    form.Show();
    QApplication::processEvents();
    form.Picker()->ShowDropDown();
    QApplication::processEvents();
    TDropDownForm& popup = *form.Picker()->DropDownForm();
    ASSERT_TRUE(popup.Visible());
    const QImage window = form.PaintToImage();
    const QImage picture = popup.PaintToImage();
    QDir().mkpath(ScreenshotFolder());
    window.save(ScreenshotFolder() + QStringLiteral("/gallery-window.png"));
    picture.save(ScreenshotFolder() + QStringLiteral("/gallery-dropdown.png"));
    // The selector's white, the header's caption in ink, the first colour box red, the header bluish.
    EXPECT_TRUE(LooksPainted(picture, clWhite, QRect(0, 0, picture.width(), 22)));
    TZvCustomItemSelector& selector = *form.Picker()->Selector();
    const TRect first = selector.Panel()->GetItemRect(0);
    const QPoint inBox = QPoint(selector.Left() + selector.Panel()->Left() + first.Left + 4 + 7,
                                selector.Top() + selector.Panel()->Top() + first.Top + 4 + 7);
    EXPECT_EQ(picture.pixelColor(inBox), QColor(255, 0, 0));
    const QColor header = picture.pixelColor(picture.width() - 5, 5);
    EXPECT_GT(header.blue(), header.red());
    EXPECT_FALSE(window.isNull());
    // Picking an item writes its caption and closes.
    Simulate::Click(selector.Panel(), Point(first.Left + 3, first.Top + 3) );
    EXPECT_FALSE(form.Picker()->DroppedDown());
    EXPECT_EQ(form.Picker()->Text(), QStringLiteral("Red"));
}

} // namespace
