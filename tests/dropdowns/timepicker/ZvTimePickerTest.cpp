// The time picker drop-down on a shown form: the masked text, parsing typed
// and written texts, Up and Down on the part under the caret, ShowSeconds,
// and the clock in the pop-up (keys, clicks, closing and cancelling).
#include "dropdowns/timepicker/ZvTimePickerDropDown.h"
#include "dropdowns/base/ZvDropDownForm.h"
#include "platform/DateTimePicker.h"
#include "platform/ExtCtrls.h"
#include "platform/Regional.h"
#include "tests/common/TestSeams.h"

#include <QApplication>
#include <QClipboard>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

TDateTime At(int h, int m, int s = 0, int ms = 0) { return EncodeTime(h, m, s, ms); }

String Hms(TDateTime t)
{
    int h, m, s, ms;
    DecodeTime(t, h, m, s, ms);
    return QStringLiteral("%1:%2:%3.%4")
        .arg(h, 2, 10, QChar(u'0'))
        .arg(m, 2, 10, QChar(u'0'))
        .arg(s, 2, 10, QChar(u'0'))
        .arg(ms, 3, 10, QChar(u'0'));
}

struct TPickerFixture : ::testing::Test {
    TTestSeams Seams;
    std::unique_ptr<TForm> Form;
    TZvTimePickerDropDown* Picker = nullptr;
    int TimeChanges = 0;

    void SetUp() override
    {
        Seams.SetMonitors({{Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 1024), true}});
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 400, 300);
        Picker = new TZvTimePickerDropDown(Form.get());
        Picker->SetParent(Form.get());
        Picker->SetBounds(20, 20, 120, 21);
        Picker->OnTimeChange = [this](TObject*) { ++TimeChanges; };
        Form->Show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        Picker->HideDropDown(false);
        Form.reset();
    }
    String Shown() const { return Picker->TZvCustomDropDown::Text(); }
    void RunClock()
    {
        for (int i = 0; i < 100 && Picker->Watch()->Animating(); ++i) Seams.Clock().Advance(WindowTimerFloor);
    }
};

TEST_F(TPickerFixture, StartsAtMidnightUnderTheTimeMaskInTheDefaultStyle)
{
    EXPECT_EQ(Shown(), QStringLiteral("00:00:00"));
    EXPECT_EQ(Picker->Time(), 0.0);
    EXPECT_EQ(Picker->EditMask().Source(), QStringLiteral("!90:00:00;1; "));
    EXPECT_FALSE(Picker->EditorEnabled());
    EXPECT_TRUE(Picker->DropDownEnabled());
    EXPECT_FALSE(Picker->DropDownHeader()->Visible());
    EXPECT_EQ(Picker->WatchAppearance()->BackgroundColor(), TColor(0xFFEFE3));
    EXPECT_EQ(Picker->WatchAppearance()->HourPointer(), TColor(0x723708));
    Picker->SetComponentStyle(TZvStyle::tsOffice2010Black);
    EXPECT_EQ(Picker->WatchAppearance()->BackgroundColor(), TColor(0xBFBFBF));
}

