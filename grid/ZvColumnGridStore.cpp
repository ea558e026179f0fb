// The column stream (every item's settings, read back exactly as written)
// and the INI file of column positions.

#include "grid/ZvColumnGrid.h"
#include "platform/IniFiles.h"
#include "platform/Menus.h"

#include <QDataStream>

namespace {
constexpr quint32 ColumnStreamMagic = 0x5A56434C; // "ZVCL"
constexpr quint16 ColumnStreamVersion = 1;
constexpr quint32 MaxStreamItems = 1u << 16;
constexpr quint32 MaxStreamLines = 1u << 20;

[[noreturn]] void Unreadable()
{
    throw EReadError(QStringLiteral("Error reading column stream"));
}

void WriteFont(QDataStream& out, const TFont* f)
{
    out << f->Name() << qint32(f->Height()) << quint64(f->Style().Bits()) << quint32(f->Color())
        << qint32(f->Orientation());
}

void ReadFont(QDataStream& in, TFont* f)
{
    String name;
    qint32 height = 0, orientation = 0;
    quint64 style = 0;
    quint32 color = 0;
    in >> name >> height >> style >> color >> orientation;
    if (in.status() != QDataStream::Ok || style >= (1u << 4)) Unreadable();
    f->SetName(name);
    f->SetHeight(height);
    f->SetStyle(TFontStyles::FromBits(style));
    f->SetColor(TColor(color));
    f->SetOrientation(orientation);
}

void WritePen(QDataStream& out, const TPen* p)
{
    out << quint32(p->Color()) << qint32(p->Width()) << qint32(p->Style()) << qint32(p->Mode());
}

void ReadPen(QDataStream& in, TPen* p)
{
    quint32 color = 0;
    qint32 width = 0, style = 0, mode = 0;
    in >> color >> width >> style >> mode;
    if (in.status() != QDataStream::Ok || style < 0 || style > int(TPenStyle::psInsideFrame) || mode < 0 ||
        mode > int(TPenMode::pmNotXor))
        Unreadable();
    p->SetColor(TColor(color));
    p->SetWidth(width);
    p->SetStyle(TPenStyle(style));
    p->SetMode(TPenMode(mode));
}

void WriteLines(QDataStream& out, const TStringList* list)
{
    out << quint32(list->Count());
    for (int i = 0; i < list->Count(); ++i) out << list->Strings(i);
}

void ReadLines(QDataStream& in, TStringList* list)
{
    quint32 n = 0;
    in >> n;
    if (in.status() != QDataStream::Ok || n > MaxStreamLines) Unreadable();
    list->Clear();
    for (quint32 i = 0; i < n; ++i) {
        String line;
        in >> line;
        if (in.status() != QDataStream::Ok) Unreadable();
        list->Add(line);
    }
}

template <class E>
E ReadEnum(QDataStream& in, int last)
{
    qint32 v = 0;
    in >> v;
    if (in.status() != QDataStream::Ok || v < 0 || v > last) Unreadable();
    return E(v);
}

TCellBorders ReadBorders(QDataStream& in)
{
    quint64 bits = 0;
    in >> bits;
    if (in.status() != QDataStream::Ok || bits >= (1u << 4)) Unreadable();
    return TCellBorders::FromBits(bits);
}
} // namespace

