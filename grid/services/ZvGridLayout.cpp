// Layout persistence: column widths and positions in an INI file or the
// registry stand-in, the column state as one line of text, and the print
// settings in an INI section.

#include "grid/services/ZvGridLayout.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "platform/Files.h"
#include "platform/IniFiles.h"
#include "platform/SysUtils.h"
#include "platform/ColorNames.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <array>
#include <functional>
#include <optional>

TZvGridLayout::TZvGridLayout(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FColumnSize(std::make_unique<TColumnSize>(AGrid)),
      FColSizes(std::make_unique<TIntList>())
{
}

TZvGridLayout& TZvStringGrid::LayoutService() const { return MadeOnFirstUse(d->FLayoutService, this); }

TColumnSize* TZvStringGrid::ColumnSize() const { return LayoutService().FColumnSize.get(); }
void TZvStringGrid::SetColumnSize(TColumnSize* Value) { ColumnSize()->Assign(Value); }

namespace {
// The storage behind ColumnSize: an INI file (read whole, written back whole)
// or the registry stand-in (written as values change, so loading writes nothing).
class TColumnStore {
public:
    explicit TColumnStore(const TColumnSize& C) : FSection(C.Section())
    {
        if (C.Location() == TColumnSizeLocation::clIniFile) FIni.emplace(C.Key());
        else FRegistry.emplace(C.Key());
    }
    int Read(const String& Ident, int Default) const
    {
        return FIni ? FIni->ReadInteger(FSection, Ident, Default) : FRegistry->ReadInteger(FSection, Ident, Default);
    }
    void Write(const String& Ident, int Value)
    {
        if (FIni) FIni->WriteInteger(FSection, Ident, Value);
        else FRegistry->WriteInteger(FSection, Ident, Value);
    }
    // Loading writes an INI file back as well (a missing one is created empty);
    // a file that cannot be written is no reason to refuse the layout.
    void Update()
    {
        if (FIni) FIni->UpdateFile();
    }

private:
    String FSection;
    std::optional<TMemIniFile> FIni;
    std::optional<TRegistryIniFile> FRegistry;
};

// The inverse of an order list: for each column number in turn, the positions holding it.
std::vector<int> InverseOrder(const TIntList& Order, int Columns)
{
    std::vector<int> inverse;
    for (int p = 0; p < Columns; ++p)
        for (int i = 0; i < Order.Count(); ++i)
            if (Order[i] == p) inverse.push_back(i);
    return inverse;
}

void SetList(TIntList& List, const std::vector<int>& Values)
{
    List.Clear();
    for (int v : Values) List.Add(v);
}
}   // namespace

bool TZvStringGrid::ColumnStoreUsable() const
{
    return !d->FDesignTime && !ColumnSize()->Key().isEmpty() && !ColumnSize()->Section().isEmpty();
}

void TZvStringGrid::SaveColSizes()
{
    if (!ColumnStoreUsable()) return;
    TColumnStore store(*ColumnSize());
    for (int i = 0; i < ColCount(); ++i) store.Write(QStringLiteral("Col%1").arg(i), ColWidths(i));
    store.Update();
}

void TZvStringGrid::LoadColSizes()
{
    if (!ColumnStoreUsable()) return;
    TColumnStore store(*ColumnSize());
    for (int i = 0; i < ColCount(); ++i) {
        const int w = store.Read(QStringLiteral("Col%1").arg(i), ColWidths(i));
        if (w != ColWidths(i)) SetColWidths(i, w);
    }
    store.Update();
}

void TZvStringGrid::SaveColPositions()
{
    if (!ColumnStoreUsable()) return;
    TIntList* order = ColumnOrder();
    if (order->Empty()) return;
    TColumnStore store(*ColumnSize());
    for (int i = 0; i < order->Count(); ++i) store.Write(QStringLiteral("Pos%1").arg(i), order->Items(i));
    store.Update();
}

void TZvStringGrid::LoadColPositions()
{
    if (!ColumnStoreUsable()) return;
    TColumnStore store(*ColumnSize());
    if (store.Read(QStringLiteral("Pos0"), -1) == -1) {
        store.Update();
        return;
    }
    const int all = AllColCount();
    std::vector<int> saved;
    for (int i = 0; i < all; ++i) {
        const int v = store.Read(QStringLiteral("Pos%1").arg(i), -1);
        if (v != -1) saved.push_back(v);
    }
    TIntList* order = ColumnOrder();
    SetList(*order, saved);
    const std::vector<int> inverse = InverseOrder(*order, all);
    std::vector<int> hidden;
    for (int c = 0; c < all; ++c)
        if (IsHiddenColumn(c)) hidden.push_back(c);
    SetList(*order, inverse);
    UnHideColumnsAll();
    if (!order->Empty()) ResetColumnOrder();
    for (auto it = hidden.rbegin(); it != hidden.rend(); ++it) HideColumn(*it);
    SetList(*order, saved);
    store.Update();
}

String TZvStringGrid::ColumnStatesToString()
{
    const int n = ColCount() + NumHiddenColumns();
    QStringList widths, order, visible;
    for (int i = 0; i < n; ++i) widths << String::number(i < ColCount() ? ColWidths(i) : DefaultColWidth());
    const TIntList* list = ColumnOrder();
    if (!list->Empty())
        for (int i = 0; i < list->Count(); ++i) order << String::number(list->Items(i));
    else
        for (int i = 0; i < n; ++i) order << String::number(i);
    for (int i = 0; i < n; ++i) visible << (IsHiddenColumn(i) ? QStringLiteral("0") : QStringLiteral("1"));
    return String::number(n) + u'#' + widths.join(u',') + u'#' + order.join(u',') + u'#' + visible.join(u',');
}

void TZvStringGrid::StringToColumnStates(const String& Value)
{
    if (!Value.contains(u'#')) return;
    const QStringList fields = Value.split(u'#');
    auto field = [&](int i) { return i < fields.size() ? fields[i] : String(); };
    auto entries = [](const String& f) {
        std::vector<int> out;
        if (f.isEmpty()) return out;
        for (const String& e : f.split(u',')) out.push_back(StrToInt(e.trimmed()));
        return out;
    };
    // Everything is read and checked before the grid changes: a malformed
    // state leaves the grid as it was.
    const int n = StrToInt(field(0).trimmed());
    if (n < 0) throw EConvertError(QStringLiteral("'%1' is not a valid column count").arg(field(0)));
    const std::vector<int> orderField = entries(field(2));
    std::vector<int> order;
    for (int v : orderField)
        if (v != -1 && int(order.size()) < n) order.push_back(v);
    if (!orderField.empty() && int(order.size()) < n)
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(order.size()));
    const QStringList visible = field(3).split(u',');
    const std::vector<int> widths = entries(field(1));

    TIntList* list = ColumnOrder();
    list->Clear();
    UnHideColumnsAll();
    SetColCount(n);
    if (!order.empty()) {
        SetList(*list, order);
        SetList(*list, InverseOrder(*list, n));
        if (!list->Empty()) ResetColumnOrder();
        SetList(*list, order);
    }
    for (int i = std::min<int>(n, int(visible.size())) - 1; i >= 0; --i)
        if (visible[i].trimmed() == u"0") HideColumn(i);

    TColumnSize* cs = ColumnSize();
    const bool stretch = cs->Stretch();
    if (stretch) {
        const int sc = cs->StretchColumn() == -1 ? ColCount() - 1 : cs->StretchColumn();
        if (sc >= 0 && sc < ColCount()) SetDefaultColWidth(ColWidths(sc));
    }
    cs->SetStretch(false);
    for (int i = 0; i < ColCount() && i < int(widths.size()); ++i) SetColWidths(i, widths[std::size_t(i)]);
    cs->SetStretch(stretch);
}

