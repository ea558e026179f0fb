#include "platform/ComponentStream.h"

#include "platform/TextCodec.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {
const char kSignature[4] = {'T', 'P', 'F', '0'};

bool IsAscii(const String& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}
}   // namespace

// ---- Writing ---------------------------------------------------------------------------------------------------

template <class T>
void TRecordWriter::Raw(T Value)
{
    char bytes[sizeof(T)];
    std::memcpy(bytes, &Value, sizeof(T));   // the format is little-endian, as this machine
    FOut.append(bytes, sizeof(T));
}

void TRecordWriter::ShortString(const QByteArray& Text)
{
    FOut.append(char(uchar(Text.size())));
    FOut.append(Text);
}

void TRecordWriter::Name(const char* Name) { ShortString(QByteArray(Name)); }

void TRecordWriter::BeginRecord(const char* ClassName)
{
    FOut.append(kSignature, 4);
    ShortString(QByteArray(ClassName));
    ShortString({});
}

void TRecordWriter::EndRecord()
{
    Tag(TValueType::vaNull);   // end of the properties
    Tag(TValueType::vaNull);   // end of the (empty) child list
}

void TRecordWriter::WriteInteger(const char* PropName, qint64 Value)
{
    Name(PropName);
    if (Value >= -128 && Value <= 127) {
        Tag(TValueType::vaInt8);
        Raw(qint8(Value));
    } else if (Value >= -32768 && Value <= 32767) {
        Tag(TValueType::vaInt16);
        Raw(qint16(Value));
    } else if (Value >= std::numeric_limits<qint32>::min() && Value <= std::numeric_limits<qint32>::max()) {
        Tag(TValueType::vaInt32);
        Raw(qint32(Value));
    } else {
        Tag(TValueType::vaInt64);
        Raw(qint64(Value));
    }
}

