#pragma once
// Free routines the grid family uses for cell text: searching and splitting,
// line-break encodings of the file, clipboard and print formats, the "|\"
// coding of Unicode text, text and number kinds, numeric clean-up, dates read
// through the regional settings, links, the clipboard's HTML format and the
// filter expressions of filters and searches.
//
// Positions are 1-based as in cell texts; 0 means "not found". No routine
// keeps state or raises its own error: input it cannot read gives the neutral
// answer (0, false, empty or unchanged text). Only the date routines pass on
// the platform's error for a date that does not exist.

#include "platform/Classes.h"
#include "platform/DateUtils.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

// ---- Strings ----------------------------------------------------------------
// Position of the first occurrence, also written to `pos`.
int PosOut(const String& sub, const String& text, int& pos);
// `sub` (expected in upper case) in `text` with its letters a-z upper-cased.
int PosInUpper(const String& sub, const String& text);
int CharPos(QChar c, const String& text);
// As CharPos; `pos` is written only when found.
int CharPosOut(QChar c, const String& text, int& pos);
int WidePos(const String& sub, const String& text);
// With the delimiter in `text`: `part` is what stands before it, and `text`
// loses that part and the delimiter's first character. Otherwise `part` is
// empty and `text` stays.
void SplitAtDelimiter(String& text, const String& delimiter, String& part);
String ConcatStrings(const TStringList& list);
void FillWithChar(String& text, QChar c);
String EscapeQuoteChars(const String& text);
// Every pair of `c` becomes one.
String UndoubleChar(QChar c, const String& text);
// The last position of the first run of `c` of odd length that another
// character follows, or the text's last position when a run reaches the end;
// 0 when there is none. Also written to `pos`.
int FindUnpairedChar(QChar c, const String& text, int& pos);
int CountUnpairedChars(QChar c, const String& text);
int CountChar(QChar c, const String& text);
// The first character of `chars` standing outside double quotes, with its
// position in `pos`; QChar(0) and -1 when there is none.
QChar FindOperatorOutsideQuotes(const String& chars, const String& text, int& pos);
String StripSpacesOutsideQuotes(const String& text);
// Position of the ")" at which the "(" and ")" seen so far balance; 0 when none.
int MatchingParenPos(const String& text);
// "o'neil mcdonald ii" -> "O'Neil McDonald II".
String ToMixedCase(const String& text);

// ---- Line breaks and cell-text encodings -----------------------------------
String CRToBreakTags(const String& text);
String EscapedNewlineToCR(const String& text);
String CRToEscapedNewline(const String& text);
String CRLFToVTQuoted(const String& text);
String VTToCRLF(const String& text);
String StripCRBeforeLF(const String& text);
String StripCR(const String& text);
String CRToLF(const String& text);
String CRToTilde(const String& text);
String TildeToCRLF(const String& text);
// One-line storage of a multi-line cell: CR -> #9, LF -> #8, #0 -> #1, only
// when the text holds a CR.
String EncodeLineBreaks(const String& text);
// Back again when the text holds #8; the whole text with `keepAll`, else its first line.
String DecodeLineBreaks(const String& text, bool keepAll);
// Takes the first line off `text` and returns it: without CR the line is the
// whole text and `text` becomes empty; otherwise `text` loses the line, the
// CR and a following LF, and becomes empty without `keepRest`.
String FirstLineOf(String& text, bool keepRest);
int LineCountOf(const String& text, bool multiLine);
// Moves Rect's Left and Top to the start point of a text turned by Angle
// degrees whose turned box projects to CH, SW, SH and CW (cos and sin of the
// angle times the text's height and width); HAlign 0 left, 1 right, 2 centre,
// VAlign 0 top, 1 centre, 2 bottom. Shared by the screen and the printed page,
// which passes CH and SW negated for its upward y axis.
void RotatedTextOrigin(TRect& Rect, int HAlign, int VAlign, int Angle, int CH, int SW, int SH, int CW);
// The OEM code page of a Western system (code page 850) and back; characters
// it lacks become "?".
void TextToOem(String& text);
void OemToText(String& text);
// "|\" followed by two characters (high byte, low byte) per UTF-16 code unit.
String EncodeUnicodeCellText(const String& text);
// A text not beginning with "|\" comes back unchanged; an odd last character is ignored.
String DecodeUnicodeCellText(const String& text);
// Six upper-case hexadecimal digits in the order red, green, blue.
String ColorToHexText(TColor color);
// The clipboard's "HTML Format" document around a fragment.
String MakeClipboardHTML(const String& fragment);
// The same document as the clipboard carries it: UTF-8 bytes, declared so, and
// its offsets counting those bytes, so that they hold for any text.
QByteArray MakeClipboardHTMLBytes(const String& fragment);