// ---- Print settings ------------------------------------------------------------------------

namespace {
String YN(bool b) { return b ? QStringLiteral("Y") : QStringLiteral("N"); }

int StyleBits(TFontStyles s)
{
    int bits = 0;
    if (s.Contains(TFontStyle::fsBold)) bits |= 1;
    if (s.Contains(TFontStyle::fsItalic)) bits |= 2;
    if (s.Contains(TFontStyle::fsUnderline)) bits |= 4;
    if (s.Contains(TFontStyle::fsStrikeOut)) bits |= 8;
    return bits;
}

TFontStyles StyleFromBits(int bits)
{
    TFontStyles s;
    if (bits & 1) s = s + TFontStyles{TFontStyle::fsBold};
    if (bits & 2) s = s + TFontStyles{TFontStyle::fsItalic};
    if (bits & 4) s = s + TFontStyles{TFontStyle::fsUnderline};
    if (bits & 8) s = s + TFontStyles{TFontStyle::fsStrikeOut};
    return s;
}

template <typename E> void SetOrdinal(const TMemIniFile& Ini, const String& S, const String& K, int Max, E Current,
                                     void (TPrintSettings::*Set)(E), TPrintSettings* P)
{
    const int v = Ini.ReadInteger(S, K, int(Current));
    if (v >= 0 && v <= Max) (P->*Set)(E(v));
}

// The three fonts of the settings with their key prefix, in file order.
std::array<std::pair<String, TFont*>, 3> PrintFonts(const TPrintSettings& P)
{
    return {{{QStringLiteral("Font"), P.Font()}, {QStringLiteral("HeaderFont"), P.HeaderFont()},
             {QStringLiteral("FooterFont"), P.FooterFont()}}};
}

TPrintPosition PositionOf(int v) { return v >= 1 && v <= 6 ? TPrintPosition(v) : TPrintPosition::ppNone; }
}   // namespace