void TZvColumnGrid::WriteItem(QDataStream& out, const TGridColumnItem* c)
{
    out << qint32(c->FAutoMinSize) << qint32(c->FAutoMaxSize) << qint32(c->FAlignment) << quint64(c->FBorders.Bits());
    WritePen(out, c->FBorderPen.get());
    out << c->FCheckFalse << c->FCheckTrue << quint32(c->FColor)
        << (c->FColumnPopup ? c->FColumnPopup->Name() : String()) << qint32(c->FColumnPopupType);
    WriteLines(out, c->FComboItems.get());
    out << qint32(c->FDropDownCount) << qint32(c->FEditLength) << c->FEditMask << qint32(c->FEditor);
    WriteLines(out, c->FFilter.get());
    out << c->FFilterCaseSensitive << c->FFixed << c->FFloatFormat;
    WriteFont(out, c->FFont.get());
    out << c->FHeader << qint32(c->FHeaderAlignment);
    WriteFont(out, c->FHeaderFont.get());
    out << qint32(c->FMinSize) << qint32(c->FMaxSize) << c->FName << c->FPassword << c->FPrintBorderCustom
        << quint64(c->FPrintBorders.Bits());
    WritePen(out, c->FPrintBorderPen.get());
    out << quint32(c->FPrintColor) << c->FPrintFontCustom;
    WriteFont(out, c->FPrintFont.get());
    out << c->FReadOnly << c->FShowBands << qint32(c->FSortStyle) << c->FSortPrefix << c->FSortSuffix
        << qint32(c->FSpinMax) << qint32(c->FSpinMin) << qint32(c->FSpinStep) << qint32(c->FTag)
        << qint32(c->Width());
}

void TZvColumnGrid::ReadItem(QDataStream& in, TGridColumnItem* c, int& Width)
{
    qint32 i1 = 0, i2 = 0;
    in >> i1 >> i2;
    c->FAutoMinSize = i1;
    c->FAutoMaxSize = i2;
    c->FAlignment = ReadEnum<TAlignment>(in, int(TAlignment::taCenter));
    c->FBorders = ReadBorders(in);
    ReadPen(in, c->FBorderPen.get());
    quint32 color = 0;
    String popupName;
    in >> c->FCheckFalse >> c->FCheckTrue >> color >> popupName;
    c->FColor = TColor(color);
    c->FColumnPopup = nullptr;
    // A menu is a reference: found again by name among the components of the grid's owner.
    if (!popupName.isEmpty() && Owner())
        c->FColumnPopup = dynamic_cast<TPopupMenu*>(Owner()->FindComponent(popupName));
    c->FColumnPopupType = ReadEnum<TColumnPopupType>(in, int(TColumnPopupType::cpAllCellsLClick));
    ReadLines(in, c->FComboItems.get());
    in >> i1 >> i2 >> c->FEditMask;
    c->FDropDownCount = i1;
    c->FEditLength = i2;
    c->FEditor = ReadEnum<TEditorType>(in, EditorTypeCount - 1);
    ReadLines(in, c->FFilter.get());
    in >> c->FFilterCaseSensitive >> c->FFixed >> c->FFloatFormat;
    ReadFont(in, c->FFont.get());
    in >> c->FHeader;
    c->FHeaderAlignment = ReadEnum<TAlignment>(in, int(TAlignment::taCenter));
    ReadFont(in, c->FHeaderFont.get());
    in >> i1 >> i2 >> c->FName >> c->FPassword >> c->FPrintBorderCustom;
    c->FMinSize = i1;
    c->FMaxSize = i2;
    c->FPrintBorders = ReadBorders(in);
    ReadPen(in, c->FPrintBorderPen.get());
    in >> color >> c->FPrintFontCustom;
    c->FPrintColor = TColor(color);
    ReadFont(in, c->FPrintFont.get());
    in >> c->FReadOnly >> c->FShowBands;
    c->FSortStyle = ReadEnum<TSortStyle>(in, int(TSortStyle::ssAlphaNumericNoCase));
    qint32 spinMax = 0, spinMin = 0, spinStep = 0, tag = 0, width = 0;
    in >> c->FSortPrefix >> c->FSortSuffix >> spinMax >> spinMin >> spinStep >> tag >> width;
    if (in.status() != QDataStream::Ok || width < 0 || width > 32767) Unreadable();
    c->FSpinMax = spinMax;
    c->FSpinMin = spinMin;
    c->FSpinStep = spinStep;
    c->FTag = tag;
    Width = width;
}

