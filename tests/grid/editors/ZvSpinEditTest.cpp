// The spin edit: stepping each kind of value by keys and buttons, limits,
// the characters it accepts, and the 400/100 ms repeat of its buttons on the
// test clock.

#include "tests/common/TestSeams.h"
#include "tests/common/TestUtil.h"

#include "grid/editors/ZvSpinEdit.h"

#include "platform/Forms.h"
#include "platform/Regional.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct SpinEdit : ::testing::Test {
    TTestSeams seams;
    TFormatSettings saved = FormatSettings();
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TAsgSpinEdit* spin = nullptr;
    TEdit* other = nullptr;

    void SetUp() override
    {
        TFormatSettings fs;   // day first, "/" and ":", "." decimal
        SetFormatSettings(fs);
        form->SetBounds(0, 0, 300, 200);
        spin = new TAsgSpinEdit(form.get());
        spin->SetParent(form.get());
        spin->SetBounds(10, 10, 120, 24);
        other = new TEdit(form.get());
        other->SetParent(form.get());
        other->SetBounds(10, 60, 120, 24);
        form->Show();
        spin->SetFocus();
    }
    void TearDown() override { SetFormatSettings(saved); }
    void Leave() { other->SetFocus(); }
};

TEST_F(SpinEdit, IntegerStepsStayWithinTheLimits)
{
    EXPECT_EQ(spin->Text(), QStringLiteral("0"));
    spin->SetValue(100);
    Simulate::Key(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Value(), 100);
    Simulate::Key(spin, Qt::Key_PageDown);
    EXPECT_EQ(spin->Value(), 99) << "a page on an integer is one Increment";
    spin->SetMinValue(0);
    spin->SetMaxValue(0);
    spin->SetValue(5000);
    EXPECT_EQ(spin->Value(), 5000) << "equal limits clamp nothing";

    spin->SetMaxValue(100);
    spin->SetText(QStringLiteral("150"));
    Leave();
    EXPECT_EQ(spin->Text(), QStringLiteral("100")) << "a typed value is corrected on leaving";
    spin->SetText(QStringLiteral("abc"));
    spin->SetMinValue(7);
    EXPECT_EQ(spin->Value(), 7);
}

TEST_F(SpinEdit, FloatsShowThePrecisionAndUnreadableTextReadsTheFloatMinimum)
{
    spin->SetSpinType(TAsgSpinType::sptFloat);
    spin->SetPrecision(2);
    spin->SetFloatValue(1.5);
    EXPECT_EQ(spin->Text(), QStringLiteral("1.50"));
    Simulate::Key(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Text(), QStringLiteral("1.60"));
    Simulate::Key(spin, Qt::Key_PageUp);
    EXPECT_EQ(spin->Text(), QStringLiteral("2.60"));

    spin->SetMinValue(-50);
    spin->SetMinFloatValue(2.25);
    spin->SetText(QStringLiteral("x1"));
    EXPECT_DOUBLE_EQ(spin->FloatValue(), 2.25) << "the float minimum, not the integer one";
}

struct TCharCase {
    TAsgSpinType Type;
    const char* Text;
    int SelStart;
    int SelLength;
    QChar Key;
    bool Accepted;
};

TEST_F(SpinEdit, AcceptsCharByKindTextAndSelection)
{
    using T = TAsgSpinType;
    const TCharCase cases[] = {
        {T::sptNormal, "12", 2, 0, '5', true},
        {T::sptNormal, "12", 2, 0, 'a', false},
        {T::sptNormal, "12", 0, 0, '-', true},
        {T::sptNormal, "12", 1, 0, '-', false},       // only at the start
        {T::sptNormal, "-12", 0, 0, '-', false},      // only once
        {T::sptNormal, "-12", 0, 1, '-', true},       // unless the selection holds it
        {T::sptNormal, "12", 2, 0, QChar(13), false}, // Enter is no digit
        {T::sptFloat, "1.5", 3, 0, '.', false},       // a second separator
        {T::sptFloat, "1.5", 1, 1, '.', true},        // the selection covers the first
        {T::sptFloat, "1", 1, 0, ',', false},         // thousands separator
        {T::sptTime, "10:20:30", 8, 0, ':', false},   // two separators already
        {T::sptTime, "10:20", 5, 0, ':', true},
        {T::sptNormal, "12", 2, 0, ':', false},       // a time separator in a number
        {T::sptDate, "1/2", 3, 0, '/', true},
    };
    for (const TCharCase& c : cases) {
        spin->SetSpinType(c.Type);
        spin->SetText(QString::fromUtf8(c.Text));
        spin->SetSelStart(c.SelStart);
        spin->SetSelLength(c.SelLength);
        EXPECT_EQ(spin->AcceptsChar(c.Key), c.Accepted) << c.Text << " + " << QString(c.Key).toStdString();
    }
    spin->SetSpinType(T::sptFloat);
    spin->SetPrecision(2);
    spin->SetText(QStringLiteral("1.25"));
    spin->SetSelStart(4);
    EXPECT_FALSE(spin->AcceptsChar('7')) << "a third decimal";
}

