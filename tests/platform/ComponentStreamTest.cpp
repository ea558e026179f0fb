#include "platform/ComponentStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values) b += char(v);
    return b;
}

template <class T>
QByteArray Le(T value)
{
    QByteArray b(sizeof(T), '\0');
    std::memcpy(b.data(), &value, sizeof(T));
    return b;
}

// A record of one property whose tag and value bytes are given as they stand in the stream.
QByteArray OneProperty(const QByteArray& tagAndValue)
{
    return QByteArray("TPF0") + Bytes({5}) + "TCell" + Bytes({0}) + Bytes({1}) + "V" + tagAndValue + Bytes({0, 0});
}

TRecord ReadOk(const QByteArray& data)
{
    TRecord record;
    String error;
    qsizetype pos = 0;
    EXPECT_TRUE(ReadRecord(data, pos, record, error)) << error.toStdString();
    EXPECT_EQ(pos, data.size());
    return record;
}

String ReadError(const QByteArray& data)
{
    TRecord record;
    String error;
    qsizetype pos = 0;
    EXPECT_FALSE(ReadRecord(data, pos, record, error));
    EXPECT_EQ(pos, 0) << "a refused record leaves the position where it was";
    return error;
}

QByteArray SampleRecord()
{
    QByteArray out;
    TRecordWriter w(out);
    w.BeginRecord("TGridCell");
    w.WriteInteger("Small", -128);
    w.WriteInteger("Medium", 128);
    w.WriteInteger("Large", -32769);
    w.WriteInteger("Huge", qint64(std::numeric_limits<qint32>::max()) + 1);
    w.WriteInteger("Least", std::numeric_limits<qint64>::min());
    w.WriteBoolean("On", true);
    w.WriteBoolean("Off", false);
    w.WriteIdent("Align", "taCenter");
    w.WriteSet("Style", {"fsBold", "fsItalic"});
    w.WriteSet("None", {});
    w.WriteString("Empty", String());
    w.WriteString("Short", String(255, QLatin1Char('a')));
    w.WriteString("Long", String(256, QLatin1Char('b')));
    w.WriteString("Wide", QStringLiteral("Gr\u00FC\u00DFe \u20AC"));
    w.WriteString("Lone", String(QChar(char16_t(0xD800))) + QLatin1Char('x'));
    w.WriteDouble("Real", -0.1);
    w.WriteBinary("Blob", QByteArray("\0\1\2", 3));
    w.WriteBinary("NoBlob", QByteArray());
    w.WriteStringList("Lines", {QStringLiteral("one"), QString(), QStringLiteral("dr\u00E9i")});
    w.EndRecord();
    return out;
}

TEST(ComponentStream, WrittenRecordReadsBackValueForValue)
{
    const TRecord r = ReadOk(SampleRecord());
    EXPECT_EQ(r.ClassName, QByteArray("TGridCell"));

    const struct {
        const char* name;
        TValueType type;
        qint64 value;
    } integers[] = {
        {"Small", TValueType::vaInt8, -128},
        {"Medium", TValueType::vaInt16, 128},
        {"Large", TValueType::vaInt32, -32769},
        {"Huge", TValueType::vaInt64, qint64(std::numeric_limits<qint32>::max()) + 1},
        {"Least", TValueType::vaInt64, std::numeric_limits<qint64>::min()},
        {"On", TValueType::vaTrue, 1},
        {"Off", TValueType::vaFalse, 0},
    };
    for (const auto& c : integers) {
        const TRecordValue* v = r.Find(c.name);
        ASSERT_NE(v, nullptr) << c.name;
        EXPECT_EQ(v->Type, c.type) << c.name << ": the shortest form is written";
        EXPECT_EQ(v->Int, c.value) << c.name;
    }

    EXPECT_EQ(r.Find("Align")->Text, QStringLiteral("taCenter"));
    EXPECT_EQ(r.Find("Style")->Items, QStringList({"fsBold", "fsItalic"}));
    EXPECT_TRUE(r.Find("None")->Items.isEmpty());

    const struct {
        const char* name;
        TValueType type;
        String text;
    } texts[] = {
        {"Empty", TValueType::vaString, String()},
        {"Short", TValueType::vaString, String(255, QLatin1Char('a'))},
        {"Long", TValueType::vaLString, String(256, QLatin1Char('b'))},
        {"Wide", TValueType::vaWString, QStringLiteral("Gr\u00FC\u00DFe \u20AC")},
        {"Lone", TValueType::vaWString, String(QChar(char16_t(0xD800))) + QLatin1Char('x')},
    };
    for (const auto& c : texts) {
        const TRecordValue* v = r.Find(c.name);
        ASSERT_NE(v, nullptr) << c.name;
        EXPECT_EQ(v->Type, c.type) << c.name;
        EXPECT_EQ(v->Text, c.text) << c.name;
    }

    EXPECT_EQ(r.Find("Real")->Real, -0.1);
    EXPECT_EQ(r.Find("Blob")->Bytes, QByteArray("\0\1\2", 3));
    EXPECT_TRUE(r.Find("NoBlob")->Bytes.isEmpty());
    EXPECT_EQ(r.Find("Lines")->Items, QStringList({"one", QString(), QStringLiteral("dr\u00E9i")}));
    EXPECT_EQ(r.Find("Missing"), nullptr);
}

