#pragma once
// Regional settings: separators and formats the system reads numbers and dates with.

#include "platform/SysUtils.h"

#include <array>

struct TFormatSettings {
    QChar DecimalSeparator = u'.';
    QChar ThousandSeparator = u',';
    QChar DateSeparator = u'/';
    QChar TimeSeparator = u':';
    String ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    String LongDateFormat = QStringLiteral("dddd, d mmmm yyyy");
    String ShortTimeFormat = QStringLiteral("hh:nn");
    String LongTimeFormat = QStringLiteral("hh:nn:ss");
    String TimeAMString = QStringLiteral("AM");
    String TimePMString = QStringLiteral("PM");
    // The raw "decimal symbol" entry of the user's regional profile, which
    // a few checks read directly instead of DecimalSeparator.
    String ProfileDecimal = QStringLiteral(".");
    // Names for the mmm/mmmm and ddd/dddd date tokens; days start with Sunday.
    std::array<String, 12> ShortMonthNames = {
        QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
        QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
        QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    std::array<String, 12> LongMonthNames = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),     QStringLiteral("April"),
        QStringLiteral("May"),     QStringLiteral("June"),     QStringLiteral("July"),      QStringLiteral("August"),
        QStringLiteral("September"), QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    std::array<String, 7> ShortDayNames = {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"),
                                           QStringLiteral("Wed"), QStringLiteral("Thu"), QStringLiteral("Fri"),
                                           QStringLiteral("Sat")};
    std::array<String, 7> LongDayNames = {QStringLiteral("Sunday"),   QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                                          QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                                          QStringLiteral("Saturday")};
    // Two-digit years read as the hundred years starting this many years ago.
    int TwoDigitYearCenturyWindow = 50;
};

// The settings in force: read once from the system locale; tests replace them.
const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
// Builds the settings of a locale, e.g. "de_DE" or "en_US". In the formats "/"
// and ":" stand for the separators; the short date always carries the full
// year, so that a written date reads back whatever the century.
TFormatSettings FormatSettingsFromLocale(const String& localeName);
void ResetFormatSettingsFromSystem();

// Floating-point texts with the regional decimal separator (no thousands separators).
// Form: optional sign, digits with at most one decimal separator (".5" and "5."
// count), optional exponent "e"/"E" with optional sign and digits. Spaces at
// both ends are allowed, as by the platform's reader; tabs and other blanks
// are not. A text with the other separator, "INF", "NAN" or a value beyond
// the double range is no number; a value too small for a double reads as 0.
bool TryStrToFloat(const String& text, double& value);
bool TryStrToFloat(const String& text, double& value, const TFormatSettings& settings);
double StrToFloatDef(const String& text, double defaultValue);
double StrToFloat(const String& text); // raises EConvertError "'<text>' is not a valid floating point value"
String FloatToStr(double value);
String FloatToStr(double value, const TFormatSettings& settings);
// ffGeneral/ffFixed/ffNumber as the platform formats them: the value is first
// rounded to `precision` significant digits, then (ffFixed, ffNumber) to
// `digits` decimals, halves away from zero. ffCurrency writes as ffNumber.
enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);