TEST_F(TPickerFixture, UpAndDownStepThePartUnderTheCaret)
{
    struct TCase {
        bool Seconds;
        TDateTime Start;
        int Caret;
        int Key;
        const char* Text;
        bool Fires;
    };
    const TCase cases[] = {
        {true, At(12, 34, 56), 4, Qt::Key_Down, "12:35:56", true},
        {true, At(12, 34, 56), 0, Qt::Key_Down, "13:34:56", true},
        {true, At(12, 34, 56), 2, Qt::Key_Up, "11:34:56", true},
        {true, At(12, 34, 56), 3, Qt::Key_Up, "12:33:56", true},
        {true, At(12, 34, 56), 5, Qt::Key_Down, "12:35:56", true},
        {true, At(12, 34, 56), 6, Qt::Key_Down, "12:34:57", true},
        {true, At(12, 34, 56), 8, Qt::Key_Up, "12:34:55", true},
        {true, At(0, 0, 0), 0, Qt::Key_Up, "23:00:00", true},
        {true, At(23, 0, 0), 1, Qt::Key_Down, "00:00:00", true},
        {true, At(12, 34, 59), 7, Qt::Key_Down, "12:34:00", true},   // no carry into the minute
        {true, At(12, 59, 0), 4, Qt::Key_Down, "12:00:00", true},
        {false, At(12, 34), 4, Qt::Key_Down, "12:35", true},
        {false, At(12, 34), 5, Qt::Key_Up, "12:33", true},
    };
    for (const TCase& c : cases) {
        Picker->SetShowSeconds(c.Seconds);
        Picker->SetTime(c.Start);
        Picker->SetFocus();
        Picker->SetSelStart(c.Caret);
        TimeChanges = 0;
        Simulate::Key(Picker, c.Key);
        EXPECT_EQ(Shown(), QString::fromLatin1(c.Text)) << c.Text << " caret " << c.Caret;
        EXPECT_EQ(TimeChanges, c.Fires ? 1 : 0) << c.Text;
        EXPECT_EQ(Picker->SelStart(), c.Caret) << c.Text;
    }
    // With Ctrl the time stays.
    Picker->SetShowSeconds(true);
    Picker->SetTime(At(1, 2, 3));
    Simulate::Key(Picker, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Shown(), QStringLiteral("01:02:03"));
}

TEST_F(TPickerFixture, WrittenTextsAreParsedWhenTheyHaveTheShapeOfATime)
{
    struct TCase {
        bool Seconds;
        const char* Text;
        const char* Time;        // nullptr: the time stays
        const char* ShownAfter;  // the text afterwards
    };
    const TCase cases[] = {
        {false, "07:05", "07:05:00.000", "07:05"},
        {false, "7:05", nullptr, "7:05"},
        {false, " 7:05", nullptr, " 7:05"},
        {false, "12: 0", "12:00:00.000", "12:00"},
        {false, "12: 5", "12:05:00.000", "12: 5"},
        {false, "1 :30", "10:30:00.000", "1 :30"},
        {false, "24:00", nullptr, "24:00"},
        {false, "12:60", nullptr, "12:60"},
        {false, "ab:cd", nullptr, "ab:cd"},
        {false, "12.30", nullptr, "12.30"},
        {false, "12:3:4", nullptr, "12:3:4"},
        {true, "12:34:56", "12:34:56.000", "12:34:56"},
        {true, "23:59:59", "23:59:59.000", "23:59:59"},
        {true, "24:00:00", nullptr, "24:00:00"},
        {true, "12:34:60", nullptr, "12:34:60"},
        {true, "12:34:5x", nullptr, "12:34:5x"},
        {true, "12:34", nullptr, "12:34"},
        {true, "12:34:56:7", nullptr, "12:34:56:7"},
        {true, "12:  :  ", nullptr, "12:  :  "},   // trimmed it is too short
        {true, "12: 0: 0", "12:00:00.000", "12:00:00"},
        {true, "", nullptr, ""},
    };
    for (const TCase& c : cases) {
        Picker->SetShowSeconds(c.Seconds);
        Picker->SetTime(At(8, 9, 10));
        const TDateTime before = Picker->Time();
        Picker->AssignEditText(QString::fromLatin1(c.Text));
        EXPECT_EQ(Hms(Picker->Time()), c.Time ? QString::fromLatin1(c.Time) : Hms(before)) << c.Text;
        EXPECT_EQ(Shown(), QString::fromLatin1(c.ShownAfter)) << c.Text;
    }
}

