// The office files: zip packages through libzip, their XML parts through
// pugixml, legacy .xls through FreeXL.

#include "grid/services/ZvOfficeFiles.h"

#include "grid/ZvBaseGrid.h"
#include "platform/DateUtils.h"
#include "platform/Files.h"
#include "platform/Regional.h"
#include "platform/ScopeGuard.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <freexl.h>
#include <pugixml.hpp>
#include <zip.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace {

// A part larger than this is refused rather than read: a package is small,
// and a damaged one may claim any size.
constexpr zip_uint64_t MaxPartSize = 512ull * 1024 * 1024;
// The largest sheet the spreadsheet itself allows.
constexpr int MaxSheetRows = 1048576;
constexpr int MaxSheetCols = 16384;

const char* const RelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* const PackageRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";
const char* const SheetMlNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const WordMlNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
const char* const OfficeDocRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
const char* const WorksheetRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
const char* const WorksheetType = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";

[[noreturn]] void IncorrectXLS() { throw Exception(QStringLiteral("Incorrect XLS file")); }

// ---- XML helpers: the parts may carry any namespace prefix, so names are compared without it ----

const char* LocalName(const char* Name)
{
    const char* colon = std::strrchr(Name, ':');
    return colon ? colon + 1 : Name;
}

bool IsNamed(const pugi::xml_node& Node, const char* Local)
{
    return Node.type() == pugi::node_element && std::strcmp(LocalName(Node.name()), Local) == 0;
}

pugi::xml_node Child(const pugi::xml_node& Node, const char* Local)
{
    for (pugi::xml_node c = Node.first_child(); c; c = c.next_sibling())
        if (IsNamed(c, Local)) return c;
    return {};
}

std::vector<pugi::xml_node> Children(const pugi::xml_node& Node, const char* Local)
{
    std::vector<pugi::xml_node> out;
    for (pugi::xml_node c = Node.first_child(); c; c = c.next_sibling())
        if (IsNamed(c, Local)) out.push_back(c);
    return out;
}

// The attribute by its name without prefix; with Prefixed only one that has a
// prefix (the relationship id "r:id" beside a plain "id").
pugi::xml_attribute Attr(const pugi::xml_node& Node, const char* Local, bool Prefixed = false)
{
    for (pugi::xml_attribute a = Node.first_attribute(); a; a = a.next_attribute()) {
        if (Prefixed && !std::strchr(a.name(), ':')) continue;
        if (std::strcmp(LocalName(a.name()), Local) == 0) return a;
    }
    return {};
}

String Utf8(const char* Text) { return String::fromUtf8(Text); }
std::string Utf8(const String& Text) { return Text.toStdString(); }

bool LoadXml(pugi::xml_document& Doc, const QByteArray& Bytes)
{
    return Doc.load_buffer(Bytes.constData(), size_t(Bytes.size()),
                           pugi::parse_default | pugi::parse_ws_pcdata_single, pugi::encoding_auto);
}

QByteArray SaveXml(const pugi::xml_document& Doc)
{
    struct Writer : pugi::xml_writer {
        QByteArray Out;
        void write(const void* data, size_t size) override { Out.append(static_cast<const char*>(data), qsizetype(size)); }
    } writer;
    Doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return writer.Out;
}

// The texts of every element with this local name under Node, in document
// order, leaving out the phonetic runs (they repeat the text in another
// script). Walked without recursion: a damaged part may nest deeply.
String CollectText(const pugi::xml_node& Node)
{
    String out;
    pugi::xml_node n = Node.first_child();
    while (n) {
        bool descend = n.first_child() && !IsNamed(n, "rPh");
        if (IsNamed(n, "t")) {
            out += Utf8(n.child_value());
            descend = false;
        }
        if (descend) {
            n = n.first_child();
            continue;
        }
        while (n && !n.next_sibling() && n != Node) n = n.parent();
        if (!n || n == Node) break;
        n = n.next_sibling();
    }
    return out;
}

// ---- Relationships ----

struct TRelationship {
    String Id;
    String Type;
    String Target;
};

std::vector<TRelationship> ReadRelationships(const TOfficePackage& Package, const String& RelsPart)
{
    std::vector<TRelationship> out;
    pugi::xml_document doc;
    if (!LoadXml(doc, Package.Part(RelsPart))) return out;
    for (const pugi::xml_node& r : Children(doc.document_element(), "Relationship"))
        out.push_back({Utf8(Attr(r, "Id").value()), Utf8(Attr(r, "Type").value()), Utf8(Attr(r, "Target").value())});
    return out;
}

String RelsPartOf(const String& Part)
{
    const int slash = int(Part.lastIndexOf(u'/'));
    return Part.left(slash + 1) + QStringLiteral("_rels/") + Part.mid(slash + 1) + QStringLiteral(".rels");
}

// The package's main part of that kind, by the root relationship; a package
// without one is no office document.
String MainPart(const TOfficePackage& Package)
{
    for (const TRelationship& r : ReadRelationships(Package, QStringLiteral("_rels/.rels")))
        if (r.Type == QLatin1String(OfficeDocRel)) return ResolvePartName(QString(), r.Target);
    return {};
}

// ---- Cell values ----

// Excel counts days from 1899-12-31 as day 1 and keeps the 29th of February
// 1900 that never was; the platform's dates count from 1899-12-30.
bool SerialToDate(double Serial, bool Date1904, TDateTime& Value)
{
    if (!std::isfinite(Serial) || Serial < 0 || Serial > 2958465.0) return false;
    Value = Date1904 ? Serial + 1462 : (Serial < 60 ? Serial + 1 : Serial);
    return true;
}

// An ISO date and time as the platform writes dates; the ISO text itself when
// it is no date the platform can hold.
String IsoDateText(const String& Iso, Qt::DateFormat Format)
{
    const QDateTime when = QDateTime::fromString(Iso, Format);
    TDateTime day = 0;
    if (!when.isValid() || !TryEncodeDate(when.date().year(), when.date().month(), when.date().day(), day)) return Iso;
    return DateTimeToStr(day + when.time().msecsSinceStartOfDay() / 86400000.0);
}

