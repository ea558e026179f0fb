// Arbitrary bytes through the XML reader every configuration, settings and
// language file goes through: it either loads a document with one root or
// refuses with a message, and whatever it loaded writes back and reads again
// to the same root.

#include "platform/Xml.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    TXMLDocument doc;
    try {
        doc.LoadFromBytes(bytes);
    } catch (const Exception& e) {
        if (e.Message().isEmpty() || !doc.DocumentElement().IsNull()) __builtin_trap();
        return 0;
    }
    if (doc.DocumentElement().IsNull()) __builtin_trap();
    TXMLDocument again;
    try {
        again.LoadFromBytes(doc.SaveToBytes());
    } catch (const Exception&) {
        __builtin_trap();
    }
    if (again.DocumentElement().NodeName() != doc.DocumentElement().NodeName()) __builtin_trap();
    return 0;
}