void TZvColumnGrid::SaveColumnsToStream(QIODevice* st)
{
    TZvColumnGridIO io(this);
    io.Items()->Assign(FColumns.get());
    QDataStream out(st);
    out.setVersion(QDataStream::Qt_6_0);
    out << ColumnStreamMagic << ColumnStreamVersion << quint32(FColumns->Count());
    // Written from the grid's own items: the copy above keeps only what a
    // copy keeps, the stream everything an item holds.
    for (const auto& item : FColumns->FItems) WriteItem(out, item.get());
    if (out.status() != QDataStream::Ok) throw EWriteError(QStringLiteral("Error writing column stream"));
}

void TZvColumnGrid::LoadColumnsFromStream(QIODevice* st)
{
    QDataStream in(st);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0, count = 0;
    quint16 version = 0;
    in >> magic >> version >> count;
    if (in.status() != QDataStream::Ok || magic != ColumnStreamMagic || version != ColumnStreamVersion ||
        count > MaxStreamItems)
        Unreadable();
    // Read whole into a spare collection first: a broken stream leaves the grid's items untouched.
    TZvColumnGridIO io(this);
    std::vector<int> widths;
    for (quint32 i = 0; i < count; ++i) {
        io.Items()->FItems.push_back(std::make_unique<TGridColumnItem>(io.Items()));
        int width = 0;
        ReadItem(in, io.Items()->FItems.back().get(), width);
        widths.push_back(width);
    }
    {
        TNoRecursiveUpdateScope scope(FColumns.get());
        FColumns->Assign(io.Items());
        for (int i = 0; i < FColumns->Count(); ++i) {
            TGridColumnItem* dst = FColumns->FItems[std::size_t(i)].get();
            const TGridColumnItem* src = io.Items()->FItems[std::size_t(i)].get();
            dst->FColumnPopupType = src->FColumnPopupType;
            dst->FPrintBorderCustom = src->FPrintBorderCustom;
            dst->FPrintFontCustom = src->FPrintFontCustom;
        }
    }
    // The grid follows the loaded items, so one item per real column holds again.
    FColumns->ColumnsUpdated();
    for (int i = 0; i < FColumns->Count(); ++i) SetAllColWidths(i, widths[std::size_t(i)]);
    Invalidate();
}

// ---- Column positions in an INI file -----------------------------------------------------

void TZvColumnGrid::SaveColPositions()
{
    if (ColumnSize() && ColumnSize()->Location() == TColumnSizeLocation::clIniFile)
        SaveColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
    else
        TZvStringGrid::SaveColPositions();
}

void TZvColumnGrid::LoadColPositions()
{
    if (ColumnSize() && ColumnSize()->Location() == TColumnSizeLocation::clIniFile)
        LoadColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
    else
        TZvStringGrid::LoadColPositions();
}

void TZvColumnGrid::SaveColumnPositions(const String& Key, const String& Section)
{
    TMemIniFile ini(Key);
    for (int i = 0; i < FColumns->Count(); ++i) ini.WriteInteger(Section, QStringLiteral("CP%1").arg(i), FColumns->Items(i)->DefIdx());
    if (!ini.UpdateFile())
        throw EWriteError(QStringLiteral("Cannot write column positions to %1").arg(Key));
}

void TZvColumnGrid::LoadColumnPositions(const String& Key, const String& Section)
{
    const int n = FColumns->Count();
    std::vector<int> positions(std::size_t(n), -1);
    {
        const TMemIniFile ini(Key);
        for (int i = 0; i < n; ++i) positions[std::size_t(i)] = ini.ReadInteger(Section, QStringLiteral("CP%1").arg(i), -1);
    }
    // Anything but one place for every column (a missing key, a number out of
    // range, a place given twice) leaves the grid as it is.
    std::vector<bool> seen(std::size_t(n), false);
    for (int p : positions) {
        if (p < 0 || p >= n || seen[std::size_t(p)]) return;
        seen[std::size_t(p)] = true;
    }
    ResetColumnOrder();
    for (int j = 0; j < n; ++j) FColumns->Items(positions[std::size_t(j)])->SetDefIdx(j);
    FColumns->ResetOrganization();
    for (int i = 0; i < n; ++i) FColumns->Items(i)->SetDefIdx(positions[std::size_t(i)]);
}