bool IsDateFormatCode(const String& Code)
{
    bool quoted = false;
    for (int i = 0; i < Code.size(); ++i) {
        const QChar c = Code[i];
        if (c == u'"') quoted = !quoted;
        if (quoted) continue;
        if (c == u';') break; // the first section decides
        if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
            continue;
        }
        if (c == u'[') { // colours and conditions; elapsed [h], [m], [s] are times
            const int end = int(Code.indexOf(u']', i));
            if (end < 0) break;
            const String inner = Code.mid(i + 1, end - i - 1).toLower();
            if (inner == u"h" || inner == u"hh" || inner == u"m" || inner == u"mm" || inner == u"s" || inner == u"ss")
                return true;
            i = end;
            continue;
        }
        if (String(QStringLiteral("dmyhsDMYHS")).contains(c)) return true;
    }
    return false;
}

bool IsBuiltinDateFormat(int Id) { return (Id >= 14 && Id <= 22) || (Id >= 45 && Id <= 47); }

// Parses "B12" into row and column; false for anything else.
bool ParseCellRef(const String& Ref, int& Row, int& Col)
{
    int i = 0;
    while (i < Ref.size() && Ref[i].isLetter() && Ref[i].unicode() < 128) ++i;
    if (i == 0 || i == Ref.size()) return false;
    Col = ColumnNumber(Ref.left(i));
    bool ok = false;
    const int row = Ref.mid(i).toInt(&ok);
    for (int k = i; k < Ref.size(); ++k)
        if (!Ref[k].isDigit()) return false;
    if (!ok || Col < 1 || Col > MaxSheetCols || row < 1 || row > MaxSheetRows) return false;
    Row = row;
    return true;
}

String NumberText(const String& Raw)
{
    bool ok = false;
    const double v = Raw.trimmed().toDouble(&ok); // stored in the file's invariant form
    return ok && std::isfinite(v) ? FloatToStr(v) : Raw;
}

class TXlsxReader : public TWorkbookReader {
public:
    explicit TXlsxReader(const QByteArray& Bytes) : FPackage(TOfficePackage::FromBytes(Bytes))
    {
        FWorkbookPart = MainPart(FPackage);
        pugi::xml_document wb;
        if (FWorkbookPart.isEmpty() || !LoadXml(wb, FPackage.Part(FWorkbookPart)))
            throw Exception(QStringLiteral("The file holds no workbook"));
        const pugi::xml_node root = wb.document_element();
        if (!IsNamed(root, "workbook")) throw Exception(QStringLiteral("The file holds no workbook"));
        const auto rels = ReadRelationships(FPackage, RelsPartOf(FWorkbookPart));
        for (const pugi::xml_node& s : Children(Child(root, "sheets"), "sheet")) {
            const String id = Utf8(Attr(s, "id", true).value());
            String part;
            for (const TRelationship& r : rels)
                if (r.Id == id) part = ResolvePartName(FWorkbookPart, r.Target);
            FSheets.push_back({Utf8(Attr(s, "name").value()), part});
        }
        FActive = Attr(Child(Child(root, "bookViews"), "workbookView"), "activeTab").as_int(0);
        if (FActive < 0 || FActive >= int(FSheets.size())) FActive = 0;
        FDate1904 = Attr(Child(root, "workbookPr"), "date1904").as_bool(false);
        for (const TRelationship& r : rels) {
            const String part = ResolvePartName(FWorkbookPart, r.Target);
            if (r.Type.endsWith(QLatin1String("/sharedStrings"))) ReadSharedStrings(part);
            if (r.Type.endsWith(QLatin1String("/styles"))) ReadStyles(part);
        }
    }

    std::vector<String> SheetNames() const override
    {
        std::vector<String> out;
        for (const auto& s : FSheets) out.push_back(s.first);
        return out;
    }
    int ActiveSheet() const override { return FActive; }

    TSheetData ReadSheet(int Index) const override
    {
        if (Index < 0 || Index >= int(FSheets.size())) IncorrectXLS();
        pugi::xml_document doc;
        if (!LoadXml(doc, FPackage.Part(FSheets[size_t(Index)].second))) IncorrectXLS();
        const pugi::xml_node root = doc.document_element();
        if (!IsNamed(root, "worksheet")) IncorrectXLS();
        TSheetData data;
        int rowNo = 0;
        for (const pugi::xml_node& row : Children(Child(root, "sheetData"), "row")) {
            const pugi::xml_attribute r = Attr(row, "r");
            rowNo = r ? r.as_int(0) : rowNo + 1;
            if (rowNo < 1 || rowNo > MaxSheetRows) IncorrectXLS();
            int colNo = 0;
            for (const pugi::xml_node& c : Children(row, "c")) {
                const pugi::xml_attribute ref = Attr(c, "r");
                int cellRow = rowNo;
                if (ref) {
                    if (!ParseCellRef(Utf8(ref.value()), cellRow, colNo)) IncorrectXLS();
                } else if (++colNo > MaxSheetCols) {
                    IncorrectXLS();
                }
                data.Extend(cellRow, colNo);
                bool has = false;
                bool error = false;
                const String text = CellText(c, has, error);
                if (has) data.Cells[{cellRow, colNo}] = text;
                if (error) data.Errors.insert({cellRow, colNo});
            }
        }
        return data;
    }

private:
    void ReadSharedStrings(const String& Part)
    {
        pugi::xml_document doc;
        if (!LoadXml(doc, FPackage.Part(Part))) IncorrectXLS();
        for (const pugi::xml_node& si : Children(doc.document_element(), "si")) FShared.push_back(CollectText(si));
    }

    void ReadStyles(const String& Part)
    {
        pugi::xml_document doc;
        if (!LoadXml(doc, FPackage.Part(Part))) return; // without styles every number is a number
        const pugi::xml_node root = doc.document_element();
        std::set<int> dateFormats;
        for (const pugi::xml_node& f : Children(Child(root, "numFmts"), "numFmt"))
            if (IsDateFormatCode(Utf8(Attr(f, "formatCode").value()))) dateFormats.insert(Attr(f, "numFmtId").as_int(-1));
        for (const pugi::xml_node& xf : Children(Child(root, "cellXfs"), "xf")) {
            const int id = Attr(xf, "numFmtId").as_int(0);
            FDateStyles.push_back(IsBuiltinDateFormat(id) || dateFormats.count(id) > 0);
        }
    }