void TZvStringGrid::SavePrintSettings(const String& Key, const String& Section)
{
    TMemIniFile ini(Key);
    const TPrintSettings* p = PrintSettings();
    const String& s = Section;
    ini.WriteInteger(s, "ColumnSpacing", p->ColumnSpacing());
    ini.WriteInteger(s, "RowSpacing", p->RowSpacing());
    ini.WriteInteger(s, "TitleSpacing", p->TitleSpacing());
    ini.WriteInteger(s, "FixedHeight", p->FixedHeight());
    ini.WriteInteger(s, "FixedWidth", p->FixedWidth());
    ini.WriteString(s, "Centered", YN(p->Centered()));
    ini.WriteString(s, "NoAutoSize", YN(p->NoAutoSize()));
    ini.WriteString(s, "UseFixedHeight", YN(p->UseFixedHeight()));
    ini.WriteString(s, "UseFixedWidth", YN(p->UseFixedWidth()));
    ini.WriteString(s, "RepeatFixedRows", YN(p->RepeatFixedRows()));
    ini.WriteString(s, "RepeatFixedCols", YN(p->RepeatFixedCols()));
    ini.WriteString(s, "UseDisplFont", YN(p->UseDisplayFont()));
    ini.WriteString(s, "UseDefOrientation", YN(p->UseDefaultOrientation()));
    ini.WriteInteger(s, "Borders", int(p->Borders()));
    ini.WriteInteger(s, "BorderColor", int(p->BorderColor()));
    ini.WriteInteger(s, "BorderStyle", int(p->BorderStyle()));
    ini.WriteInteger(s, "Date", int(p->Date()));
    ini.WriteInteger(s, "PageNr", int(p->PageNr()));
    ini.WriteInteger(s, "Title", int(p->Title()));
    ini.WriteInteger(s, "Time", int(p->Time()));
    ini.WriteString(s, "DateFormat", p->DateFormat());
    ini.WriteString(s, "TitleText", p->TitleText());
    ini.WriteInteger(s, "FooterSize", p->FooterSize());
    ini.WriteInteger(s, "HeaderSize", p->HeaderSize());
    ini.WriteInteger(s, "LeftSize", p->LeftSize());
    ini.WriteInteger(s, "RightSize", p->RightSize());
    ini.WriteInteger(s, "FitToPage", int(p->FitToPage()));
    for (const auto& [k, f] : PrintFonts(*p)) {
        ini.WriteString(s, k + QStringLiteral("Name"), f->Name());
        ini.WriteInteger(s, k + QStringLiteral("Size"), f->Size());
        ini.WriteInteger(s, k + QStringLiteral("Style"), StyleBits(f->Style()));
        ini.WriteInteger(s, k + QStringLiteral("Color"), int(f->Color()));
    }
    ini.WriteString(s, "PageNumSep", p->PageNumSep());
    ini.WriteString(s, "PageSuffix", p->PageSuffix());
    ini.WriteString(s, "PagePrefix", p->PagePrefix());
    ini.WriteInteger(s, "Orientation", int(p->Orientation()));
    String lines = p->TitleLines()->Text();
    if (lines.endsWith(u'\n')) lines.chop(1);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\\n"));
    ini.WriteString(s, "TitleLines", lines);
    ini.WriteString(s, "PrintGraphics", YN(p->PrintGraphics()));
    if (!ini.UpdateFile()) throw EFCreateError(QStringLiteral("Cannot Create file ") + Key);
}