TEST_F(SpinEdit, RefusedCharactersBeepAndStayOut)
{
    spin->SetText(QStringLiteral("4"));
    spin->SetSelStart(1);
    const int beeps = BeepCount();
    Simulate::Type(spin, QStringLiteral("2x"));
    EXPECT_EQ(spin->Text(), QStringLiteral("42"));
    EXPECT_EQ(BeepCount(), beeps + 1);

    spin->SetEditorEnabled(false);
    Simulate::Type(spin, QStringLiteral("7"));
    Simulate::Key(spin, Qt::Key_Delete);
    EXPECT_EQ(spin->Text(), QStringLiteral("42"));
    Simulate::Key(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Text(), QStringLiteral("43"));
    EXPECT_EQ(spin->SelLength(), 2) << "every written value is selected";
}

TEST_F(SpinEdit, DateStepsByTheCaretsPartAndClampsTheLeapDay)
{
    spin->SetSpinType(TAsgSpinType::sptDate);
    spin->SetDateValue(EncodeDate(2024, 1, 31));
    EXPECT_EQ(spin->Text(), QStringLiteral("31/01/2024"));
    spin->SetSelStart(0);
    Simulate::Key(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Text(), QStringLiteral("01/02/2024")) << "the day part";
    spin->SetDateValue(EncodeDate(2024, 1, 31));
    spin->SetSelStart(4);
    Simulate::Key(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Text(), QStringLiteral("29/02/2024")) << "the month part, the day clamped";
    spin->SetSelStart(8);
    Simulate::Key(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Text(), QStringLiteral("28/02/2025")) << "a year from 29 February";
    Simulate::Key(spin, Qt::Key_Down);
    EXPECT_EQ(spin->Text(), QStringLiteral("28/02/2024"));

    TFormatSettings us;
    us.ShortDateFormat = QStringLiteral("mm/dd/yyyy");
    SetFormatSettings(us);
    spin->SetDateValue(EncodeDate(2024, 3, 10));
    spin->SetSelStart(0);
    Simulate::Key(spin, Qt::Key_Up);
    EXPECT_TRUE(spin->UsDates());
    EXPECT_EQ(spin->Text(), QStringLiteral("04/10/2024")) << "month first";
}

TEST_F(SpinEdit, TimeStepsWrapPastMidnight)
{
    spin->SetSpinType(TAsgSpinType::sptTime);
    spin->SetTimeValue(EncodeTime(23, 30, 0, 0));
    EXPECT_EQ(spin->Text(), QStringLiteral("23:30:00"));
    spin->SetSelStart(0);
    Simulate::Key(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Text(), QStringLiteral("00:30:00"));
    Simulate::Key(spin, Qt::Key_Down);
    Simulate::Key(spin, Qt::Key_Down);
    EXPECT_EQ(spin->Text(), QStringLiteral("22:30:00"));
    spin->SetSelStart(4);
    Simulate::Key(spin, Qt::Key_Up);
    EXPECT_EQ(spin->Text(), QStringLiteral("22:31:00")) << "minutes";
    spin->SetSelStart(7);
    Simulate::Key(spin, Qt::Key_Down);
    EXPECT_EQ(spin->Text(), QStringLiteral("22:30:59")) << "seconds";
    spin->SetShowSeconds(false);
    spin->SetTimeValue(EncodeTime(7, 5, 0, 0));
    EXPECT_EQ(spin->Text(), QStringLiteral("7:05"));
    spin->SetText(QStringLiteral("nonsense"));
    EXPECT_DOUBLE_EQ(spin->TimeValue(), 0.0);
}

TEST_F(SpinEdit, HeldButtonRepeatsAfter400ThenEvery100MsAndOnceMoreOnRelease)
{
    TZvTimerSpeedButton* up = spin->Button()->UpButton();
    Simulate::MouseDown(up, TPoint{3, 3});
    seams.Clock().Advance(399);
    EXPECT_EQ(spin->Value(), 0);
    seams.Clock().Advance(1);
    EXPECT_EQ(spin->Value(), 1);
    seams.Clock().Advance(99);
    EXPECT_EQ(spin->Value(), 1);
    seams.Clock().Advance(1);
    EXPECT_EQ(spin->Value(), 2);
    seams.Clock().Advance(200);
    EXPECT_EQ(spin->Value(), 4);
    Simulate::MouseUp(up, TPoint{3, 3});
    EXPECT_EQ(spin->Value(), 5);
    seams.Clock().Advance(1000);
    EXPECT_EQ(spin->Value(), 5) << "the timer stopped";

    Simulate::Click(spin->Button()->DownButton(), TPoint{3, 3});
    EXPECT_EQ(spin->Value(), 4) << "a quick click steps once";
    EXPECT_TRUE(spin->Focused());
}

TEST_F(SpinEdit, ReadOnlyBeepsAndKeepsTheValue)
{
    spin->SetValue(3);
    spin->SetReadOnly(true);
    const int beeps = BeepCount();
    spin->StepUp(false);
    spin->StepDown(true);
    EXPECT_EQ(spin->Value(), 3);
    EXPECT_EQ(BeepCount(), beeps + 2);
}

}   // namespace