    // The value as the spreadsheet hands it out, as text; Has is false for
    // an empty cell and an error value, which leave the grid cell as it is.
    String CellText(const pugi::xml_node& C, bool& Has, bool& Error) const
    {
        Error = false;
        const String type = Utf8(Attr(C, "t").value());
        const String v = Utf8(Child(C, "v").child_value());
        Has = true;
        if (type == u"inlineStr") return CollectText(Child(C, "is"));
        if (!Child(C, "v")) {
            Has = false;
            return {};
        }
        if (type == u"s") {
            bool ok = false;
            const int index = v.toInt(&ok);
            if (!ok || index < 0 || index >= int(FShared.size())) IncorrectXLS();
            return FShared[size_t(index)];
        }
        if (type == u"str") return v;
        if (type == u"b") return v.trimmed() == u"1" ? QStringLiteral("True") : QStringLiteral("False");
        if (type == u"e") {
            Has = false;
            Error = true;
            return {};
        }
        if (type == u"d") {
            return IsoDateText(v.trimmed(), Qt::ISODateWithMs);
        }
        const int style = Attr(C, "s").as_int(0);
        if (style > 0 && style < int(FDateStyles.size()) && FDateStyles[size_t(style)]) {
            bool ok = false;
            TDateTime date = 0;
            if (SerialToDate(v.trimmed().toDouble(&ok), FDate1904, date) && ok) return DateTimeToStr(date);
        }
        return NumberText(v);
    }

    TOfficePackage FPackage;
    String FWorkbookPart;
    std::vector<std::pair<String, String>> FSheets; // name, part
    int FActive = 0;
    bool FDate1904 = false;
    std::vector<String> FShared;
    std::vector<bool> FDateStyles;
};

// Legacy workbooks through FreeXL, which reads BIFF5 and BIFF8 sheets.
class TXlsReader : public TWorkbookReader {
public:
    explicit TXlsReader(const String& FileName)
    {
        const std::string path = QFile::encodeName(FileName).toStdString();
        const int ret = freexl_open(path.c_str(), &FHandle);
        if (ret != FREEXL_OK) {
            if (FHandle) freexl_close(FHandle);
            FHandle = nullptr;
            throw Exception(QStringLiteral("FreeXL cannot read it (code %1)").arg(ret));
        }
        unsigned int count = 0;
        if (freexl_get_info(FHandle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) count = 0;
        for (unsigned int i = 0; i < count; ++i) {
            const char* name = nullptr;
            freexl_get_worksheet_name(FHandle, static_cast<unsigned short>(i), &name);
            FNames.push_back(name ? Utf8(name) : String());
        }
    }
    ~TXlsReader() override
    {
        if (FHandle) freexl_close(FHandle);
    }
    TXlsReader(const TXlsReader&) = delete;
    TXlsReader& operator=(const TXlsReader&) = delete;

    std::vector<String> SheetNames() const override { return FNames; }
    // FreeXL does not tell which sheet was open last; the first stands for it.
    int ActiveSheet() const override { return 0; }

    TSheetData ReadSheet(int Index) const override
    {
        if (Index < 0 || Index >= int(FNames.size())) IncorrectXLS();
        if (freexl_select_active_worksheet(FHandle, static_cast<unsigned short>(Index)) != FREEXL_OK) IncorrectXLS();
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_worksheet_dimensions(FHandle, &rows, &cols) != FREEXL_OK) IncorrectXLS();
        TSheetData data;
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < cols; ++c) {
                FreeXL_CellValue cell;
                if (freexl_get_cell_value(FHandle, r, c, &cell) != FREEXL_OK) IncorrectXLS();
                String text;
                switch (cell.type) {
                case FREEXL_CELL_INT: text = IntToStr(cell.value.int_value); break;
                case FREEXL_CELL_DOUBLE: text = FloatToStr(cell.value.double_value); break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT: text = Utf8(cell.value.text_value); break;
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME: text = IsoText(Utf8(cell.value.text_value), cell.type); break;
                default: continue;
                }
                const int row = int(r) + 1;
                const int col = int(c) + 1;
                data.Extend(row, col);
                data.Cells[{row, col}] = text;
            }
        }
        return data;
    }

private:
    // FreeXL gives dates as ISO texts; the grid shows them as the platform writes dates.
    static String IsoText(const String& Iso, unsigned char Type)
    {
        if (Type == FREEXL_CELL_TIME) {
            const QTime t = QTime::fromString(Iso, QStringLiteral("HH:mm:ss"));
            return t.isValid() ? DateTimeToStr(t.msecsSinceStartOfDay() / 86400000.0) : Iso;
        }
        return IsoDateText(Type == FREEXL_CELL_DATE ? Iso + QStringLiteral("T00:00:00") : String(Iso).replace(u' ', u'T'),
                           Qt::ISODate);
    }

    const void* FHandle = nullptr;
    std::vector<String> FNames;
};

// ---- Writing ----

String XmlEscaped(const String& Text)
{
    String out;
    out.reserve(Text.size());
    for (const QChar c : Text) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        default:
            // Control characters other than tab, LF and CR cannot stand in XML 1.0; they are dropped
            // rather than making the whole file unreadable.
            if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') continue;
            if (c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) continue;
            if (c == u'\r') {
                out += QStringLiteral("&#13;"); // a bare CR would read back as LF
                continue;
            }
            out += c;
        }
    }
    return out;
}

QByteArray Xml(const String& Text) { return Text.toUtf8(); }

const char* const XmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

} // namespace

// ---- A1 addresses ----

String ColumnLetters(int Column)
{
    String out;
    while (Column > 0) {
        const int rest = (Column - 1) % 26;
        out.prepend(QChar(u'A' + rest));
        Column = (Column - 1) / 26;
    }
    return out;
}

