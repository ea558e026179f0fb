// Arbitrary bytes through the XML reader every configuration, settings and
// language file goes through: it either loads a document with one root or
// refuses with a message, and whatever it loaded writes back and reads again
// to the same root. The same bytes, taken as UTF-16 text, go through the
// writer: it refuses the text exactly when it holds a character XML cannot
// hold, and otherwise writes a file that reads back to the same text.

#include "platform/TextCodec.h"
#include "platform/Xml.h"

#include <cstddef>
#include <cstdint>

namespace {

void ReadThenWrite(const QByteArray& bytes)
{
    TXMLDocument doc;
    try {
        doc.LoadFromBytes(bytes);
    } catch (const Exception& e) {
        if (e.Message().isEmpty() || !doc.DocumentElement().IsNull()) __builtin_trap();
        return;
    }
    if (doc.DocumentElement().IsNull()) __builtin_trap();
    TXMLDocument again;
    try {
        again.LoadFromBytes(doc.SaveToBytes());
    } catch (const Exception&) {
        __builtin_trap();
    }
    if (again.DocumentElement().NodeName() != doc.DocumentElement().NodeName()) __builtin_trap();
}

void WriteThenRead(const QByteArray& bytes)
{
    String value;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        value += QChar(char16_t(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8));
    const bool storable = FirstUnstorableChar(value) < 0;
    const String name = QStringLiteral("Mnemonic");

    TXMLDocument doc;
    TXMLNode row = doc.CreateRoot(QStringLiteral("SNMP_Agent_Access")).AddChild(QStringLiteral("row"));
    try {
        row.SetAttribute(name, value);
        row.SetText(value);
    } catch (const EXMLDocError& e) {
        if (storable || e.Message().isEmpty()) __builtin_trap();
        return;
    }
    if (!storable) __builtin_trap();
    TXMLDocument back;
    try {
        back.LoadFromBytes(doc.SaveToBytes());
    } catch (const Exception&) {
        __builtin_trap();
    }
    const TXMLNode read = back.DocumentElement().ChildNode(QStringLiteral("row"));
    if (read.Attribute(name) != value || read.Text() != value) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    ReadThenWrite(bytes);
    WriteThenRead(bytes);
    return 0;
}