void TZvStringGrid::LoadPrintSettings(const String& Key, const String& Section)
{
    TMemIniFile ini(Key);
    TPrintSettings* p = PrintSettings();
    const String& s = Section;
    auto yes = [&](const char* k, const char* def) { return ini.ReadString(s, k, def) == u"Y"; };
    p->SetColumnSpacing(ini.ReadInteger(s, "ColumnSpacing", 20));
    p->SetRowSpacing(ini.ReadInteger(s, "RowSpacing", 20));
    p->SetTitleSpacing(ini.ReadInteger(s, "TitleSpacing", 20));
    p->SetFixedHeight(ini.ReadInteger(s, "FixedHeight", 0));
    p->SetFixedWidth(ini.ReadInteger(s, "FixedWidth", 0));
    p->SetCentered(yes("Centered", "Y"));
    p->SetNoAutoSize(yes("NoAutoSize", "N"));
    p->SetUseFixedHeight(yes("UseFixedHeight", "N"));
    p->SetUseFixedWidth(yes("UseFixedWidth", "N"));
    p->SetRepeatFixedRows(yes("RepeatFixedRows", "N"));
    p->SetRepeatFixedCols(yes("RepeatFixedCols", "N"));
    p->SetUseDisplayFont(yes("UseDisplFont", "N"));
    p->SetUseDefaultOrientation(yes("UseDefOrientation", "N"));
    SetOrdinal(ini, s, "Borders", 8, TPrintBorders::pbNoborder, &TPrintSettings::SetBorders, p);
    p->SetBorderColor(TColor(ini.ReadInteger(s, "BorderColor", 0)));
    SetOrdinal(ini, s, "BorderStyle", 6, TPenStyle::psSolid, &TPrintSettings::SetBorderStyle, p);
    p->SetDate(PositionOf(ini.ReadInteger(s, "Date", 0)));
    p->SetPageNr(PositionOf(ini.ReadInteger(s, "PageNr", 0)));
    p->SetTitle(PositionOf(ini.ReadInteger(s, "Title", 0)));
    p->SetTime(PositionOf(ini.ReadInteger(s, "Time", 0)));
    p->SetDateFormat(ini.ReadString(s, "DateFormat", String()));
    p->SetTitleText(ini.ReadString(s, "TitleText", String()));
    p->SetFooterSize(ini.ReadInteger(s, "FooterSize", 100));
    p->SetHeaderSize(ini.ReadInteger(s, "HeaderSize", 100));
    p->SetLeftSize(ini.ReadInteger(s, "LeftSize", 100));
    p->SetRightSize(ini.ReadInteger(s, "RightSize", 100));
    SetOrdinal(ini, s, "FitToPage", 4, TFitToPage::fpNever, &TPrintSettings::SetFitToPage, p);
    for (const auto& [k, f] : PrintFonts(*p)) {
        f->SetName(ini.ReadString(s, k + QStringLiteral("Name"), QStringLiteral("Arial")));
        f->SetSize(ini.ReadInteger(s, k + QStringLiteral("Size"), 10));
        // The stored style is the whole style: a plain font does not keep an
        // earlier bold.
        f->SetStyle(StyleFromBits(ini.ReadInteger(s, k + QStringLiteral("Style"), 0)));
        f->SetColor(TColor(ini.ReadInteger(s, k + QStringLiteral("Color"), 0)));
    }
    p->SetPageNumSep(ini.ReadString(s, "PageNumSep", String()));
    p->SetPageSuffix(ini.ReadString(s, "PageSuffix", String()));
    p->SetPagePrefix(ini.ReadString(s, "PagePrefix", String()));
    SetOrdinal(ini, s, "Orientation", 1, TPrinterOrientation::poPortrait, &TPrintSettings::SetOrientation, p);
    String lines = ini.ReadString(s, "TitleLines", String());
    p->TitleLines()->Clear();
    if (!lines.isEmpty()) p->TitleLines()->SetText(lines.replace(QStringLiteral("\\n"), QStringLiteral("\n")));
    p->SetPrintGraphics(yes("PrintGraphics", "N"));
    ini.UpdateFile();   // written back as on the platform; a read-only file still loads
}