int ColumnNumber(const String& Letters)
{
    if (Letters.isEmpty()) return -1;
    long long n = 0;
    for (const QChar c : Letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z') return -1;
        n = n * 26 + (u - u'A' + 1);
        if (n > std::numeric_limits<int>::max()) return -1;
    }
    return int(n);
}

namespace {
// One side of an address with its "$" signs gone: a row ("7"), a column
// ("D") or a cell ("D7"); the missing piece is -1.
void ParseA1Part(const String& Part, int& Row, int& Col)
{
    String p = Part;
    p.remove(u'$');
    Row = Col = -1;
    int i = 0;
    while (i < p.size() && p[i].isLetter()) ++i;
    const String letters = p.left(i);
    const String digits = p.mid(i);
    if (!letters.isEmpty()) Col = ColumnNumber(letters);
    if (!digits.isEmpty()) {
        for (const QChar c : digits)
            if (!c.isDigit()) return void(Col = -1);
        Row = StrToIntDef(digits, -1);
    }
}
} // namespace

TA1Range ParseA1Range(const String& Address)
{
    TA1Range r;
    const int colon = int(Address.indexOf(u':'));
    if (colon >= 0) {
        r.IsRange = true;
        int col1 = -1, col2 = -1;
        ParseA1Part(Address.left(colon), r.FirstRow, col1);
        ParseA1Part(Address.mid(colon + 1), r.LastRow, col2);
        if (col1 == -1 && r.FirstRow > 0 && !Address.left(colon).contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) {
            r.FirstCol = 1; // whole rows: the spreadsheet's classic width
            r.LastCol = 256;
        } else {
            r.FirstCol = col1;
            r.LastCol = col2;
        }
        return r;
    }
    if (!Address.contains(u'$')) {
        r.FirstRow = r.FirstCol = r.LastRow = r.LastCol = 1;
        return r;
    }
    ParseA1Part(Address, r.FirstRow, r.FirstCol);
    r.LastRow = r.FirstRow;
    r.LastCol = r.FirstCol;
    return r;
}

String A1RangeText(int FirstRow, int FirstCol, int LastRow, int LastCol)
{
    const String first = ColumnLetters(FirstCol) + IntToStr(FirstRow);
    if (FirstRow == LastRow && FirstCol == LastCol) return first;
    return first + u':' + ColumnLetters(LastCol) + IntToStr(LastRow);
}

void TSheetData::Extend(int Row, int Col)
{
    if (!FAny) {
        FirstRow = LastRow = Row;
        FirstCol = LastCol = Col;
        FAny = true;
    }
    FirstRow = std::min(FirstRow, Row);
    LastRow = std::max(LastRow, Row);
    FirstCol = std::min(FirstCol, Col);
    LastCol = std::max(LastCol, Col);
}

String TSheetData::UsedRangeAddress() const
{
    const String first = u'$' + ColumnLetters(FirstCol) + u'$' + IntToStr(FirstRow);
    if (FirstRow == LastRow && FirstCol == LastCol) return first;
    return first + QStringLiteral(":$") + ColumnLetters(LastCol) + u'$' + IntToStr(LastRow);
}

// ---- The zip package ----

TOfficePackage TOfficePackage::FromBytes(const QByteArray& Bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    const TScopeExit finiError([&] { zip_error_fini(&error); });
    zip_source_t* source = zip_source_buffer_create(Bytes.constData(), zip_uint64_t(Bytes.size()), 0, &error);
    if (!source) throw Exception(Utf8(zip_error_strerror(&error)));
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) {
        zip_source_free(source);
        throw Exception(QStringLiteral("Not a zip package: ") + Utf8(zip_error_strerror(&error)));
    }
    const TScopeExit close([&] { zip_discard(archive); });
    TOfficePackage package;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)) continue;
        const String name = Utf8(st.name);
        if (name.endsWith(u'/')) continue; // a folder entry holds nothing
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (!file) throw Exception(QStringLiteral("Part %1 cannot be read: %2").arg(name, Utf8(zip_strerror(archive))));
        const TScopeExit closeFile([&] { zip_fclose(file); });
        QByteArray data;
        char buffer[65536];
        zip_int64_t got = 0;
        while ((got = zip_fread(file, buffer, sizeof buffer)) > 0) {
            if (zip_uint64_t(data.size()) + zip_uint64_t(got) > MaxPartSize)
                throw Exception(QStringLiteral("Part %1 is too large").arg(name));
            data.append(buffer, qsizetype(got));
        }
        if (got < 0) throw Exception(QStringLiteral("Part %1 is damaged: %2").arg(name, Utf8(zip_file_strerror(file))));
        package.SetPart(name, data);
    }
    return package;
}

bool TOfficePackage::Has(const String& Name) const
{
    return std::any_of(FParts.begin(), FParts.end(), [&](const auto& p) { return p.first == Name; });
}

QByteArray TOfficePackage::Part(const String& Name) const
{
    for (const auto& p : FParts)
        if (p.first == Name) return p.second;
    return {};
}

void TOfficePackage::SetPart(const String& Name, const QByteArray& Bytes)
{
    for (auto& p : FParts)
        if (p.first == Name) return void(p.second = Bytes);
    FParts.emplace_back(Name, Bytes);
}

void TOfficePackage::RemovePart(const String& Name)
{
    std::erase_if(FParts, [&](const auto& p) { return p.first == Name; });
}

QByteArray TOfficePackage::ToBytes() const
{
    zip_error_t error;
    zip_error_init(&error);
    const TScopeExit finiError([&] { zip_error_fini(&error); });
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!target) throw Exception(Utf8(zip_error_strerror(&error)));
    const TScopeExit freeTarget([&] { zip_source_free(target); });
    zip_source_keep(target); // the archive releases it on close; the bytes are read from it after
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(target);
        throw Exception(Utf8(zip_error_strerror(&error)));
    }
    for (const auto& [name, bytes] : FParts) {
        zip_source_t* part = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const std::string n = Utf8(name);
        if (!part || zip_file_add(archive, n.c_str(), part, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            if (part) zip_source_free(part);
            const String reason = Utf8(zip_strerror(archive));
            zip_discard(archive);
            throw Exception(reason);
        }
    }
    if (zip_close(archive) != 0) {
        const String reason = Utf8(zip_strerror(archive));
        zip_discard(archive);
        throw Exception(reason);
    }
    QByteArray out;
    if (zip_source_open(target) != 0) throw Exception(QStringLiteral("The package cannot be assembled"));
    char buffer[65536];
    zip_int64_t got = 0;
    while ((got = zip_source_read(target, buffer, sizeof buffer)) > 0) out.append(buffer, qsizetype(got));
    zip_source_close(target);
    return out;
}