TEST_F(TPickerFixture, TypingFillsTheMaskAndIsParsed)
{
    Picker->SetEditorEnabled(true);
    Picker->SetTime(At(12, 34, 56));
    Picker->SetFocus();
    Picker->SetSelStart(0);
    Picker->SetSelLength(0);
    Simulate::Type(Picker, QStringLiteral("0945"));
    EXPECT_EQ(Shown(), QStringLiteral("09:45:56"));
    EXPECT_EQ(Hms(Picker->Time()), QStringLiteral("09:45:56.000"));
    EXPECT_EQ(Picker->SelStart(), 6);
    // Letters do not go in; Backspace blanks the digit before the caret.
    Simulate::Type(Picker, QStringLiteral("x"));
    EXPECT_EQ(Shown(), QStringLiteral("09:45:56"));
    Picker->SetSelStart(5);
    Simulate::Key(Picker, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(Shown(), QStringLiteral("09:4 :56"));
    EXPECT_EQ(Hms(Picker->Time()), QStringLiteral("09:40:56.000"));
    // A typed hour above 23 is refused quietly: the time stays.
    Picker->SetSelStart(0);
    Simulate::Type(Picker, QStringLiteral("3"));
    EXPECT_EQ(Shown(), QStringLiteral("39:4 :56"));
    EXPECT_EQ(Hms(Picker->Time()), QStringLiteral("09:40:56.000"));
    Picker->SetSelStart(0);
    Simulate::Key(Picker, Qt::Key_Delete);
    EXPECT_EQ(Shown(), QStringLiteral(" 9:4 :56"));
    EXPECT_EQ(Hms(Picker->Time()), QStringLiteral("09:40:56.000"));
}

TEST_F(TPickerFixture, SecondsAndFractionsFollowTheFormat)
{
    Picker->SetTime(At(12, 34, 56, 789));
    EXPECT_EQ(Shown(), QStringLiteral("12:34:56"));
    EXPECT_EQ(Hms(Picker->Time()), QStringLiteral("12:34:56.000"));
    Picker->SetShowSeconds(false);
    EXPECT_EQ(Shown(), QStringLiteral("12:34"));
    EXPECT_EQ(Hms(Picker->Time()), QStringLiteral("12:34:00.000"));
    EXPECT_EQ(Picker->EditMask().Source(), QStringLiteral("!90:00;1; "));
    // The regional separator is read at each use.
    TFormatSettings settings = FormatSettings();
    settings.TimeSeparator = u'.';
    SetFormatSettings(settings);
    Picker->SetShowSeconds(true);
    EXPECT_EQ(Shown(), QStringLiteral("12.34.00"));
    Picker->AssignEditText(QStringLiteral("07.08.09"));
    EXPECT_EQ(Hms(Picker->Time()), QStringLiteral("07:08:09.000"));
    ResetFormatSettingsFromSystem();
}

TEST_F(TPickerFixture, TheClockInThePopupSetsTheTime)
{
    Picker->SetTime(At(10, 20, 30));
    Picker->ShowDropDown();
    ASSERT_TRUE(Picker->DroppedDown());
    TDropDownForm& popup = *Picker->DropDownForm();
    EXPECT_EQ(popup.Width(), 170);
    EXPECT_EQ(popup.Height(), 172);
    EXPECT_FALSE(popup.CancelOnDeActivate());
    EXPECT_EQ(Picker->Watch()->Time(), Picker->Time());
    EXPECT_EQ(Picker->Watch()->Appearance()->BackgroundColor(), TColor(0xFFEFE3));
    // Page Down alone moves the clock's hour, and the edit follows at once.
    Simulate::Key(&popup, Qt::Key_PageDown);
    RunClock();
    EXPECT_EQ(Shown(), QStringLiteral("09:20:30"));
    // Right steps the minute.
    Simulate::Key(&popup, Qt::Key_Right);
    RunClock();
    EXPECT_EQ(Shown(), QStringLiteral("09:21:30"));
    // Up and Down without Alt do not reach the edit; Alt+Down closes the pop-up.
    Simulate::Key(&popup, Qt::Key_Down);
    EXPECT_TRUE(Picker->DroppedDown());
    EXPECT_EQ(Shown(), QStringLiteral("09:21:30"));
    Simulate::Key(&popup, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Hms(Picker->Time()), QStringLiteral("09:21:30.000"));

    // A click on the face sets the hour; Escape puts back the time of the opening.
    Picker->ShowDropDown();
    Simulate::Click(Picker->Watch(), Point(Picker->Watch()->GetClockCenter().X + 50, Picker->Watch()->GetClockCenter().Y));
    RunClock();
    EXPECT_EQ(Shown(), QStringLiteral("03:21:30"));
    Simulate::Key(&popup, Qt::Key_Escape);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Shown(), QStringLiteral("09:21:30"));
    EXPECT_EQ(Hms(Picker->Time()), QStringLiteral("09:21:30.000"));
    EXPECT_EQ(Picker->Watch()->Time(), Picker->Time());

    // Enter keeps the clock's time.
    Picker->ShowDropDown();
    Simulate::Key(&popup, Qt::Key_End);
    RunClock();
    Simulate::Key(&popup, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Shown(), QStringLiteral("09:00:30"));
}