// ---- Visual properties ---------------------------------------------------------------------

namespace {
// One key of the visual-properties file: how its value is written and how it
// is applied. Apply gets a null value for a key the file does not hold.
struct VisualProp {
    String Key;
    std::function<String()> Save;
    std::function<void(const String* Value)> Apply;
};

String BoolText(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

template <typename E, std::size_t N> String EnumName(E v, const std::array<const char*, N>& names)
{
    const auto i = std::size_t(v);
    return i < N ? QString::fromLatin1(names[i]) : String();
}

// A name that matches none leaves the property as it is.
template <typename E, std::size_t N>
void ApplyEnum(const String* v, const std::array<const char*, N>& names, const std::function<void(E)>& set)
{
    if (!v) return;
    for (std::size_t i = 0; i < N; ++i)
        if (v->compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0) return set(E(i));
}

constexpr std::array<const char*, 7> ControlStyleNames{"csClassic", "csFlat",  "csWinXP", "csBorland",
                                                       "csVUD",     "csGlyph", "csTheme"};
constexpr std::array<const char*, 9> LookNames{"glStandard", "glSoft",  "glClassic", "glVUD",       "glXP",
                                               "glListView", "glVista", "glWin7",    "glOffice2007"};
constexpr std::array<const char*, 4> DisplayNames{"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"};
constexpr std::array<const char*, 3> CellsNames{"bcNormal", "bcFixed", "bcAll"};
constexpr std::array<std::pair<TFontStyle, const char*>, 4> StyleNames{
    {{TFontStyle::fsBold, "fsBold"}, {TFontStyle::fsItalic, "fsItalic"},
     {TFontStyle::fsUnderline, "fsUnderline"}, {TFontStyle::fsStrikeOut, "fsStrikeOut"}}};

class VisualProps {
public:
    std::vector<VisualProp> List;

    void Color(const char* k, std::function<TColor()> get, std::function<void(TColor)> set)
    {
        List.push_back({QString::fromLatin1(k), [get] { return ColorToString(get()); }, [set](const String* v) {
                            set(!v || v->isEmpty() ? clNone : StringToColor(*v));
                        }});
    }
    void Bool(const char* k, std::function<bool()> get, std::function<void(bool)> set)
    {
        List.push_back({QString::fromLatin1(k), [get] { return BoolText(get()); },
                        [set](const String* v) { set(v && v->toUpper() == u"TRUE"); }});
    }
    // A missing or broken number raises the conversion error.
    void Int(const char* k, std::function<int()> get, std::function<void(int)> set)
    {
        List.push_back({QString::fromLatin1(k), [get] { return String::number(get()); },
                        [set](const String* v) { set(StrToInt(v ? *v : String())); }});
    }
    template <typename E, std::size_t N>
    void Enum(const char* k, const std::array<const char*, N>& names, std::function<E()> get, std::function<void(E)> set)
    {
        List.push_back({QString::fromLatin1(k), [get, &names] { return EnumName(get(), names); },
                        [set, &names](const String* v) { ApplyEnum<E>(v, names, set); }});
    }
    void Font(const String& k, TFont* f)
    {
        auto key = [&](const char* part) { return (k + u'.' + QLatin1String(part)).toLatin1(); };
        const QByteArray color = key("Color"), style = key("Style"), size = key("Size"), name = key("Name");
        Color(color.constData(), [f] { return f->Color(); }, [f](TColor c) { f->SetColor(c); });
        List.push_back({QString::fromLatin1(style),
                        [f] {
                            QStringList parts;
                            for (const auto& [st, n] : StyleNames)
                                if (f->Style().Contains(st)) parts << QString::fromLatin1(n);
                            return parts.join(u',');
                        },
                        [f](const String* v) {
                            TFontStyles s;
                            for (const auto& [st, n] : StyleNames)
                                if (v && v->contains(QLatin1String(n))) s = s + TFontStyles{st};
                            f->SetStyle(s);
                        }});
        Int(size.constData(), [f] { return f->Size(); }, [f](int v) { f->SetSize(v); });
        List.push_back({QString::fromLatin1(name), [f] { return f->Name(); },
                        [f](const String* v) { f->SetName(v ? *v : String()); }});
    }
};

// Every key in file order, bound to the grid.
std::vector<VisualProp> VisualPropsOf(TZvStringGrid* g)
{
    VisualProps p;
#define ZV_COLOR(Key, Obj, Name) p.Color(Key, [=] { return Obj->Name(); }, [=](TColor c) { Obj->Set##Name(c); })
#define ZV_BOOL(Key, Obj, Name) p.Bool(Key, [=] { return Obj->Name(); }, [=](bool b) { Obj->Set##Name(b); })
#define ZV_INT(Key, Obj, Name) p.Int(Key, [=] { return int(Obj->Name()); }, [=](int i) { Obj->Set##Name(i); })
    ZV_COLOR("Color", g, Color);
    ZV_COLOR("HintColor", g, HintColor);
    ZV_COLOR("SelectionColor", g, SelectionColor);
    ZV_COLOR("SelectionColorTo", g, SelectionColorTo);
    ZV_COLOR("SelectionMirrorColor", g, SelectionMirrorColor);
    ZV_COLOR("SelectionMirrorColorTo", g, SelectionMirrorColorTo);
    ZV_COLOR("SelectionTextColor", g, SelectionTextColor);
    ZV_COLOR("URLColor", g, URLColor);
    ZV_BOOL("URLShow", g, URLShow);
    ZV_BOOL("URLShowInText", g, URLShowInText);
    ZV_COLOR("ScrollColor", g, ScrollColor);
    ZV_COLOR("ActiveRowColor", g, ActiveRowColor);
    ZV_BOOL("ActiveRowShow", g, ActiveRowShow);
    ZV_BOOL("ActiveCellShow", g, ActiveCellShow);
    p.Font(QStringLiteral("Font"), g->Font());
    ZV_COLOR("ActiveCellColor", g, ActiveCellColor);
    ZV_COLOR("ActiveCellColorTo", g, ActiveCellColorTo);
    p.Font(QStringLiteral("ActiveCellFont"), g->ActiveCellFont());
    p.Font(QStringLiteral("FixedFont"), g->FixedFont());
    TBalloonSettings* balloon = g->Balloon();
    ZV_COLOR("Balloon.BackgroundColor", balloon, BackgroundColor);
    ZV_COLOR("Balloon.TextColor", balloon, TextColor);
    p.Int("Balloon.Transparency", [=] { return int(balloon->Transparency()); },
          [=](int v) { balloon->SetTransparency(std::uint8_t(v)); });
    TBands* bands = g->Bands();
    ZV_COLOR("Bands.PrimaryColor", bands, PrimaryColor);
    ZV_COLOR("Bands.SecondaryColor", bands, SecondaryColor);
    ZV_BOOL("Bands.Active", bands, Active);
    TSortSettings* sort = g->SortSettings();
    ZV_COLOR("SortSettings.IndexColor", sort, IndexColor);
    TFloatingFooter* floating = g->FloatingFooter();
    ZV_COLOR("FloatingFooter.Color", floating, Color);
    TControlLook* look = g->ControlLook();
    ZV_INT("ControlLook.CheckSize", look, CheckSize);
    ZV_COLOR("ControlLook.Color", look, Color);
    ZV_COLOR("ControlLook.CommentColor", look, CommentColor);
    p.Enum<TGridControlStyle>("ControlLook.ControlStyle", ControlStyleNames, [=] { return look->ControlStyle(); },
                              [=](TGridControlStyle v) { look->SetControlStyle(v); });
    ZV_COLOR("ControlLook.FixedGradientFrom", look, FixedGradientFrom);
    ZV_COLOR("ControlLook.FixedGradientTo", look, FixedGradientTo);
    ZV_INT("ControlLook.RadioSize", look, RadioSize);
    ZV_BOOL("ControlLook.FlatButton", look, FlatButton);
    ZV_COLOR("ControlLook.ProgressBorderColor", look, ProgressBorderColor);
    ZV_BOOL("ControlLook.ProgressXP", look, ProgressXP);
    // A custom look has no name: it is written empty and never matched.
    p.Enum<TGridLook>("Look", LookNames, [=] { return g->Look(); }, [=](TGridLook v) { g->SetLook(v); });
    TSearchFooter* search = g->SearchFooter();
    ZV_COLOR("SearchFooter.Color", search, Color);
    ZV_COLOR("SearchFooter.ColorTo", search, ColorTo);
    TGrouping* grouping = g->Grouping();
    ZV_COLOR("Grouping.HeaderColor", grouping, HeaderColor);
    ZV_COLOR("Grouping.HeaderColorTo", grouping, HeaderColorTo);
    ZV_COLOR("Grouping.HeaderTextColor", grouping, HeaderTextColor);
    ZV_BOOL("Grouping.HeaderUnderline", grouping, HeaderUnderline);
    ZV_COLOR("Grouping.HeaderLineColor", grouping, HeaderLineColor);
    ZV_INT("Grouping.HeaderLineWidth", grouping, HeaderLineWidth);
    ZV_COLOR("Grouping.SummaryColor", grouping, SummaryColor);
    ZV_COLOR("Grouping.SummaryColorTo", grouping, SummaryColorTo);
    ZV_COLOR("Grouping.SummaryTextColor", grouping, SummaryTextColor);
    ZV_BOOL("Grouping.SummaryLine", grouping, SummaryLine);
    ZV_COLOR("Grouping.SummaryLineColor", grouping, SummaryLineColor);
    ZV_INT("Grouping.SummaryLineWidth", grouping, SummaryLineWidth);
    ZV_COLOR("GridLineColor", g, GridLineColor);
    ZV_COLOR("GridFixedLineColor", g, GridFixedLineColor);
    TBackGround* back = g->BackGround();
    ZV_INT("BackGround.Top", back, Top);
    ZV_INT("BackGround.Left", back, Left);
    p.Enum<TBackGroundDisplay>("BackGround.Display", DisplayNames, [=] { return back->Display(); },
                               [=](TBackGroundDisplay v) { back->SetDisplay(v); });
    p.Enum<TBackGroundCells>("BackGround.Cells", CellsNames, [=] { return back->Cells(); },
                             [=](TBackGroundCells v) { back->SetCells(v); });
    ZV_COLOR("BackGround.Color", back, Color);
    ZV_COLOR("BackGround.ColorTo", back, ColorTo);
#undef ZV_COLOR
#undef ZV_BOOL
#undef ZV_INT
    return std::move(p.List);
}
}   // namespace

void TZvStringGrid::SaveVisualProps(const String& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw Exception(QStringLiteral("Cannot Create ") + FileName);
    QByteArray out;
    for (const VisualProp& v : VisualPropsOf(this)) out += (v.Key + u'=' + v.Save() + QStringLiteral("\r\n")).toUtf8();
    if (file.write(out) != out.size()) throw Exception(QStringLiteral("Cannot Create ") + FileName);
}

void TZvStringGrid::LoadVisualProps(const String& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("Cannot open file ") + FileName);
    const QStringList lines = String::fromUtf8(file.readAll()).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    file.close();
    // The first line of a name counts, whatever its case.
    QHash<String, String> values;
    for (const String& l : lines) {
        const qsizetype eq = l.indexOf(u'=');
        if (eq <= 0) continue;
        const String key = l.left(eq).toLower();
        if (!values.contains(key)) values.insert(key, l.mid(eq + 1));
    }
    for (const VisualProp& v : VisualPropsOf(this)) {
        const auto it = values.constFind(v.Key.toLower());
        v.Apply(it == values.cend() ? nullptr : &*it);
    }
}