String ResolvePartName(const String& SourcePart, const String& Target)
{
    String path;
    if (Target.startsWith(u'/')) {
        path = Target.mid(1);
    } else {
        const int slash = int(SourcePart.lastIndexOf(u'/'));
        path = SourcePart.left(slash + 1) + Target;
    }
    QStringList out;
    for (const String& piece : path.split(u'/')) {
        if (piece.isEmpty() || piece == u".") continue;
        if (piece == u"..") {
            if (!out.isEmpty()) out.removeLast();
            continue;
        }
        out << piece;
    }
    return out.join(u'/');
}

// ---- Reading workbooks ----

std::unique_ptr<TWorkbookReader> OpenXlsxWorkbook(const QByteArray& Bytes)
{
    return std::make_unique<TXlsxReader>(Bytes);
}

std::unique_ptr<TWorkbookReader> OpenWorkbookFile(const String& FileName)
{
    try {
        if (!QFileInfo(FileName).isFile()) throw Exception(QStringLiteral("the file does not exist"));
        const QByteArray bytes = ReadFileOrRaise(FileName);
        static const QByteArray compoundFile("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
        if (bytes.startsWith(compoundFile)) return std::make_unique<TXlsReader>(FileName);
        return OpenXlsxWorkbook(bytes);
    } catch (const EZvGridError&) {
        throw;
    } catch (const Exception& e) {
        throw EZvGridError(QStringLiteral("Cannot open workbook \"%1\": %2").arg(FileName, e.Message()));
    }
}

// ---- Writing workbooks ----

QByteArray WorksheetXml(const std::vector<std::vector<String>>& Rows, int FirstRow)
{
    size_t width = 0;
    for (const auto& r : Rows) width = std::max(width, r.size());
    String x = QLatin1String(XmlHead);
    x += QStringLiteral("<worksheet xmlns=\"%1\" xmlns:r=\"%2\">").arg(QLatin1String(SheetMlNs), QLatin1String(RelNs));
    if (!Rows.empty() && width > 0)
        x += QStringLiteral("<dimension ref=\"%1\"/>")
                 .arg(A1RangeText(FirstRow, 1, FirstRow + int(Rows.size()) - 1, int(width)));
    x += QStringLiteral("<sheetData>");
    for (size_t i = 0; i < Rows.size(); ++i) {
        const int row = FirstRow + int(i);
        String cells;
        for (size_t j = 0; j < Rows[i].size(); ++j) {
            const String& text = Rows[i][j];
            if (text.isEmpty()) continue;
            const String ref = ColumnLetters(int(j) + 1) + IntToStr(row);
            double value = 0;
            // Only a text that reads back to itself becomes a number: "007" or "1.50" stay as typed.
            if (TryStrToFloat(text, value) && std::isfinite(value) && FloatToStr(value) == text)
                cells += QStringLiteral("<c r=\"%1\"><v>%2</v></c>").arg(ref, QString::number(value, 'g', 17));
            else
                cells += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">%2</t></is></c>")
                             .arg(ref, XmlEscaped(text));
        }
        x += QStringLiteral("<row r=\"%1\">%2</row>").arg(row).arg(cells);
    }
    x += QStringLiteral("</sheetData></worksheet>");
    return Xml(x);
}

String SheetNameProblem(const String& SheetName)
{
    if (SheetName.isEmpty()) return QStringLiteral("a sheet needs a name");
    if (SheetName.size() > 31) return QStringLiteral("a sheet name has at most 31 characters");
    for (const QChar c : SheetName)
        if (String(QStringLiteral(":\\/?*[]")).contains(c)) return QStringLiteral("a sheet name cannot hold %1").arg(c);
    if (SheetName.startsWith(u'\'') || SheetName.endsWith(u'\''))
        return QStringLiteral("a sheet name cannot start or end with '");
    return {};
}

QByteArray NewWorkbook(const String& SheetName, const QByteArray& SheetXml)
{
    TOfficePackage p;
    p.SetPart(QStringLiteral("[Content_Types].xml"),
              Xml(QLatin1String(XmlHead) +
                  QStringLiteral(
                      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                      "<Override PartName=\"/xl/workbook.xml\" "
                      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                      "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"%1\"/>"
                      "<Override PartName=\"/xl/styles.xml\" "
                      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
                      "</Types>")
                      .arg(QLatin1String(WorksheetType))));
    p.SetPart(QStringLiteral("_rels/.rels"),
              Xml(QLatin1String(XmlHead) + QStringLiteral("<Relationships xmlns=\"%1\">"
                                                          "<Relationship Id=\"rId1\" Type=\"%2\" Target=\"xl/workbook.xml\"/>"
                                                          "</Relationships>")
                                               .arg(QLatin1String(PackageRelNs), QLatin1String(OfficeDocRel))));
    p.SetPart(QStringLiteral("xl/workbook.xml"),
              Xml(QLatin1String(XmlHead) +
                  QStringLiteral("<workbook xmlns=\"%1\" xmlns:r=\"%2\"><bookViews><workbookView activeTab=\"0\"/></bookViews>"
                                 "<sheets><sheet name=\"%3\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>")
                      .arg(QLatin1String(SheetMlNs), QLatin1String(RelNs), XmlEscaped(SheetName))));
    p.SetPart(QStringLiteral("xl/_rels/workbook.xml.rels"),
              Xml(QLatin1String(XmlHead) +
                  QStringLiteral("<Relationships xmlns=\"%1\">"
                                 "<Relationship Id=\"rId1\" Type=\"%2\" Target=\"worksheets/sheet1.xml\"/>"
                                 "<Relationship Id=\"rId2\" "
                                 "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
                                 "Target=\"styles.xml\"/></Relationships>")
                      .arg(QLatin1String(PackageRelNs), QLatin1String(WorksheetRel))));
    p.SetPart(QStringLiteral("xl/worksheets/sheet1.xml"), SheetXml);
    // The smallest style sheet the spreadsheet opens without repairing the file.
    p.SetPart(QStringLiteral("xl/styles.xml"),
              Xml(QLatin1String(XmlHead) +
                  QStringLiteral("<styleSheet xmlns=\"%1\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
                                 "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
                                 "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
                                 "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
                                 "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
                                 "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
                                 "</styleSheet>")
                      .arg(QLatin1String(SheetMlNs))));
    return p.ToBytes();
}

