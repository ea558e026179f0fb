// Arbitrary bytes as a document to append the grid's table to: the whole file,
// or its main part or relationships inside a sound package. The writer either
// refuses with an exception or gives a package whose document holds the table.

#include "grid/services/ZvOfficeFiles.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::uint8_t option = data[0];
    const QByteArray input(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QByteArray package = input;
    static const QByteArray sound = NewDocument(QStringLiteral("x"), {{{QStringLiteral("a"), TDocAlign::Left}}});
    if (option % 4 == 1 || option % 4 == 2) {
        TOfficePackage p = TOfficePackage::FromBytes(sound);
        p.SetPart(option % 4 == 1 ? QStringLiteral("word/document.xml") : QStringLiteral("_rels/.rels"), input);
        package = p.ToBytes();
    }
    const QString bookmark = option & 4 ? QStringLiteral("_Mark") : option & 8 ? QString() : QStringLiteral("b");
    const TDocTable table{{{QStringLiteral("FUZZTABLE"), TDocAlign::Right}, {QStringLiteral("z"), TDocAlign::Center}}};
    try {
        const QByteArray out = DocumentWithTable(package, QStringLiteral("typed"), bookmark, table);
        const TOfficePackage back = TOfficePackage::FromBytes(out);
        bool found = false;
        for (const auto& [name, bytes] : back.Parts())
            found = found || bytes.contains("FUZZTABLE");
        if (!found) __builtin_trap();
    } catch (const Exception&) {
    }
    return 0;
}
