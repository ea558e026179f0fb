#pragma once
// Dates and times as the platform keeps them: a TDateTime counts days since
// 30 December 1899, with the time of day as the fraction. Before that day the
// value is negative and the fraction still counts forward from midnight
// (-1.25 is 29 December 1899, 06:00).

#include "platform/Regional.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cstdint>

using TDateTime = double;

constexpr double MSecsPerDay = 86400000.0;

TDateTime Now();
TDateTime Date();
TDateTime Time();

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);

// Years 1 to 9999. EncodeDate raises EConvertError "Invalid argument to date
// encode" for a date that does not exist; EncodeTime raises "Invalid argument
// to time encode" outside 0-23, 0-59, 0-59, 0-999.
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
// Joins a date and a time of day; the time counts forward also before 1899.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// Splitting rounds to the nearest millisecond; 23:59:59.9996 becomes the next day.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min, int& sec, int& msec);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

// Tokens, matched without regard to case: d dd ddd dddd ddddd (short date)
// dddddd (long date), m mm mmm mmmm (an m right after an hour is minutes),
// yy yyyy, h hh, n nn, s ss, z zzz, t (short time) tt (long time),
// am/pm a/p ampm (12-hour clock for every hour of the format), c (short date,
// then the long time unless it is midnight), "/" the date separator, ":" the
// time separator, "..." and '...' literal text. Anything else stands as it is.
String FormatDateTime(const String& format, TDateTime value);
String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings);
String DateToStr(TDateTime value);
String TimeToStr(TDateTime value);
// The date, and the long time after a blank unless the time is midnight.
String DateTimeToStr(TDateTime value);

// Reading uses the settings in force: the order of day, month and year is
// the order of the first d, m and y in the short date format, the fields are
// numbers joined by the date separator; two fields are day and month of the
// current year; a year of one or two digits falls into the century window
// (below). Blanks at both ends are allowed. Times are "h:n", "h:n:s" or
// "h:n:s.zzz" with the time separator, optionally followed (or preceded) by
// the AM/PM marker or "AM"/"PM"/"A"/"P", which makes hours 1-12.
bool TryStrToDate(const String& text, TDateTime& value);
bool TryStrToDate(const String& text, TDateTime& value, const TFormatSettings& settings);
TDateTime StrToDate(const String& text); // raises EConvertError "'<text>' is not a valid date"
bool TryStrToTime(const String& text, TDateTime& value);
bool TryStrToTime(const String& text, TDateTime& value, const TFormatSettings& settings);
TDateTime StrToTime(const String& text); // raises EConvertError "'<text>' is not a valid time"
// A date, or a date and a time separated by blanks.
bool TryStrToDateTime(const String& text, TDateTime& value);
bool TryStrToDateTime(const String& text, TDateTime& value, const TFormatSettings& settings);
TDateTime StrToDateTime(const String& text); // raises EConvertError "'<text>' is not a valid date and time"

// The platform's two-digit-year rule: a year below 100 goes into the hundred
// years that start `window` years before `currentYear`.
int ExpandTwoDigitYear(int year, int currentYear, int window = 50);

// Conversions to and from Qt, in local time. An invalid QDate/QDateTime gives 0.
TDateTime DateTimeFromQDateTime(const QDateTime& value);
QDateTime DateTimeToQDateTime(TDateTime value);
TDateTime DateFromQDate(const QDate& value);
QDate DateTimeToQDate(TDateTime value);