QByteArray WorkbookWithSheet(const QByteArray& Package, const String& SheetName, const QByteArray& SheetXml)
{
    TOfficePackage p = TOfficePackage::FromBytes(Package);
    const String wbPart = MainPart(p);
    pugi::xml_document wb;
    if (wbPart.isEmpty() || !LoadXml(wb, p.Part(wbPart)) || !IsNamed(wb.document_element(), "workbook"))
        throw Exception(QStringLiteral("The file holds no workbook"));
    const String relsPart = RelsPartOf(wbPart);
    pugi::xml_document rels;
    if (!LoadXml(rels, p.Part(relsPart)) || !rels.document_element())
        throw Exception(QStringLiteral("The workbook lists no sheets"));
    pugi::xml_node sheets = Child(wb.document_element(), "sheets");
    if (!sheets) throw Exception(QStringLiteral("The workbook lists no sheets"));

    pugi::xml_node found;
    for (const pugi::xml_node& s : Children(sheets, "sheet"))
        if (Utf8(Attr(s, "name").value()) == SheetName) found = s;
    if (found) {
        const String id = Utf8(Attr(found, "id", true).value());
        for (const pugi::xml_node& r : Children(rels.document_element(), "Relationship"))
            if (Utf8(Attr(r, "Id").value()) == id) {
                const String part = ResolvePartName(wbPart, Utf8(Attr(r, "Target").value()));
                p.SetPart(part, SheetXml);
                // The old sheet's drawings and comments would point at cells that no longer exist.
                p.RemovePart(RelsPartOf(part));
                break;
            }
    } else {
        std::set<String> ids;
        for (const pugi::xml_node& r : Children(rels.document_element(), "Relationship")) ids.insert(Utf8(Attr(r, "Id").value()));
        int n = 1;
        while (ids.count(QStringLiteral("rId%1").arg(n))) ++n;
        const String id = QStringLiteral("rId%1").arg(n);
        int k = 1;
        while (p.Has(ResolvePartName(wbPart, QStringLiteral("worksheets/sheet%1.xml").arg(k)))) ++k;
        const String target = QStringLiteral("worksheets/sheet%1.xml").arg(k);
        const String part = ResolvePartName(wbPart, target);
        p.SetPart(part, SheetXml);
        pugi::xml_node rel = rels.document_element().append_child("Relationship");
        rel.append_attribute("Id") = Utf8(id).c_str();
        rel.append_attribute("Type") = WorksheetRel;
        rel.append_attribute("Target") = Utf8(target).c_str();
        unsigned maxId = 0;
        for (const pugi::xml_node& s : Children(sheets, "sheet")) maxId = std::max(maxId, Attr(s, "sheetId").as_uint(0));
        // The new sheet takes the prefix the workbook gives its relationship ids.
        String relPrefix = QStringLiteral("r");
        for (pugi::xml_attribute a = wb.document_element().first_attribute(); a; a = a.next_attribute())
            if (std::strcmp(a.value(), RelNs) == 0 && std::strncmp(a.name(), "xmlns:", 6) == 0) relPrefix = Utf8(a.name() + 6);
        if (!Attr(wb.document_element(), relPrefix.toUtf8().constData())) {
            const std::string decl = "xmlns:" + Utf8(relPrefix);
            if (!wb.document_element().attribute(decl.c_str())) wb.document_element().append_attribute(decl.c_str()) = RelNs;
        }
        String sheetTag = QString::fromUtf8(sheets.name());
        sheetTag = sheetTag.left(sheetTag.size() - 6) + QStringLiteral("sheet"); // keep the element's own prefix
        pugi::xml_node s = sheets.append_child(Utf8(sheetTag).c_str());
        s.append_attribute("name") = Utf8(SheetName).c_str();
        s.append_attribute("sheetId") = maxId + 1;
        s.append_attribute(Utf8(relPrefix + QStringLiteral(":id")).c_str()) = Utf8(id).c_str();
        pugi::xml_document types;
        if (LoadXml(types, p.Part(QStringLiteral("[Content_Types].xml"))) && types.document_element()) {
            pugi::xml_node o = types.document_element().append_child("Override");
            o.append_attribute("PartName") = Utf8(u'/' + part).c_str();
            o.append_attribute("ContentType") = WorksheetType;
            p.SetPart(QStringLiteral("[Content_Types].xml"), SaveXml(types));
        }
    }
    // The calculation chain names cells of the sheet that was replaced; the spreadsheet rebuilds it.
    const String chain = ResolvePartName(wbPart, QStringLiteral("calcChain.xml"));
    if (p.Has(chain)) {
        p.RemovePart(chain);
        for (pugi::xml_node r = rels.document_element().first_child(); r;) {
            pugi::xml_node next = r.next_sibling();
            if (QString::fromUtf8(Attr(r, "Type").value()).endsWith(QLatin1String("/calcChain")))
                rels.document_element().remove_child(r);
            r = next;
        }
    }
    p.SetPart(relsPart, SaveXml(rels));
    p.SetPart(wbPart, SaveXml(wb));
    return p.ToBytes();
}

// ---- Documents ----

