// The binary cell stream: its records, the writer of a rectangle and the reader that places a stream's cells.
// The layout is told in ZvGridCellStream.h.

#include "grid/services/ZvGridCellStream.h"
#include "grid/services/ZvGridTextFormats.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/support/ZvGridCellGraphic.h"
#include "platform/ComponentStream.h"
#include "platform/Files.h"
#include "platform/Pictures.h"
#include "platform/ScopeGuard.h"

#include <QBuffer>
#include <QIODevice>
#include <QRandomGenerator>

#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <set>

namespace {

// The 16-bit cell coordinates bound the rectangle; a header's counts are bound alike.
constexpr int MaxCoord = 65535;
constexpr int MaxCount = 65536;

std::set<quint32>& LiveIDs()
{
    static std::set<quint32> ids;
    return ids;
}

// ---- Identifiers of the enumerations --------------------------------------------------------------------------

constexpr std::array kAlignments{"taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::array kBrushStyles{"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                  "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};
constexpr std::array kFontStyles{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr std::array kEditors{
    "edNormal", "edSpinEdit", "edComboEdit", "edComboList", "edEditBtn", "edCheckBox", "edDateEdit",
    "edDateEditUpDown", "edTimeEdit", "edButton", "edDataCheckBox", "edNumeric", "edPositiveNumeric", "edFloat",
    "edCapital", "edMixedCase", "edPassword", "edUnitEditBtn", "edLowerCase", "edUpperCase", "edFloatSpinEdit",
    "edTimeSpinEdit", "edDateSpinEdit", "edNumericEditBtn", "edFloatEditBtn", "edCustom", "edRichEdit", "edNone",
    "edDateTimeEdit", "edValidChars", "edTrackbarDropDown", "edMemoDropDown", "edCalculatorDropDown",
    "edTimePickerDropDown", "edDetailDropDown", "edGridDropDown", "edColorPickerDropDown", "edImagePickerDropDown",
    "edZvGridDropDown", "edPositiveFloat", "edNumericUnitEditBtn", "edFloatUnitEditBtn", "edMaskEditBtn"};
static_assert(kEditors.size() == EditorTypeCount);
constexpr std::array kGradients{"GradientVertical", "GradientHorizontal"};
constexpr std::array kVAlignments{"vtaTop", "vtaCenter", "vtaBottom"};
constexpr std::array kCellTypes{
    "ctBitmap", "ctIcon", "ctNone", "ctImageList", "ctCheckBox", "ctDataCheckBox", "ctRotated", "ctDataImage",
    "ctNode", "ctRadio", "ctEmpty", "ctImages", "ctPicture", "ctFilePicture", "ctValue", "ctProgress", "ctComment",
    "ctButton", "ctBitButton", "ctVirtCheckBox", "ctRowCheckBox", "ctProgressPie", "ctSummary", "ctRangeIndicator",
    "ctXPProgress", "ctInterface", "ctScrollbar", "ctRadioButton", "ctBalloon", "ctShape", "ctRating",
    "ctTriStateCheckBox", "ctExpand"};
static_assert(kCellTypes.size() == std::size_t(TCellType::ctExpand) + 1);
constexpr std::array kCellVAligns{"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"};
constexpr std::array kCellHAligns{"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"};
constexpr std::array kCheckStates{"cbUnchecked", "cbChecked", "cbGrayed"};

template <class E, std::size_t N>
const char* Ident(E value, const std::array<const char*, N>& names)
{
    return names.at(std::size_t(value));
}

template <class E, std::size_t N>
bool FromIdent(const TRecordValue& v, const std::array<const char*, N>& names, E& out)
{
    if (v.Type != TValueType::vaIdent) return false;
    for (std::size_t i = 0; i < N; ++i) {
        if (v.Text == QLatin1String(names[i])) {
            out = E(i);
            return true;
        }
    }
    return false;
}

bool IntIn(const TRecordValue& v, qint64 low, qint64 high, qint64& out)
{
    if (!v.IsInteger() || v.Int < low || v.Int > high) return false;
    out = v.Int;
    return true;
}

bool Int32(const TRecordValue& v, int& out)
{
    qint64 x = 0;
    if (!IntIn(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(), x)) return false;
    out = int(x);
    return true;
}

// Colours are written as signed 32-bit numbers (the system colours are negative), read back bit for bit.
bool Color(const TRecordValue& v, TColor& out)
{
    int x = 0;
    if (!Int32(v, x)) return false;
    out = TColor(quint32(x));
    return true;
}

bool Boolean(const TRecordValue& v, bool& out)
{
    if (!v.IsBoolean()) return false;
    out = v.Int != 0;
    return true;
}

bool TextOf(const TRecordValue& v, String& out)
{
    if (!v.IsText()) return false;
    out = v.Text;
    return true;
}

[[noreturn]] void Corrupt(const String& why)
{
    throw EZvGridError(QStringLiteral("Invalid cell stream: ") + why);
}

// ---- Cell properties -----------------------------------------------------------------------------------------

void WriteCellProperties(TRecordWriter& w, const TCellProperties& p)
{
    w.WriteBoolean("CellProperties.IsBaseCell", p.IsBaseCell());
    w.WriteInteger("CellProperties.CellSpanX", p.CellSpanX());
    w.WriteInteger("CellProperties.CellSpanY", p.CellSpanY());
    w.WriteIdent("CellProperties.Alignment", Ident(p.Alignment(), kAlignments));
    w.WriteInteger("CellProperties.BorderColor", qint32(p.BorderColor()));
    w.WriteInteger("CellProperties.BorderWidth", p.BorderWidth());
    w.WriteInteger("CellProperties.BrushColor", qint32(p.BrushColor()));
    w.WriteInteger("CellProperties.BrushColorTo", qint32(p.BrushColorTo()));
    w.WriteIdent("CellProperties.BrushStyle", Ident(p.BrushStyle(), kBrushStyles));
    w.WriteInteger("CellProperties.CellObject", qint64(p.CellObject()));
    w.WriteInteger("CellProperties.FontColor", qint32(p.FontColor()));
    if (!p.FontName().isEmpty()) w.WriteString("CellProperties.FontName", p.FontName());
    w.WriteInteger("CellProperties.FontSize", p.FontSize());
    std::vector<const char*> styles;
    for (std::size_t i = 0; i < kFontStyles.size(); ++i)
        if (p.FontStyle().Contains(TFontStyle(i))) styles.push_back(kFontStyles[i]);
    w.WriteSet("CellProperties.FontStyle", styles);
    w.WriteIdent("CellProperties.Editor", Ident(p.Editor(), kEditors));
    w.WriteIdent("CellProperties.GradientDirection", Ident(p.GradientDirection(), kGradients));
    w.WriteBoolean("CellProperties.ReadOnly", p.ReadOnly());
    w.WriteIdent("CellProperties.VAlignment", Ident(p.VAlignment(), kVAlignments));
    w.WriteBoolean("CellProperties.WordWrap", p.WordWrap());
    w.WriteInteger("CellProperties.NodeLevel", p.NodeLevel());
    if (p.Control() && !p.Control()->Name().isEmpty()) {
        const QByteArray name = p.Control()->Name().toLatin1();
        w.WriteIdent("CellProperties.Control", name.constData());
    }
}

// Where a property of the record lands: checked against a scratch object first, then set on the cell's own.
struct TPropertyContext {
    bool RestoreObject = false;      // the stream came from a live grid of this process
    TComponent* NameRoot = nullptr;  // where a control named by the stream is looked for
};

bool SetCellProperty(TCellProperties& p, const QByteArray& name, const TRecordValue& v, const TPropertyContext& ctx)
{
    const QByteArray field = name.mid(int(sizeof("CellProperties.")) - 1);
    if (!name.startsWith("CellProperties.")) return false;
    bool b = false;
    int i = 0;
    qint64 x = 0;
    TColor color = 0;
    String text;
    if (field == "IsBaseCell") return Boolean(v, b) && (p.SetIsBaseCell(b), true);
    if (field == "CellSpanX") return IntIn(v, -1, MaxCoord, x) && (p.SetCellSpanX(int(x)), true);
    if (field == "CellSpanY") return IntIn(v, -1, MaxCoord, x) && (p.SetCellSpanY(int(x)), true);
    if (field == "Alignment") {
        TAlignment a{};
        return FromIdent(v, kAlignments, a) && (p.SetAlignment(a), true);
    }
    if (field == "BorderColor") return Color(v, color) && (p.SetBorderColor(color), true);
    if (field == "BorderWidth") return IntIn(v, 0, 1000, x) && (p.SetBorderWidth(int(x)), true);
    if (field == "BrushColor") return Color(v, color) && (p.SetBrushColor(color), true);
    if (field == "BrushColorTo") return Color(v, color) && (p.SetBrushColorTo(color), true);
    if (field == "BrushStyle") {
        TBrushStyle s{};
        return FromIdent(v, kBrushStyles, s) && (p.SetBrushStyle(s), true);
    }
    if (field == "CellObject") {
        if (!v.IsInteger()) return false;
        p.SetCellObject(ctx.RestoreObject ? std::uintptr_t(v.Int) : 0);
        return true;
    }
    if (field == "FontColor") return Color(v, color) && (p.SetFontColor(color), true);
    if (field == "FontName") return TextOf(v, text) && (p.SetFontName(text), true);
    if (field == "FontSize") return IntIn(v, -32768, 32767, x) && (p.SetFontSize(int(x)), true);
    if (field == "FontStyle") {
        if (v.Type != TValueType::vaSet) return false;
        TFontStyles styles;
        for (const String& m : v.Items) {
            TRecordValue one;
            one.Type = TValueType::vaIdent;
            one.Text = m;
            TFontStyle s{};
            if (!FromIdent(one, kFontStyles, s)) return false;
            styles.Include(s);
        }
        p.SetFontStyle(styles);
        return true;
    }
    if (field == "Editor") {
        TEditorType e{};
        return FromIdent(v, kEditors, e) && (p.SetEditor(e), true);
    }
    if (field == "GradientDirection") {
        TCellGradientDirection g{};
        return FromIdent(v, kGradients, g) && (p.SetGradientDirection(g), true);
    }
    if (field == "ReadOnly") return Boolean(v, b) && (p.SetReadOnly(b), true);
    if (field == "VAlignment") {
        TVAlignment a{};
        return FromIdent(v, kVAlignments, a) && (p.SetVAlignment(a), true);
    }
    if (field == "WordWrap") return Boolean(v, b) && (p.SetWordWrap(b), true);
    if (field == "NodeLevel") return Int32(v, i) && i >= 0 && (p.SetNodeLevel(i), true);
    if (field == "Control") {
        if (v.Type != TValueType::vaIdent) return false;
        TComponent* found = ctx.NameRoot ? ctx.NameRoot->FindComponent(v.Text) : nullptr;
        p.SetControl(dynamic_cast<TControl*>(found));
        return true;
    }
    return false;
}

// ---- Cell graphics -------------------------------------------------------------------------------------------

void WriteCellGraphic(TRecordWriter& w, const TCellGraphic& g)
{
    w.WriteIdent("CellGraphic.CellType", Ident(g.CellType(), kCellTypes));
    w.WriteIdent("CellGraphic.CellVAlign", Ident(g.CellVAlign(), kCellVAligns));
    w.WriteIdent("CellGraphic.CellHAlign", Ident(g.CellHAlign(), kCellHAligns));
    w.WriteInteger("CellGraphic.CellIndex", g.CellIndex());
    w.WriteBoolean("CellGraphic.CellTransparent", g.CellTransparent());
    w.WriteBoolean("CellGraphic.CellCreated", g.CellCreated());
    w.WriteBoolean("CellGraphic.CellBoolean", g.CellBoolean());
    w.WriteIdent("CellGraphic.CellCheckBoxState", Ident(g.CellCheckBoxState(), kCheckStates));
    w.WriteInteger("CellGraphic.CellAngle", g.CellAngle());
    if (g.CellValue() != 0) w.WriteDouble("CellGraphic.CellValue", g.CellValue());
    w.WriteInteger("CellGraphic.CellErrFrom", g.CellErrFrom());
    w.WriteInteger("CellGraphic.CellErrLen", g.CellErrLen());
    if (!g.CellText().isEmpty()) w.WriteString("CellGraphic.CellText", g.CellText());
}

bool SetCellGraphicField(TCellGraphic& g, const QByteArray& name, const TRecordValue& v)
{
    if (!name.startsWith("CellGraphic.")) return false;
    const QByteArray field = name.mid(int(sizeof("CellGraphic.")) - 1);
    bool b = false;
    int i = 0;
    String text;
    if (field == "CellType") {
        TCellType t{};
        return FromIdent(v, kCellTypes, t) && (g.SetCellType(t), true);
    }
    if (field == "CellVAlign") {
        TCellVAlign a{};
        return FromIdent(v, kCellVAligns, a) && (g.SetCellVAlign(a), true);
    }
    if (field == "CellHAlign") {
        TCellHAlign a{};
        return FromIdent(v, kCellHAligns, a) && (g.SetCellHAlign(a), true);
    }
    if (field == "CellIndex") return Int32(v, i) && (g.SetCellIndex(i), true);
    if (field == "CellTransparent") return Boolean(v, b) && (g.SetCellTransparent(b), true);
    if (field == "CellCreated") return Boolean(v, b) && (g.SetCellCreated(b), true);
    if (field == "CellBoolean") return Boolean(v, b) && (g.SetCellBoolean(b), true);
    if (field == "CellCheckBoxState") {
        TCheckBoxState s{};
        return FromIdent(v, kCheckStates, s) && (g.SetCellCheckBoxState(s), true);
    }
    if (field == "CellAngle") return Int32(v, i) && (g.SetCellAngle(i), true);
    if (field == "CellValue") {
        if (!v.IsReal() || !std::isfinite(v.IsInteger() ? double(v.Int) : v.Real)) return false;
        g.SetCellValue(v.IsInteger() ? double(v.Int) : v.Real);
        return true;
    }
    if (field == "CellErrFrom") return Int32(v, i) && (g.SetCellErrFrom(i), true);
    if (field == "CellErrLen") return Int32(v, i) && (g.SetCellErrLen(i), true);
    if (field == "CellText") return TextOf(v, text) && (g.SetCellText(text), true);
    return false;
}

// ---- Payloads ------------------------------------------------------------------------------------------------

enum class TPayload { None, Bitmap, Icon, Strings, Images, Picture, FilePicture };

TPayload PayloadOf(TCellType t)
{
    switch (t) {
    case TCellType::ctBitmap:
    case TCellType::ctBitButton: return TPayload::Bitmap;
    case TCellType::ctIcon: return TPayload::Icon;
    case TCellType::ctRadio: return TPayload::Strings;
    case TCellType::ctImages: return TPayload::Images;
    case TCellType::ctPicture: return TPayload::Picture;
    case TCellType::ctFilePicture: return TPayload::FilePicture;
    default: return TPayload::None;
    }
}

const char* PayloadClass(TPayload p)
{
    switch (p) {
    case TPayload::Bitmap: return "TGridBMPIO";
    case TPayload::Icon: return "TGridIconIO";
    case TPayload::Strings:
    case TPayload::Images: return "TGridSLIO";
    case TPayload::Picture: return "TGridPicIO";
    case TPayload::FilePicture: return "TGridFilePicIO";
    case TPayload::None: break;
    }
    return "";
}

QByteArray PngOf(const QImage& image)
{
    if (image.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool ImageOf(const QByteArray& png, QImage& image)
{
    image = QImage();
    return png.isEmpty() || DecodePng(png, image);
}

void WritePayload(TRecordWriter& w, TPayload kind, const TCellGraphic& g)
{
    w.BeginRecord(PayloadClass(kind));
    switch (kind) {
    case TPayload::Bitmap: {
        const auto* bmp = dynamic_cast<const TBitmap*>(g.CellBitmap());
        w.WriteBinary("Bitmap.Data", bmp ? PngOf(bmp->Image()) : QByteArray());
        break;
    }
    case TPayload::Icon: {
        const auto* icon = dynamic_cast<const TIcon*>(g.CellIcon());
        w.WriteBinary("Icon.Data", icon ? PngOf(icon->Image()) : QByteArray());
        break;
    }
    case TPayload::Strings: {
        const auto* list = dynamic_cast<const TStringList*>(g.CellBitmap());
        w.WriteStringList("Strings.Strings", list ? list->ToQStringList() : QStringList());
        break;
    }
    case TPayload::Images: {
        const auto* list = dynamic_cast<const TIntList*>(g.CellBitmap());
        const String comma = list ? list->CommaText() : String();
        w.WriteStringList("Strings.Strings", comma.isEmpty() ? QStringList() : comma.split(u','));
        break;
    }
    case TPayload::Picture: {
        const auto* picture = dynamic_cast<const TPicture*>(g.CellBitmap());
        const TGraphic* graphic = picture ? picture->Graphic() : nullptr;
        if (const auto* bmp = dynamic_cast<const TBitmap*>(graphic)) {
            w.WriteBinary("Picture.Data", QByteArray("\x07TBitmap") + PngOf(bmp->Image()));
        } else if (const auto* icon = dynamic_cast<const TIcon*>(graphic)) {
            w.WriteBinary("Picture.Data", QByteArray("\x05TIcon") + PngOf(icon->Image()));
        }
        break;
    }
    case TPayload::FilePicture: {
        const auto* file = dynamic_cast<const TFilePicture*>(g.CellBitmap());
        if (file && !file->Filename().isEmpty()) w.WriteString("Picture.Filename", file->Filename());
        break;
    }
    case TPayload::None: break;
    }
    w.EndRecord();
}

// A payload as read and checked: decoded pictures, the lines, or the file name.
struct TPayloadData {
    TPayload Kind = TPayload::None;
    QImage Image;
    bool PictureIsIcon = false;
    bool HasPicture = false;
    QStringList Lines;
    String FileName;
};

void ReadPayload(const TRecord& rec, TPayload kind, TPayloadData& out)
{
    out.Kind = kind;
    if (rec.ClassName != PayloadClass(kind)) Corrupt(QStringLiteral("a %1 record was expected").arg(PayloadClass(kind)));
    for (const TRecordProperty& prop : rec.Properties) {
        const TRecordValue& v = prop.Value;
        const bool known = (kind == TPayload::Bitmap && prop.Name == "Bitmap.Data") ||
                           (kind == TPayload::Icon && prop.Name == "Icon.Data") ||
                           ((kind == TPayload::Strings || kind == TPayload::Images) && prop.Name == "Strings.Strings") ||
                           (kind == TPayload::Picture && prop.Name == "Picture.Data") ||
                           (kind == TPayload::FilePicture && prop.Name == "Picture.Filename");
        if (!known) Corrupt(QStringLiteral("unknown property %1").arg(QString::fromLatin1(prop.Name)));
        if (kind == TPayload::Bitmap || kind == TPayload::Icon) {
            if (v.Type != TValueType::vaBinary || !ImageOf(v.Bytes, out.Image)) Corrupt(QStringLiteral("bad picture"));
        } else if (kind == TPayload::Strings || kind == TPayload::Images) {
            if (v.Type != TValueType::vaList) Corrupt(QStringLiteral("bad list"));
            out.Lines = v.Items;
            if (kind == TPayload::Images) {
                for (const String& line : out.Lines) {
                    bool ok = false;
                    line.trimmed().toInt(&ok);
                    if (!ok) Corrupt(QStringLiteral("bad image index"));
                }
            }
        } else if (kind == TPayload::Picture) {
            if (v.Type != TValueType::vaBinary || v.Bytes.isEmpty()) Corrupt(QStringLiteral("bad picture"));
            const int nameLength = uchar(v.Bytes[0]);
            const QByteArray className = v.Bytes.mid(1, nameLength);
            if (className != "TBitmap" && className != "TIcon") Corrupt(QStringLiteral("bad picture class"));
            if (!ImageOf(v.Bytes.mid(1 + nameLength), out.Image)) Corrupt(QStringLiteral("bad picture"));
            out.PictureIsIcon = className == "TIcon";
            out.HasPicture = true;
        } else {
            if (!TextOf(v, out.FileName)) Corrupt(QStringLiteral("bad file name"));
        }
    }
}

// ---- A stream as read -----------------------------------------------------------------------------------------

struct TStreamCell {
    int Col = 0, Row = 0;
    String Text;
    bool HasProp = false;
    std::vector<TRecordProperty> Props;   // CellProperties.* as read and checked
    bool HasGraphic = false;
    std::vector<TRecordProperty> Graphic;   // CellGraphic.* as read and checked
    TCellType GraphicType = TCellType::ctNone;
    TPayloadData Payload;
};

TRecord NextRecord(const QByteArray& data, qsizetype& pos, const char* expected)
{
    TRecord rec;
    String error;
    if (!ReadRecord(data, pos, rec, error)) Corrupt(error);
    if (expected && rec.ClassName != expected) Corrupt(QStringLiteral("a %1 record was expected").arg(expected));
    return rec;
}

bool HeaderOf(const TRecord& rec, TZvGridCellStream::THeader& h, String& error)
{
    if (rec.ClassName != "TGridPropIO") {
        error = QStringLiteral("a TGridPropIO record was expected");
        return false;
    }
    for (const TRecordProperty& prop : rec.Properties) {
        const TRecordValue& v = prop.Value;
        qint64 x = 0;
        bool ok = true;
        if (prop.Name == "ColCount") ok = IntIn(v, 0, MaxCount, x) && (h.ColCount = int(x), true);
        else if (prop.Name == "RowCount") ok = IntIn(v, 0, MaxCount, x) && (h.RowCount = int(x), true);
        else if (prop.Name == "ColWidths") ok = TextOf(v, h.ColWidths);
        else if (prop.Name == "RowHeights") ok = TextOf(v, h.RowHeights);
        else if (prop.Name == "FullGrid") ok = Boolean(v, h.FullGrid);
        else if (prop.Name == "ID") ok = IntIn(v, std::numeric_limits<qint32>::min(), std::numeric_limits<quint32>::max(), x) && (h.ID = quint32(x), true);
        else ok = false;
        if (!ok) {
            error = QStringLiteral("bad header property %1").arg(QString::fromLatin1(prop.Name));
            return false;
        }
    }
    return true;
}

// "w1,w2,...": every entry a size from 0 to 65535.
std::vector<int> SizesOf(const String& text)
{
    std::vector<int> sizes;
    if (text.isEmpty()) return sizes;
    for (const QStringView part : QStringView(text).split(u',')) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok || n < 0 || n > MaxCoord) Corrupt(QStringLiteral("bad sizes"));
        sizes.push_back(n);
    }
    return sizes;
}

}   // namespace

// ---- The service ---------------------------------------------------------------------------------------------

TZvGridCellStream::TZvGridCellStream(TZvStringGrid* AGrid) : TZvGridService(AGrid)
{
    do {
        FID = QRandomGenerator::system()->generate();
    } while (FID == 0 || LiveIDs().count(FID) > 0);
    LiveIDs().insert(FID);
}

TZvGridCellStream::~TZvGridCellStream() { LiveIDs().erase(FID); }

bool TZvGridCellStream::IsLiveID(quint32 ID) { return ID != 0 && LiveIDs().count(ID) > 0; }

bool TZvGridCellStream::ReadHeader(const QByteArray& Data, THeader& Header, String& Error)
{
    qsizetype pos = 0;
    TRecord rec;
    Header = THeader();
    return ReadRecord(Data, pos, rec, Error) && HeaderOf(rec, Header, Error);
}

TZvGridCellStream& TZvStringGrid::CellStreamService() const { return MadeOnFirstUse(d->FCellStreamService, this); }

// ---- Writing -------------------------------------------------------------------------------------------------

void TZvStringGrid::SaveRectToBinStream(TRect Rect, QIODevice* Stream)
{
    // The cells' coordinates are 16-bit numbers: a cell beyond them cannot be carried, and is refused rather
    // than written under a wrapped number.
    if (Rect.Left < 0 || Rect.Top < 0) throw EZvGridError(QStringLiteral("Cell coordinates below 0 cannot be stored"));
    if (Rect.Right > MaxCoord || Rect.Bottom > MaxCoord)
        throw EZvGridError(QStringLiteral("Cell coordinates above 65535 cannot be stored"));
    const int cols = std::max(0, Rect.Right - Rect.Left + 1);
    const int rows = std::max(0, Rect.Bottom - Rect.Top + 1);
    QStringList widths, heights;
    for (int c = Rect.Left; c <= Rect.Right; ++c) widths.append(QString::number(ColWidths(c)));
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) heights.append(QString::number(RowHeights(r)));
    const bool fixedToo = SaveFixedCells();
    const bool full = fixedToo ? rows == RowCount() && cols == ColCount()
                               : rows == RowCount() - FixedRows() && cols == ColCount() - FixedCols();

    QByteArray out;
    TRecordWriter w(out);
    w.BeginRecord("TGridPropIO");
    w.WriteInteger("ColCount", cols);
    w.WriteInteger("RowCount", rows);
    if (!widths.isEmpty()) w.WriteString("ColWidths", widths.join(u','));
    if (!heights.isEmpty()) w.WriteString("RowHeights", heights.join(u','));
    w.WriteBoolean("FullGrid", full);
    w.WriteInteger("ID", qint32(CellStreamService().ID()));
    w.EndRecord();

    TZvGridTextFormats& progress = TextFormatsService();
    progress.StartProgress();
    ExportNotification(TGridExportState::esExportStart, Rect.Top);
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
        ExportNotification(TGridExportState::esExportNewRow, r);
        for (int c = Rect.Left; c <= Rect.Right; ++c) {
            const bool hasProp = HasCellObject(c, r);
            w.BeginRecord("TGridCellIO");
            w.WriteInteger("Col", c);
            w.WriteInteger("Row", r);
            const String text = GetCellEx(c, r);
            if (!text.isEmpty()) w.WriteString("Cell", text);
            w.WriteBoolean("HasProp", hasProp);
            w.EndRecord();
            if (!hasProp) continue;
            const TCellType type = GetCellType(c, r);
            TCellGraphic* graphic = GetCellGraphic(c, r);
            const TPayload payload = PayloadOf(type);
            const bool hasGraphic = graphic && type != TCellType::ctEmpty &&
                                    (payload == TPayload::None || graphic->CellCreated());
            w.BeginRecord("TGridCellPropIO");
            WriteCellProperties(w, *GetCellProperties(c, r));
            w.WriteBoolean("HasGraphic", hasGraphic);
            w.EndRecord();
            if (!hasGraphic) continue;
            w.BeginRecord("TGridGraphicIO");
            WriteCellGraphic(w, *graphic);
            w.EndRecord();
            if (payload != TPayload::None) WritePayload(w, payload, *graphic);
        }
        progress.ReportProgress((r - Rect.Top) * 100.0 / std::max(1, Rect.Bottom - Rect.Top));
    }
    ExportNotification(TGridExportState::esExportDone, -1);
    Stream->write(out);
}