TEST(ComponentStream, RecordsFollowOneAnother)
{
    QByteArray data;
    TRecordWriter w(data);
    for (int i = 0; i < 3; ++i) {
        w.BeginRecord("TRow");
        w.WriteInteger("Index", i);
        w.EndRecord();
    }
    qsizetype pos = 0;
    for (int i = 0; i < 3; ++i) {
        TRecord r;
        String error;
        ASSERT_TRUE(ReadRecord(data, pos, r, error)) << error.toStdString();
        EXPECT_EQ(r.Find("Index")->Int, i);
    }
    EXPECT_EQ(pos, data.size());
}

// The reader takes the forms other writers of the format use, which ours never writes.
TEST(ComponentStream, ReadsTheFormsItDoesNotWrite)
{
    // 1.0 and -2.5 as 80-bit extended reals: a 64-bit mantissa with its integer bit, then sign and exponent.
    const QByteArray one = Le(quint64(0x8000000000000000ull)) + Le(quint16(16383));
    const QByteArray minusTwoAndAHalf = Le(quint64(0xA000000000000000ull)) + Le(quint16(0x8000 | 16384));
    const struct {
        QByteArray bytes;
        TValueType type;
        double real;
        String text;
    } cases[] = {
        {Bytes({int(TValueType::vaExtended)}) + one, TValueType::vaExtended, 1.0, {}},
        {Bytes({int(TValueType::vaExtended)}) + minusTwoAndAHalf, TValueType::vaExtended, -2.5, {}},
        {Bytes({int(TValueType::vaSingle)}) + Le(1.5f), TValueType::vaSingle, 1.5, {}},
        {Bytes({int(TValueType::vaCurrency)}) + Le(qint64(12345)), TValueType::vaCurrency, 1.2345, {}},
        {Bytes({int(TValueType::vaDate)}) + Le(45000.25), TValueType::vaDate, 45000.25, {}},
        // Windows-1252 texts: 0x80 is the euro sign there.
        {Bytes({int(TValueType::vaString), 2, 'A', 0x80}), TValueType::vaString, 0, QStringLiteral("A\u20AC")},
        {Bytes({int(TValueType::vaLString)}) + Le(qint32(1)) + Bytes({0xE9}), TValueType::vaLString, 0,
         QStringLiteral("\u00E9")},
        {Bytes({int(TValueType::vaUTF8String)}) + Le(qint32(2)) + Bytes({0xC3, 0xA9}), TValueType::vaUTF8String, 0,
         QStringLiteral("\u00E9")},
        {Bytes({int(TValueType::vaNil)}), TValueType::vaNil, 0, {}},
    };
    for (const auto& c : cases) {
        const TRecord r = ReadOk(OneProperty(c.bytes));
        const TRecordValue* v = r.Find("V");
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->Type, c.type);
        EXPECT_DOUBLE_EQ(v->Real, c.real) << int(c.type);
        EXPECT_EQ(v->Text, c.text) << int(c.type);
    }
}

TEST(ComponentStream, EveryCutRecordIsRefusedAsShort)
{
    const QByteArray whole = SampleRecord();
    for (qsizetype n = 0; n < whole.size(); ++n)
        EXPECT_EQ(ReadError(whole.left(n)).left(17), QStringLiteral("Stream read error")) << "cut at " << n;
}

TEST(ComponentStream, MalformedRecordsAreRefusedWithAReason)
{
    const QByteArray recordEnd = Bytes({0, 0});
    const struct {
        const char* what;
        QByteArray bytes;
        const char* error;
    } cases[] = {
        {"wrong signature", QByteArray("TPF1") + Bytes({1}) + "T" + Bytes({0}) + recordEnd, "Invalid stream format"},
        {"no class name", QByteArray("TPF0") + Bytes({0, 0}) + recordEnd, "Invalid stream format"},
        {"unknown tag", OneProperty(Bytes({0x40})), "Invalid stream format (property V)"},
        {"collection", OneProperty(Bytes({int(TValueType::vaCollection)})), "Invalid stream format (property V)"},
        {"negative long string", OneProperty(Bytes({int(TValueType::vaLString)}) + Le(qint32(-1))),
         "Invalid stream format (property V)"},
        {"negative binary", OneProperty(Bytes({int(TValueType::vaBinary)}) + Le(qint32(-5))),
         "Invalid stream format (property V)"},
        {"wide string longer than the data",
         OneProperty(Bytes({int(TValueType::vaWString)}) + Le(qint32(0x7FFFFFFF)) + "ab"),
         "Stream read error (property V)"},
        {"binary longer than the data", OneProperty(Bytes({int(TValueType::vaBinary)}) + Le(qint32(1000)) + "x"),
         "Stream read error (property V)"},
        {"list holding a number", OneProperty(Bytes({int(TValueType::vaList), int(TValueType::vaInt8), 1, 0})),
         "Invalid stream format (property V)"},
        {"a child record", QByteArray("TPF0") + Bytes({1}) + "T" + Bytes({0, 0, 1}), "Invalid stream format"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadError(c.bytes), QString::fromLatin1(c.error)) << c.what;
}

// Changed bytes anywhere in a record must give either a record or a refusal, never a read past the data;
// run under the sanitizers this is the reader's fuzz test in small.
TEST(ComponentStream, ChangedBytesNeverReadPastTheData)
{
    const QByteArray whole = SampleRecord();
    std::mt19937 random(20261211);
    for (int round = 0; round < 3000; ++round) {
        QByteArray data = whole;
        const int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i) data[qsizetype(random() % data.size())] = char(random() & 0xFF);
        if (random() % 3 == 0) data.truncate(qsizetype(random() % data.size()));
        TRecord r;
        String error;
        qsizetype pos = 0;
        if (ReadRecord(data, pos, r, error))
            EXPECT_LE(pos, data.size());
        else
            EXPECT_FALSE(error.isEmpty());
    }
}

}   // namespace