namespace {

String DocParagraph(const String& Text, TDocAlign Align)
{
    String p = QStringLiteral("<w:p>");
    if (Align != TDocAlign::Left)
        p += QStringLiteral("<w:pPr><w:jc w:val=\"%1\"/></w:pPr>")
                 .arg(Align == TDocAlign::Right ? QStringLiteral("right") : QStringLiteral("center"));
    if (!Text.isEmpty()) {
        p += QStringLiteral("<w:r>");
        String run;
        for (const QChar c : Text) {
            if (c == u'\t') {
                if (!run.isEmpty()) p += QStringLiteral("<w:t xml:space=\"preserve\">%1</w:t>").arg(XmlEscaped(run));
                run.clear();
                p += QStringLiteral("<w:tab/>");
            } else {
                run += c;
            }
        }
        if (!run.isEmpty()) p += QStringLiteral("<w:t xml:space=\"preserve\">%1</w:t>").arg(XmlEscaped(run));
        p += QStringLiteral("</w:r>");
    }
    return p + QStringLiteral("</w:p>");
}

// A text's lines, each a paragraph, as the word processor makes them when the
// text is typed with its line breaks.
String DocParagraphs(const String& Text, TDocAlign Align)
{
    String t = Text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    String out;
    for (const String& line : t.split(u'\n')) out += DocParagraph(line, Align);
    return out;
}

String DocTableXml(const TDocTable& Table)
{
    size_t cols = 0;
    for (const auto& r : Table) cols = std::max(cols, r.size());
    String x = QStringLiteral(
        "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/><w:tblBorders>"
        "<w:top w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:left w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:bottom w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:right w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:insideH w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "<w:insideV w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
        "</w:tblBorders><w:tblLook w:val=\"04A0\"/></w:tblPr><w:tblGrid>");
    for (size_t c = 0; c < cols; ++c) x += QStringLiteral("<w:gridCol/>");
    x += QStringLiteral("</w:tblGrid>");
    for (const auto& row : Table) {
        x += QStringLiteral("<w:tr>");
        for (size_t c = 0; c < cols; ++c) {
            const TDocCell cell = c < row.size() ? row[c] : TDocCell{};
            x += QStringLiteral("<w:tc><w:tcPr><w:tcW w:w=\"0\" w:type=\"auto\"/></w:tcPr>") +
                 DocParagraphs(cell.Text, cell.Align) + QStringLiteral("</w:tc>");
        }
        x += QStringLiteral("</w:tr>");
    }
    return x + QStringLiteral("</w:tbl>");
}

// Parses a fragment written with the "w:" prefix into nodes of Doc, so that
// it can be moved into a document whatever its prefixes are.
pugi::xml_document ParseFragment(const String& Body)
{
    pugi::xml_document frag;
    const String wrapped = QStringLiteral("<w:body xmlns:w=\"%1\">%2</w:body>").arg(QLatin1String(WordMlNs), Body);
    frag.load_string(Utf8(wrapped).c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    return frag;
}

// Renames the fragment's "w:" elements and attributes to the prefix the document uses.
void Reprefix(pugi::xml_node Node, const std::string& Prefix)
{
    if (Prefix == "w") return;
    std::vector<pugi::xml_node> todo{Node};
    while (!todo.empty()) {
        pugi::xml_node n = todo.back();
        todo.pop_back();
        const auto swap = [&](const char* name) {
            const std::string s = name;
            return s.rfind("w:", 0) == 0 ? (Prefix.empty() ? s.substr(2) : Prefix + ":" + s.substr(2)) : s;
        };
        n.set_name(swap(n.name()).c_str());
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
            if (std::strncmp(a.name(), "w:", 2) == 0) a.set_name(swap(a.name()).c_str());
        for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element) todo.push_back(c);
    }
}

// The prefix the document binds the word-processing namespace to ("" when it is the default).
std::string WordPrefix(const pugi::xml_node& Root)
{
    for (pugi::xml_attribute a = Root.first_attribute(); a; a = a.next_attribute()) {
        if (std::strcmp(a.value(), WordMlNs) != 0) continue;
        if (std::strcmp(a.name(), "xmlns") == 0) return "";
        if (std::strncmp(a.name(), "xmlns:", 6) == 0) return a.name() + 6;
    }
    return "w";
}

// Inserts the fragment's children before Before (or at the end of Parent when Before is null).
void InsertFragment(pugi::xml_node Parent, pugi::xml_node Before, const String& Body, const std::string& Prefix)
{
    pugi::xml_document frag = ParseFragment(Body);
    pugi::xml_node wrapper = frag.document_element();
    for (pugi::xml_node c = wrapper.first_child(); c; c = c.next_sibling()) {
        pugi::xml_node copy = Before ? Parent.insert_copy_before(c, Before) : Parent.append_copy(c);
        Reprefix(copy, Prefix);
    }
}

// The first element named bookmarkStart with this name, searched without recursion.
pugi::xml_node FindBookmark(const pugi::xml_node& Root, const String& Name)
{
    const std::string name = Utf8(Name);
    std::vector<pugi::xml_node> todo{Root};
    while (!todo.empty()) {
        pugi::xml_node n = todo.back();
        todo.pop_back();
        if (IsNamed(n, "bookmarkStart") && name == Attr(n, "name").value()) return n;
        std::vector<pugi::xml_node> kids;
        for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element) kids.push_back(c);
        todo.insert(todo.end(), kids.rbegin(), kids.rend());
    }
    return {};
}

bool HoldsContent(const pugi::xml_node& N)
{
    return IsNamed(N, "r") || IsNamed(N, "hyperlink") || IsNamed(N, "fldSimple") || IsNamed(N, "smartTag") ||
           IsNamed(N, "ins") || IsNamed(N, "sdt");
}

const char* const DocContentTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/settings.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
    "</Types>";

