#pragma once
// Strings, integer conversions and the exception type that every layer uses.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <exception>

using String = QString;

// The platform's exception: a message text, shown as it stands in the error box.
class Exception : public std::exception {
public:
    explicit Exception(const String& message);
    ~Exception() override = default;

    const String& Message() const { return FMessage; }
    void SetMessage(const String& message);
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    String FMessage;
    QByteArray FUtf8;
};

// Raised by the conversions that have no default to fall back on.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Integers are read the way every field of the system reads them: leading
// blanks, an optional sign, then decimal digits or hexadecimal digits after
// "$", "x" or "0x". Nothing may follow the digits. Hexadecimal texts take
// 32 bits (64 for the 64-bit reader) and wrap into the signed range, as the
// platform's reader does; a decimal value outside the range is no number.
bool TryStrToInt(const String& text, int& value);
bool TryStrToInt64(const String& text, std::int64_t& value);
int StrToIntDef(const String& text, int defaultValue);
std::int64_t StrToInt64Def(const String& text, std::int64_t defaultValue);
// Raises EConvertError "'<text>' is not a valid integer value".
int StrToInt(const String& text);

String IntToStr(std::int64_t value);
// Upper-case hexadecimal, zero-padded to at least `digits`.
String IntToHex(std::uint64_t value, int digits);

// Removes blanks and control characters (everything up to U+0020) at the ends.
String Trim(const String& text);
String TrimLeft(const String& text);
String TrimRight(const String& text);

// Case rules of the platform: UpperCase/LowerCase/SameText/CompareText fold
// only the letters a to z; the Ansi variants fold every letter.
String UpperCase(const String& text);
String LowerCase(const String& text);
bool SameText(const String& a, const String& b);
int CompareText(const String& a, const String& b);
int CompareStr(const String& a, const String& b);
bool AnsiSameText(const String& a, const String& b);
int AnsiCompareText(const String& a, const String& b);

// A small printf-style formatter with the platform's directives:
// %d %u %x %X %s %f %e %g %n %m %%, with "-", width and ".precision".
// Arguments are QVariants so numbers and texts can be mixed freely.
#include <QVariant>
#include <initializer_list>
String Format(const String& format, std::initializer_list<QVariant> args);

// Boolean texts as the platform writes them.
String BoolToStr(bool value, bool useBoolStrs = false);