TEST_F(TPickerFixture, ALiveClockKeepsRunningAndGivesItsTimeOnClosing)
{
    Picker->WatchSettings()->SetAuto(true);
    Picker->SetTime(At(1, 0));
    Picker->ShowDropDown();
    EXPECT_TRUE(Picker->Watch()->Settings()->Auto());
    Simulate::Key(Picker->DropDownForm(), Qt::Key_PageDown);
    Picker->HideDropDown(false);
    // The clock's time of day (whole seconds), not the one set before.
    const double now = Now();
    EXPECT_NEAR(Picker->Time(), now - std::floor(now), 2.0 / 86400);
}

// A paste goes in as typing does, from the selection on, so the text keeps
// its shape, the digits after the caret stay where they stand, and the
// result is parsed; a handler may refuse it.
TEST_F(TPickerFixture, APasteGoesThroughTheMaskAndIsParsed)
{
    Picker->SetEditorEnabled(true);
    Picker->SetFocus();
    const struct {
        const char* Before;
        int SelStart, SelLength;
        const char* Clip;
        const char* Shown;
        const char* Time;
        int Caret = -1;   // where the caret stands after the paste; -1: not checked
    } cases[] = {
        // The whole text replaced by a time.
        {"12:34:56", 0, 8, "07:05:09", "07:05:09", "07:05:09.000"},
        // A time without its separators fills the positions in order.
        {"12:34:56", 0, 8, "210509", "21:05:09", "21:05:09.000"},
        // Nothing the mask takes: the text and the time stay.
        {"12:34:56", 0, 8, "ab:cd:ef", "12:34:56", "12:34:56.000"},
        // Letters among digits are left out.
        {"12:34:56", 0, 8, "0x7:1y5:2z0", "07:15:20", "07:15:20.000"},
        // An hour out of range shows, but the time stays.
        {"12:34:56", 0, 8, "25:00:00", "25:00:00", "12:34:56.000"},
        // Two digits over the selected minutes.
        {"12:34:56", 3, 2, "07", "12:07:56", "12:07:56.000", 6},
        // One digit at the caret fills that position; the digits after it stay put.
        {"12:34:56", 3, 0, "5", "12:54:56", "12:54:56.000", 4},
        // More digits than positions: the text ends where the mask does.
        {"12:34:56", 6, 0, "5999", "12:34:59", "12:34:59.000", 8},
    };
    for (const auto& c : cases) {
        Picker->AssignEditText(QString::fromLatin1(c.Before));
        ASSERT_EQ(Shown(), QString::fromLatin1(c.Before));
        Picker->SetSelStart(c.SelStart);
        Picker->SetSelLength(c.SelLength);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(c.Clip));
        Simulate::Key(Picker, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Shown(), QString::fromLatin1(c.Shown)) << c.Clip;
        EXPECT_EQ(Hms(Picker->Time()), QString::fromLatin1(c.Time)) << c.Clip;
        EXPECT_EQ(Shown().size(), 8) << "one character per mask position";
        if (c.Caret >= 0) EXPECT_EQ(Picker->SelStart(), c.Caret) << c.Clip;
    }
    // The handler sees the text as it would be and may refuse it.
    Picker->AssignEditText(QStringLiteral("12:34:56"));
    Picker->SetSelStart(0);
    Picker->SetSelLength(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("09"));
    String offered;
    Picker->OnClipboardPaste = [&](TObject*, String& value, bool& allow) {
        offered = value;
        allow = false;
    };
    Simulate::Key(Picker, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(offered, QStringLiteral("09:34:56"));
    EXPECT_EQ(Shown(), QStringLiteral("12:34:56"));
    Picker->OnClipboardPaste = nullptr;
    // Read-only takes no paste.
    Picker->SetTime(At(1, 2, 3));
    Picker->SetReadOnly(true);
    Picker->SelectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("04:05:06"));
    Simulate::Key(Picker, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Shown(), QStringLiteral("01:02:03"));
}