// Spelling marks are hidden, as in a new document. The settings' elements have
// a fixed order: the flag goes after the last of those that precede it.
void HideSpellingErrors(TOfficePackage& Package, const String& DocPart, const std::string& Prefix)
{
    String part;
    for (const TRelationship& r : ReadRelationships(Package, RelsPartOf(DocPart)))
        if (r.Type.endsWith(QLatin1String("/settings"))) part = ResolvePartName(DocPart, r.Target);
    pugi::xml_document settings;
    if (part.isEmpty() || !LoadXml(settings, Package.Part(part)) || !IsNamed(settings.document_element(), "settings"))
        return; // a document without settings shows what the reader's defaults say
    pugi::xml_node root = settings.document_element();
    if (Child(root, "hideSpellingErrors")) return;
    static const char* const before[] = {
        "writeProtection", "view", "zoom", "removePersonalInformation", "removeDateAndTime",
        "doNotDisplayPageBoundaries", "displayBackgroundShape", "printPostScriptOverText",
        "printFractionalCharacterWidth", "printFormsData", "embedTrueTypeFonts", "embedSystemFonts", "saveSubsetFonts",
        "saveFormsData", "mirrorMargins", "alignBordersAndEdges", "bordersDoNotSurroundHeader",
        "bordersDoNotSurroundFooter", "gutterAtTop"};
    pugi::xml_node after;
    for (pugi::xml_node c = root.first_child(); c; c = c.next_sibling())
        for (const char* name : before)
            if (IsNamed(c, name)) after = c;
    const std::string name = Prefix.empty() ? "hideSpellingErrors" : Prefix + ":hideSpellingErrors";
    if (after)
        root.insert_child_after(name.c_str(), after);
    else
        root.prepend_child(name.c_str());
    Package.SetPart(part, SaveXml(settings));
}

} // namespace

QByteArray NewDocument(const String& Text, const TDocTable& Table)
{
    TOfficePackage p;
    p.SetPart(QStringLiteral("[Content_Types].xml"), Xml(QLatin1String(XmlHead) + QLatin1String(DocContentTypes)));
    p.SetPart(QStringLiteral("_rels/.rels"),
              Xml(QLatin1String(XmlHead) + QStringLiteral("<Relationships xmlns=\"%1\">"
                                                          "<Relationship Id=\"rId1\" Type=\"%2\" Target=\"word/document.xml\"/>"
                                                          "</Relationships>")
                                               .arg(QLatin1String(PackageRelNs), QLatin1String(OfficeDocRel))));
    p.SetPart(QStringLiteral("word/_rels/document.xml.rels"),
              Xml(QLatin1String(XmlHead) +
                  QStringLiteral("<Relationships xmlns=\"%1\"><Relationship Id=\"rId1\" "
                                 "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" "
                                 "Target=\"settings.xml\"/></Relationships>")
                      .arg(QLatin1String(PackageRelNs))));
    // Spelling marks are hidden: a table of grid values would be underlined all over.
    p.SetPart(QStringLiteral("word/settings.xml"),
              Xml(QLatin1String(XmlHead) + QStringLiteral("<w:settings xmlns:w=\"%1\"><w:hideSpellingErrors/></w:settings>")
                                               .arg(QLatin1String(WordMlNs))));
    const String body = DocTableXml(Table) + DocParagraphs(Text, TDocAlign::Left) + DocParagraph(String(), TDocAlign::Left);
    p.SetPart(QStringLiteral("word/document.xml"),
              Xml(QLatin1String(XmlHead) + QStringLiteral("<w:document xmlns:w=\"%1\" xmlns:r=\"%2\"><w:body>%3"
                                                          "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
                                                          "<w:pgMar w:top=\"1417\" w:right=\"1417\" w:bottom=\"1134\" "
                                                          "w:left=\"1417\" w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/>"
                                                          "</w:sectPr></w:body></w:document>")
                                               .arg(QLatin1String(WordMlNs), QLatin1String(RelNs), body)));
    return p.ToBytes();
}

QByteArray DocumentWithTable(const QByteArray& Package, const String& Text, const String& Bookmark,
                             const TDocTable& Table)
{
    TOfficePackage p = TOfficePackage::FromBytes(Package);
    const String docPart = MainPart(p);
    pugi::xml_document doc;
    if (docPart.isEmpty() || !LoadXml(doc, p.Part(docPart)) || !IsNamed(doc.document_element(), "document"))
        throw Exception(QStringLiteral("The file holds no document"));
    pugi::xml_node body = Child(doc.document_element(), "body");
    if (!body) throw Exception(QStringLiteral("The document has no body"));
    const std::string prefix = WordPrefix(doc.document_element());
    const String table = DocTableXml(Table);

    // The table first, while the body's first paragraph is still the one the bookmark may sit in.
    pugi::xml_node mark = Bookmark.isEmpty() ? pugi::xml_node() : FindBookmark(body, Bookmark);
    if (mark) {
        pugi::xml_node para = mark.parent();
        if (IsNamed(para, "p")) {
            bool contentBefore = false;
            for (pugi::xml_node c = para.first_child(); c && c != mark; c = c.next_sibling())
                contentBefore = contentBefore || HoldsContent(c);
            if (!contentBefore) {
                InsertFragment(para.parent(), para, table, prefix);
            } else {
                // The paragraph splits at the bookmark: what stands before keeps the paragraph, the
                // table follows, and the bookmark with the rest opens a new paragraph after it.
                int markIndex = 0;
                for (pugi::xml_node c = para.first_child(); c != mark; c = c.next_sibling()) ++markIndex;
                pugi::xml_node rest = para.parent().insert_copy_after(para, para);
                int index = 0;
                for (pugi::xml_node c = rest.first_child(); c && index < markIndex; ++index) {
                    const pugi::xml_node next = c.next_sibling();
                    if (!IsNamed(c, "pPr")) rest.remove_child(c);
                    c = next;
                }
                bool after = false;
                for (pugi::xml_node c = para.first_child(); c;) {
                    const pugi::xml_node next = c.next_sibling();
                    if (c == mark) after = true;
                    if (after) para.remove_child(c);
                    c = next;
                }
                InsertFragment(para.parent(), rest, table, prefix);
            }
        } else {
            InsertFragment(mark.parent(), mark, table, prefix);
        }
    } else {
        pugi::xml_node sect = Child(body, "sectPr");
        InsertFragment(body, sect, DocParagraph(String(), TDocAlign::Left) + table + DocParagraph(String(), TDocAlign::Left),
                       prefix);
    }
    // The text typed at the start of the document, where it opens.
    InsertFragment(body, body.first_child(), DocParagraphs(Text, TDocAlign::Left), prefix);
    p.SetPart(docPart, SaveXml(doc));
    HideSpellingErrors(p, docPart, prefix);
    return p.ToBytes();
}
