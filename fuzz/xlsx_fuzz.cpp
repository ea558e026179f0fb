// Arbitrary bytes as a workbook: either the whole file, or one of its parts
// (the sheet, the workbook, its relationships, the shared strings, the
// styles) inside an otherwise sound package, which reaches the XML readers far
// more often than mutated zip bytes do. The reader either refuses with an
// exception or gives cells inside the sheet's limits; a sheet written into the
// workbook reads back as written.

#include "grid/services/ZvOfficeFiles.h"

#include <cstddef>
#include <cstdint>

namespace {

QByteArray SoundWorkbook()
{
    static const QByteArray bytes = [] {
        TOfficePackage p = TOfficePackage::FromBytes(NewWorkbook(QStringLiteral("S"), WorksheetXml({{"a", "1"}}, 1)));
        p.SetPart(QStringLiteral("xl/_rels/workbook.xml.rels"),
                  p.Part(QStringLiteral("xl/_rels/workbook.xml.rels"))
                      .replace("</Relationships>",
                               "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                               "relationships/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"));
        p.SetPart(QStringLiteral("xl/sharedStrings.xml"),
                  "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>x</t></si></sst>");
        return p.ToBytes();
    }();
    return bytes;
}

const char* const Parts[] = {"xl/worksheets/sheet1.xml", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                             "xl/sharedStrings.xml", "xl/styles.xml", "_rels/.rels"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const std::uint8_t option = data[0];
    const QByteArray input(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QByteArray package = input;
    const unsigned part = option % 8;
    if (part < 6) {
        TOfficePackage p = TOfficePackage::FromBytes(SoundWorkbook());
        p.SetPart(QString::fromLatin1(Parts[part]), input);
        package = p.ToBytes();
    }
    try {
        const auto book = OpenXlsxWorkbook(package);
        const auto names = book->SheetNames();
        for (int i = 0; i < int(names.size()); ++i) {
            try {
                const TSheetData sheet = book->ReadSheet(i);
                if (sheet.FirstRow < 1 || sheet.FirstCol < 1 || sheet.LastRow > 1048576 || sheet.LastCol > 16384 ||
                    sheet.FirstRow > sheet.LastRow || sheet.FirstCol > sheet.LastCol)
                    __builtin_trap();
                const TA1Range r = ParseA1Range(sheet.UsedRangeAddress());
                if (r.FirstRow != sheet.FirstRow || r.LastCol != sheet.LastCol) __builtin_trap();
            } catch (const Exception&) {
            }
        }
    } catch (const Exception&) {
        return 0;
    }
    // A sheet written into whatever opened keeps its cells.
    try {
        const QByteArray out = WorkbookWithSheet(package, QStringLiteral("Fuzz"), WorksheetXml({{"k", "2"}}, 1));
        const auto book = OpenXlsxWorkbook(out);
        const auto names = book->SheetNames();
        int index = -1;
        for (int i = 0; i < int(names.size()); ++i)
            if (names[size_t(i)] == QLatin1String("Fuzz")) index = i;
        if (index < 0) __builtin_trap();
        if (book->ReadSheet(index).Cells.at({1, 1}) != QLatin1String("k")) __builtin_trap();
    } catch (const Exception&) {
    }
    return 0;
}