void TZvStringGrid::SaveToBinStream(QIODevice* Stream)
{
    SaveRectToBinStream(TRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, Stream);
}

void TZvStringGrid::SaveToBinFile(const String& FileName)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToBinStream(&buffer);
    SaveFileOrRaise(FileName, buffer.data());
}

// ---- Reading -------------------------------------------------------------------------------------------------

void TZvStringGrid::LoadAtPointFromBinStream(TPoint Point, QIODevice* Stream)
{
    LoadAtPointFromBinStream(Point, Stream, nullptr);
}

void TZvStringGrid::LoadAtPointFromBinStream(TPoint Point, QIODevice* Stream,
                                             const std::function<bool(int, int)>& Accept)
{
    const TZvGridTextFormats::TLoadGuard guard(TextFormatsService());
    const QByteArray data = Stream->readAll();

    // The whole stream is read and checked before anything of the grid changes.
    qsizetype pos = 0;
    TZvGridCellStream::THeader header;
    {
        const TRecord rec = NextRecord(data, pos, nullptr);
        String error;
        if (!HeaderOf(rec, header, error)) Corrupt(error);
    }
    const std::vector<int> colWidths = SizesOf(header.ColWidths);
    const std::vector<int> rowHeights = SizesOf(header.RowHeights);
    TPropertyContext ctx;
    ctx.RestoreObject = TZvGridCellStream::IsLiveID(header.ID);
    ctx.NameRoot = Owner();
    const qint64 maxCells = qint64(header.ColCount) * header.RowCount;
    std::vector<TStreamCell> cells;
    TCellProperties scratchProps(this, 0, 0);
    while (data.size() - pos >= 2) {
        if (qint64(cells.size()) >= maxCells) Corrupt(QStringLiteral("more cells than the header counts"));
        TStreamCell cell;
        const TRecord rec = NextRecord(data, pos, "TGridCellIO");
        bool seenCol = false, seenRow = false;
        for (const TRecordProperty& prop : rec.Properties) {
            qint64 x = 0;
            bool ok = true;
            if (prop.Name == "Col") {
                ok = seenCol = IntIn(prop.Value, 0, MaxCoord, x);
                cell.Col = int(x);
            } else if (prop.Name == "Row") {
                ok = seenRow = IntIn(prop.Value, 0, MaxCoord, x);
                cell.Row = int(x);
            } else if (prop.Name == "Cell") ok = TextOf(prop.Value, cell.Text);
            else if (prop.Name == "HasProp") ok = Boolean(prop.Value, cell.HasProp);
            else ok = false;
            if (!ok) Corrupt(QStringLiteral("bad cell property %1").arg(QString::fromLatin1(prop.Name)));
        }
        if (!seenCol || !seenRow) Corrupt(QStringLiteral("a cell without its column or row"));
        if (cell.HasProp) {
            const TRecord props = NextRecord(data, pos, "TGridCellPropIO");
            for (const TRecordProperty& prop : props.Properties) {
                if (prop.Name == "HasGraphic") {
                    if (!Boolean(prop.Value, cell.HasGraphic)) Corrupt(QStringLiteral("bad HasGraphic"));
                } else if (SetCellProperty(scratchProps, prop.Name, prop.Value, ctx)) {
                    cell.Props.push_back(prop);
                } else {
                    Corrupt(QStringLiteral("bad property %1").arg(QString::fromLatin1(prop.Name)));
                }
            }
        }
        if (cell.HasGraphic) {
            const TRecord graphic = NextRecord(data, pos, "TGridGraphicIO");
            TCellGraphic scratch;
            for (const TRecordProperty& prop : graphic.Properties) {
                if (!SetCellGraphicField(scratch, prop.Name, prop.Value))
                    Corrupt(QStringLiteral("bad property %1").arg(QString::fromLatin1(prop.Name)));
            }
            cell.Graphic = graphic.Properties;
            cell.GraphicType = scratch.CellType();
            const TPayload payload = PayloadOf(scratch.CellType());
            if (payload != TPayload::None) ReadPayload(NextRecord(data, pos, nullptr), payload, cell.Payload);
        }
        cells.push_back(std::move(cell));
    }

    // Now the grid changes.
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    ImportNotification(TGridImportState::isImportStart, -1);
    TPoint origin{0, 0};
    if (header.FullGrid && !Accept) {
        // A stream written without the fixed cells counts only the normal area, while its cells keep their own
        // places: the grid is made large enough for both.
        int cols = header.ColCount, rows = header.RowCount;
        if (!cells.empty()) {
            origin = TPoint{cells.front().Col, cells.front().Row};
            cols = std::max(cols, cells.back().Col + 1);
            rows = std::max(rows, cells.back().Row + 1);
        }
        RemoveAllNodes();
        ClearRows(0, RowCount());
        SetRowCount(rows);
        SetColCount(cols);
        for (std::size_t i = 0; i < colWidths.size() && origin.X + int(i) < ColCount(); ++i)
            SetColWidths(origin.X + int(i), colWidths[i]);
        for (std::size_t i = 0; i < rowHeights.size() && origin.Y + int(i) < RowCount(); ++i)
            SetRowHeights(origin.Y + int(i), rowHeights[i]);
        origin = TPoint{0, 0};
        Point = TPoint{0, 0};
    } else if (!cells.empty()) {
        origin = TPoint{cells.front().Col, cells.front().Row};
    }
    TZvGridTextFormats& progress = TextFormatsService();
    progress.StartProgress();
    const int firstRow = cells.empty() ? 0 : cells.front().Row;
    int lastRow = -1;
    for (const TStreamCell& cell : cells) {
        const qint64 c = qint64(cell.Col) + Point.X - origin.X;
        const qint64 r = qint64(cell.Row) + Point.Y - origin.Y;
        if (c < 0 || r < 0 || c >= AllColCount() || r >= RowCount()) continue;
        const int col = int(c), row = int(r);
        if (Accept && !Accept(col, row)) continue;
        if (row != lastRow) {
            ImportNotification(TGridImportState::isImportNewRow, row);
            lastRow = row;
            progress.ReportProgress((cell.Row - firstRow) * 100.0 / std::max(1, header.RowCount));
        }
        SetCellEx(col, row, cell.Text);
        if (cell.HasProp) {
            TCellProperties* props = GetCellProperties(col, row);
            for (const TRecordProperty& prop : cell.Props) SetCellProperty(*props, prop.Name, prop.Value, ctx);
            props->SetOwnerCol(col);
            props->SetOwnerRow(row);
        }
        // A graphic whose object lives elsewhere (an interfaced object, a balloon's texts) cannot travel.
        if (!cell.HasGraphic || cell.GraphicType == TCellType::ctInterface || cell.GraphicType == TCellType::ctBalloon)
            continue;
        AttachNewCellGraphic(col, row);
        TCellGraphic* g = GetCellGraphic(col, row);
        if (!g) continue;
        for (const TRecordProperty& prop : cell.Graphic) SetCellGraphicField(*g, prop.Name, prop.Value);
        const TPayloadData& p = cell.Payload;
        switch (p.Kind) {
        case TPayload::Bitmap: {
            auto* bmp = new TBitmap();
            if (!p.Image.isNull()) bmp->SetImage(p.Image);
            g->SetCellBitmap(bmp);
            break;
        }
        case TPayload::Icon: {
            auto* icon = new TIcon();
            if (!p.Image.isNull()) icon->SetImage(p.Image);
            g->SetCellIcon(icon);
            break;
        }
        case TPayload::Strings: {
            auto* list = new TStringList();
            for (const String& line : p.Lines) list->Add(line);
            g->SetCellBitmap(list);
            break;
        }
        case TPayload::Images: {
            auto* list = new TIntList(col, row);
            for (const String& line : p.Lines) list->Add(line.trimmed().toInt());
            list->SetOnChange([this](TObject* Sender, int ac, int ar) { CellIntListChanged(Sender, ac, ar); });
            g->SetCellBitmap(list);
            break;
        }
        case TPayload::Picture: {
            auto* picture = new TPicture();
            if (p.HasPicture && p.PictureIsIcon) picture->Icon()->SetImage(p.Image);
            else if (p.HasPicture) picture->Bitmap()->SetImage(p.Image);
            g->SetCellBitmap(picture);
            break;
        }
        case TPayload::FilePicture: {
            auto* file = new TFilePicture();
            // A picture file that is not there (the stream came from elsewhere) leaves the picture empty.
            try {
                if (!p.FileName.isEmpty()) file->SetFilename(p.FileName);
            } catch (const Exception&) {
            }
            g->SetCellBitmap(file);
            break;
        }
        case TPayload::None: break;
        }
        // The objects made here are the graphic's own.
        if (p.Kind != TPayload::None) g->SetCellCreated(true);
    }
    ImportNotification(TGridImportState::isImportDone, -1);
}

void TZvStringGrid::LoadFromBinStream(QIODevice* Stream)
{
    LoadAtPointFromBinStream(TPoint{0, 0}, Stream);
    int nodes = 0;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (GetCellType(0, r) == TCellType::ctNode) ++nodes;
    d->FNumNodes = nodes;
    if (nodes > 0) RepaintCol(0);
}

void TZvStringGrid::LoadFromBinFile(const String& FileName)
{
    QBuffer buffer;
    buffer.setData(ReadFileOrRaise(FileName));
    buffer.open(QIODevice::ReadOnly);
    LoadFromBinStream(&buffer);
}