void TRecordWriter::WriteBoolean(const char* PropName, bool Value)
{
    Name(PropName);
    Tag(Value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TRecordWriter::WriteIdent(const char* PropName, const char* Ident)
{
    Name(PropName);
    Tag(TValueType::vaIdent);
    ShortString(QByteArray(Ident));
}

void TRecordWriter::WriteSet(const char* PropName, const std::vector<const char*>& Members)
{
    Name(PropName);
    Tag(TValueType::vaSet);
    for (const char* m : Members) ShortString(QByteArray(m));
    ShortString({});
}

void TRecordWriter::StringValue(const String& Value)
{
    if (IsAscii(Value)) {
        if (Value.size() <= 255) {
            Tag(TValueType::vaString);
            ShortString(Value.toLatin1());
        } else {
            Tag(TValueType::vaLString);
            Raw(qint32(Value.size()));
            FOut.append(Value.toLatin1());
        }
        return;
    }
    Tag(TValueType::vaWString);
    Raw(qint32(Value.size()));
    for (QChar c : Value) Raw(quint16(c.unicode()));
}

void TRecordWriter::WriteString(const char* PropName, const String& Value)
{
    Name(PropName);
    StringValue(Value);
}

void TRecordWriter::WriteDouble(const char* PropName, double Value)
{
    Name(PropName);
    Tag(TValueType::vaDouble);
    Raw(Value);
}

void TRecordWriter::WriteBinary(const char* PropName, const QByteArray& Value)
{
    Name(PropName);
    Tag(TValueType::vaBinary);
    Raw(qint32(Value.size()));
    FOut.append(Value);
}

void TRecordWriter::WriteStringList(const char* PropName, const QStringList& Lines)
{
    Name(PropName);
    Tag(TValueType::vaList);
    for (const String& line : Lines) StringValue(line);
    Tag(TValueType::vaNull);
}

// ---- Reading ---------------------------------------------------------------------------------------------------

bool TRecordValue::IsInteger() const
{
    return Type == TValueType::vaInt8 || Type == TValueType::vaInt16 || Type == TValueType::vaInt32 ||
           Type == TValueType::vaInt64;
}

bool TRecordValue::IsReal() const
{
    return Type == TValueType::vaExtended || Type == TValueType::vaSingle || Type == TValueType::vaDouble ||
           Type == TValueType::vaCurrency || Type == TValueType::vaDate || IsInteger();
}

bool TRecordValue::IsText() const
{
    return Type == TValueType::vaString || Type == TValueType::vaLString || Type == TValueType::vaWString ||
           Type == TValueType::vaUTF8String;
}

const TRecordValue* TRecord::Find(const char* Name) const
{
    for (const TRecordProperty& p : Properties)
        if (p.Name == Name) return &p.Value;
    return nullptr;
}

namespace {

// A cursor over the record's bytes that never reads past them: every read says whether the bytes were there.
class TCursor {
public:
    TCursor(const QByteArray& Data, qsizetype Pos) : FData(Data), FPos(Pos) {}
    qsizetype Pos() const { return FPos; }
    qsizetype Left() const { return FData.size() - FPos; }

    bool Bytes(qsizetype Count, QByteArray& Out)
    {
        if (Count < 0 || Count > Left()) return false;
        Out = FData.mid(FPos, Count);
        FPos += Count;
        return true;
    }
    template <class T>
    bool Raw(T& Value)
    {
        if (qsizetype(sizeof(T)) > Left()) return false;
        std::memcpy(&Value, FData.constData() + FPos, sizeof(T));
        FPos += sizeof(T);
        return true;
    }
    bool ShortString(QByteArray& Out)
    {
        quint8 length = 0;
        return Raw(length) && Bytes(length, Out);
    }

private:
    const QByteArray& FData;
    qsizetype FPos;
};

// The 80-bit extended real of the format: sign and 15-bit exponent, then a 64-bit mantissa with its integer bit.
double ExtendedToDouble(const unsigned char* b)
{
    quint64 mantissa = 0;
    std::memcpy(&mantissa, b, 8);
    const unsigned signExp = unsigned(b[8]) | (unsigned(b[9]) << 8);
    const int exponent = int(signExp & 0x7FFF);
    const bool negative = (signExp & 0x8000) != 0;
    double value;
    if (exponent == 0x7FFF)
        value = mantissa << 1 ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
    else
        value = std::ldexp(double(mantissa), (exponent == 0 ? 1 : exponent) - 16383 - 63);
    return negative ? -value : value;
}

enum class TRead { Ok, Short, Bad };

// Reads one text value of the tag already read.
TRead ReadText(TCursor& in, TValueType type, String& text)
{
    QByteArray bytes;
    qint32 count = 0;
    switch (type) {
    case TValueType::vaString:
        if (!in.ShortString(bytes)) return TRead::Short;
        text = DecodeWindows1252(bytes);
        return TRead::Ok;
    case TValueType::vaLString:
        if (!in.Raw(count)) return TRead::Short;
        if (count < 0) return TRead::Bad;
        if (!in.Bytes(count, bytes)) return TRead::Short;
        text = DecodeWindows1252(bytes);
        return TRead::Ok;
    case TValueType::vaUTF8String:
        if (!in.Raw(count)) return TRead::Short;
        if (count < 0) return TRead::Bad;
        if (!in.Bytes(count, bytes)) return TRead::Short;
        text = QString::fromUtf8(bytes);
        return TRead::Ok;
    case TValueType::vaWString: {
        if (!in.Raw(count)) return TRead::Short;
        if (count < 0 || count > in.Left() / 2 + 1) return count < 0 ? TRead::Bad : TRead::Short;
        if (!in.Bytes(qsizetype(count) * 2, bytes)) return TRead::Short;
        text.resize(count);
        for (qint32 i = 0; i < count; ++i)
            text[i] = QChar(char16_t(uchar(bytes[2 * i]) | (uchar(bytes[2 * i + 1]) << 8)));
        return TRead::Ok;
    }
    default:
        return TRead::Bad;
    }
}

TRead ReadValue(TCursor& in, TRecordValue& v)
{
    quint8 tag = 0;
    if (!in.Raw(tag)) return TRead::Short;
    if (tag > quint8(TValueType::vaDouble)) return TRead::Bad;
    v.Type = TValueType(tag);
    switch (v.Type) {
    case TValueType::vaInt8: {
        qint8 x = 0;
        if (!in.Raw(x)) return TRead::Short;
        v.Int = x;
        v.Real = x;
        return TRead::Ok;
    }
    case TValueType::vaInt16: {
        qint16 x = 0;
        if (!in.Raw(x)) return TRead::Short;
        v.Int = x;
        v.Real = x;
        return TRead::Ok;
    }
    case TValueType::vaInt32: {
        qint32 x = 0;
        if (!in.Raw(x)) return TRead::Short;
        v.Int = x;
        v.Real = x;
        return TRead::Ok;
    }
    case TValueType::vaInt64: {
        qint64 x = 0;
        if (!in.Raw(x)) return TRead::Short;
        v.Int = x;
        v.Real = double(x);
        return TRead::Ok;
    }
    case TValueType::vaExtended: {
        unsigned char b[10];
        for (unsigned char& x : b)
            if (!in.Raw(x)) return TRead::Short;
        v.Real = ExtendedToDouble(b);
        return TRead::Ok;
    }
    case TValueType::vaSingle: {
        float x = 0;
        if (!in.Raw(x)) return TRead::Short;
        v.Real = x;
        return TRead::Ok;
    }
    case TValueType::vaDouble:
    case TValueType::vaDate: {
        double x = 0;
        if (!in.Raw(x)) return TRead::Short;
        v.Real = x;
        return TRead::Ok;
    }
    case TValueType::vaCurrency: {
        qint64 x = 0;
        if (!in.Raw(x)) return TRead::Short;
        v.Real = double(x) / 10000.0;
        return TRead::Ok;
    }
    case TValueType::vaFalse:
    case TValueType::vaTrue:
        v.Int = v.Type == TValueType::vaTrue ? 1 : 0;
        return TRead::Ok;
    case TValueType::vaNil:
    case TValueType::vaNull:
        return TRead::Ok;
    case TValueType::vaIdent: {
        QByteArray bytes;
        if (!in.ShortString(bytes)) return TRead::Short;
        v.Text = QString::fromLatin1(bytes);
        return TRead::Ok;
    }
    case TValueType::vaBinary: {
        qint32 count = 0;
        if (!in.Raw(count)) return TRead::Short;
        if (count < 0) return TRead::Bad;
        return in.Bytes(count, v.Bytes) ? TRead::Ok : TRead::Short;
    }
    case TValueType::vaSet:
        for (;;) {
            QByteArray member;
            if (!in.ShortString(member)) return TRead::Short;
            if (member.isEmpty()) return TRead::Ok;
            v.Items.append(QString::fromLatin1(member));
        }
    case TValueType::vaList:
        // Only lists of texts are carried; each entry needs at least its tag, so the loop ends with the bytes.
        for (;;) {
            quint8 itemTag = 0;
            if (!in.Raw(itemTag)) return TRead::Short;
            if (itemTag == quint8(TValueType::vaNull)) return TRead::Ok;
            String text;
            const TRead r = ReadText(in, TValueType(itemTag), text);
            if (r != TRead::Ok) return r;
            v.Items.append(text);
        }
    case TValueType::vaCollection:
        return TRead::Bad;
    default:
        return ReadText(in, v.Type, v.Text);
    }
}

}   // namespace

bool ReadRecord(const QByteArray& Data, qsizetype& Pos, TRecord& Record, String& Error)
{
    Record = TRecord();
    TCursor in(Data, Pos);
    const auto fail = [&](TRead why, const QByteArray& where = {}) {
        Error = why == TRead::Short ? QStringLiteral("Stream read error") : QStringLiteral("Invalid stream format");
        if (!where.isEmpty()) Error += QStringLiteral(" (property %1)").arg(QString::fromLatin1(where));
        return false;
    };
    QByteArray signature;
    if (!in.Bytes(4, signature)) return fail(TRead::Short);
    if (signature != QByteArray(kSignature, 4)) return fail(TRead::Bad);
    QByteArray componentName;
    if (!in.ShortString(Record.ClassName) || !in.ShortString(componentName)) return fail(TRead::Short);
    if (Record.ClassName.isEmpty()) return fail(TRead::Bad);
    for (;;) {
        TRecordProperty property;
        if (!in.ShortString(property.Name)) return fail(TRead::Short);
        if (property.Name.isEmpty()) break;   // the end marker is an empty name
        const TRead r = ReadValue(in, property.Value);
        if (r != TRead::Ok) return fail(r, property.Name);
        Record.Properties.push_back(std::move(property));
    }
    // The child list: records here never have children.
    quint8 childEnd = 0;
    if (!in.Raw(childEnd)) return fail(TRead::Short);
    if (childEnd != 0) return fail(TRead::Bad);
    Pos = in.Pos();
    return true;
}