// With ShowTimePicker the pop-up holds a platform time picker below the
// clock: created once, showing the time of the opening in the format of the
// seconds setting; the clock's changes reach it (and fire OnTimeChange), its
// own changes set the clock and so the edit.
TEST_F(TPickerFixture, TheTimePickerBelowTheClockFollowsAndSetsIt)
{
    Picker->SetShowTimePicker(true);
    Picker->SetTime(At(10, 20, 30));
    Picker->ShowDropDown();
    ASSERT_TRUE(Picker->DroppedDown());
    TDateTimePicker* time = Picker->TimePicker();
    ASSERT_NE(time, nullptr);
    EXPECT_TRUE(time->Visible());
    EXPECT_EQ(time->Kind(), TDateTimeKind::dtkTime);
    EXPECT_EQ(time->Format(), QStringLiteral("HH:mm:ss"));
    EXPECT_EQ(time->Align(), TAlign::alBottom);
    EXPECT_EQ(time->Parent(), Picker->WatchPanel());
    EXPECT_EQ(Hms(time->Time()), QStringLiteral("10:20:30.000"));
    TDropDownForm& popup = *Picker->DropDownForm();
    EXPECT_EQ(Picker->WatchPanel()->Height(), time->Height() + 170);
    EXPECT_EQ(popup.Height(), time->Height() + 172);
    EXPECT_EQ(popup.Width(), 170);
    EXPECT_GE(time->Top(), 170) << "below the clock";

    // The clock moves: the picker follows and OnTimeChange fires.
    TimeChanges = 0;
    Simulate::Key(&popup, Qt::Key_PageDown);
    RunClock();
    EXPECT_EQ(Shown(), QStringLiteral("09:20:30"));
    EXPECT_EQ(Hms(time->Time()), QStringLiteral("09:20:30.000"));
    EXPECT_GE(TimeChanges, 1);

    // Up in the picker steps its hour (a part of its own), which sets the
    // clock; Up does not reach the edit's own Up and Down.
    time->SetFocus();
    time->SetPartIndex(0);
    Simulate::Key(time, Qt::Key_Up);
    RunClock();
    EXPECT_EQ(Hms(time->Time()), QStringLiteral("10:20:30.000"));
    EXPECT_EQ(Hms(Picker->Watch()->Time()), QStringLiteral("10:20:30.000"));
    EXPECT_TRUE(Picker->DroppedDown());
    // Alt+Up from the picker reaches the edit and closes the pop-up, which keeps the clock's time.
    Simulate::Key(time, Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(Picker->DroppedDown());
    EXPECT_EQ(Shown(), QStringLiteral("10:20:30"));
    EXPECT_EQ(Hms(Picker->Time()), QStringLiteral("10:20:30.000"));

    // Without seconds the picker shows hours and minutes; the same picker is used again.
    Picker->SetShowSeconds(false);
    Picker->ShowDropDown();
    EXPECT_EQ(Picker->TimePicker(), time);
    EXPECT_EQ(time->Format(), QStringLiteral("HH:mm"));
    Picker->HideDropDown(false);

    // Turned off, the picker hides and the clock has the panel to itself.
    Picker->SetShowTimePicker(false);
    Picker->ShowDropDown();
    EXPECT_FALSE(time->Visible());
    EXPECT_EQ(Picker->Watch()->Height(), Picker->WatchPanel()->ClientHeight());
    Picker->HideDropDown(false);
}

// A live clock ignores the picker: it keeps its own time.
TEST_F(TPickerFixture, ALiveClockIsNotSetByTheTimePicker)
{
    Picker->SetShowTimePicker(true);
    Picker->WatchSettings()->SetAuto(true);
    Picker->ShowDropDown();
    TDateTimePicker* time = Picker->TimePicker();
    ASSERT_NE(time, nullptr);
    const TDateTime clock = Picker->Watch()->Time();
    time->SetFocus();
    time->SetPartIndex(0);
    Simulate::Key(time, Qt::Key_Up);
    EXPECT_NEAR(Picker->Watch()->Time(), clock, 2.0 / 86400);
    Picker->HideDropDown(false);
}

} // namespace
