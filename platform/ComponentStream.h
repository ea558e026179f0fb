#pragma once
// The class library's binary component format, as far as records of plain
// published properties need it: each record is the signature "TPF0", the
// class name and the (empty) component name as short strings, then each
// property as its name (a short string; nested objects' properties as
// "Owner.Property") and a tagged value, then two end markers (end of the
// properties, end of the child list, which is always empty here).
//
// Values are written in their shortest form: integers as 8, 16, 32 or 64 bits,
// texts of ASCII characters as a short string (up to 255) or a long one,
// other texts as UTF-16 code units (so any text, lone surrogates included, comes back
// as it went), reals as 8-byte doubles. The reader also takes the other forms
// of the format (long and UTF-8 strings, single, extended, currency and date
// values) and checks every length against the bytes that are there: a broken,
// truncated or hostile record is refused with a reason, never read past.

#include "platform/SysUtils.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

// The format's value tags.
enum class TValueType : unsigned char {
    vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet,
    vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String, vaDouble
};

class TRecordWriter {
public:
    explicit TRecordWriter(QByteArray& Out) : FOut(Out) {}

    void BeginRecord(const char* ClassName);
    void EndRecord();

    void WriteInteger(const char* Name, qint64 Value);
    void WriteBoolean(const char* Name, bool Value);
    // An enumeration or other identifier, written as it is spelt.
    void WriteIdent(const char* Name, const char* Ident);
    void WriteSet(const char* Name, const std::vector<const char*>& Members);
    void WriteString(const char* Name, const String& Value);
    void WriteDouble(const char* Name, double Value);
    void WriteBinary(const char* Name, const QByteArray& Value);
    // A list of texts (a string list's lines).
    void WriteStringList(const char* Name, const QStringList& Lines);

private:
    void Name(const char* Name);
    void ShortString(const QByteArray& Text);
    void Tag(TValueType Type) { FOut.append(char(Type)); }
    void StringValue(const String& Value);
    template <class T>
    void Raw(T Value);

    QByteArray& FOut;
};

// One property as read: the tag says which member holds its value.
struct TRecordValue {
    TValueType Type = TValueType::vaNull;
    qint64 Int = 0;               // integers; false 0 and true 1
    double Real = 0;              // single, double, extended, currency, date
    String Text;                  // strings and identifiers
    QByteArray Bytes;             // binary
    QStringList Items;            // set members, list texts

    bool IsInteger() const;
    bool IsBoolean() const { return Type == TValueType::vaFalse || Type == TValueType::vaTrue; }
    bool IsReal() const;
    bool IsText() const;
};

struct TRecordProperty {
    QByteArray Name;
    TRecordValue Value;
};

struct TRecord {
    QByteArray ClassName;
    std::vector<TRecordProperty> Properties;
    // The property of that name, nil when the record has none.
    const TRecordValue* Find(const char* Name) const;
};

// Reads the record at Pos and moves Pos past it. False with a reason in Error
// ("Invalid stream format", "Stream read error" for a record cut short, or the
// value that cannot be read); Pos then stays where it was.
bool ReadRecord(const QByteArray& Data, qsizetype& Pos, TRecord& Record, String& Error);