// ---- Numbers ------------------------------------------------------------------
bool IsDigitChar(QChar c);
bool IsDigitOrMinus(QChar c);
// Digit, thousands or decimal separator of the regional settings, "e" or "E".
bool IsNumberChar(QChar c);
bool IsFloatChar(QChar c);
bool IsNumberOrSignChar(QChar c);

// Results of NumberTextType: callers count 0, 1 and 5 as numeric.
constexpr int ntInteger = 0, ntDecimal = 1, ntNotNumber = 2, ntExponent = 5;
int NumberTextType(const String& text);
// A displayed number ready for conversion: "($1,234.50)" -> "-1234.50".
String CleanNumericText(const String& text);
// Thousands separators removed, the decimal separator turned into ".".
String CleanFilterNumber(const String& text);
// A bound of 0 means no bound; equal bounds leave the value alone.
int ClampToLimits(int value, int minimum, int maximum);
int MaxOf(int a, int b);
int MinOf(int a, int b);

// ---- Dates ----------------------------------------------------------------------
// "m/d/y" and "d/m/y" with "/", "." or "-"; 0 when the text does not parse.
// A year below 26 is 20yy, other years below 100 are 19yy, longer years stay.
// An impossible date raises the platform's EConvertError.
TDateTime ParseDateMonthFirst(const String& text);
TDateTime ParseDateDayFirst(const String& text);
bool LooksLikeDate(const String& text);
// Only days: date + days; only years: the same day in date's year + years;
// only months: month moved (0 = December before, above 12 into the next
// year); any other mix: date + fallbackDays. Raises for a day the target
// month does not have.
TDateTime IncDateBy(int years, int months, int days, TDateTime date, double fallbackDays);
// A date in the regional short date order and separators, optionally followed
// by a space and "h:n" or "h:n:s". False for anything it cannot read, and for a
// time part without time separator (`value` then holds the date at midnight).
bool ParseDateTimeByFormat(const String& text, TDateTime& value);

// ---- Cell text kinds, links and references ---------------------------------
constexpr int ctPlain = 0, ctHTML = 1, ctRichText = 2, ctFormula = 3, ctUnicode = 5;
int CellTextKind(const String& text, bool detectHTML);
bool IsURLText(const String& text);
void StripURLScheme(String& text);
// Wraps the link starting at `upperScheme` ("FTP://", "HTTP://", ...) into an
// anchor, "<" and ">" of the text escaped. False (and `out` untouched) when
// the scheme does not occur.
bool AutoLinkURL(const String& text, const String& upperScheme, String& out);
// "R2C5" (any case) -> x = 5 (column), y = 2 (row).
bool ParseRCCellRef(const String& text, TPoint& cell);
// Any rectangle with Left, Top, Right, Bottom counted inclusively, as a grid's selection.
template <class GridRect>
bool CellInGridRect(const GridRect& r, int col, int row)
{
    return r.Left <= col && col <= r.Right && r.Top <= row && row <= r.Bottom;
}

// ---- Filter expressions --------------------------------------------------------
// Conditions (">", ">=", "<", "<=", patterns with "*", "?" and "!") joined
// left to right by "&" (and) and "|", ";", "^" (or), with groups in
// parentheses. Numbers and dates follow the regional settings.
bool MatchFilterExpression(const String& expression, const String& value, bool caseSensitive);
bool MatchFilterCondition(const String& condition, const String& value, bool caseSensitive);
// The pattern step of a condition: "*" any run, "?" one character, quotes
// skipped, "!" anywhere inverts. At most value length times pattern length
// steps, however many stars.
bool MatchFilterPattern(const String& pattern, const String& value);
