// Sorting the grid's rows: the service's state and the grid's members that front it.
//
// A sort never moves rows while it compares them. It reads each row's text of
// a column once, orders a list of row numbers with a merge sort that keeps
// equal rows in their order, and then moves every row to its place in one
// step. So a comparison that throws (from a format or compare handler) leaves
// the grid as it was, a comparison that contradicts itself cannot run out of
// the rows, and a million rows need no deep recursion.

#include "grid/services/ZvGridSort.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"
#include "grid/services/panels/ZvFooterPanel.h"
#include "grid/services/panels/ZvSearchPanel.h"
#include "grid/support/ZvGridCellGraphic.h"
#include "grid/support/ZvGridUtil.h"
#include "platform/DateUtils.h"
#include "platform/Regional.h"
#include "platform/ScopeGuard.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <map>
#include <optional>

TZvGridSort::TZvGridSort(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FSortSettings(std::make_unique<TSortSettings>(AGrid)),
      FSortIndexes(std::make_unique<TSortIndexList>()),
      FSortXRef(std::make_unique<TIntList>()),
      FUnSortXRef(std::make_unique<TIntList>()),
      FSortList(std::make_unique<TStringList>()),
      FIgnoreColumns(std::make_unique<TIntList>())
{
    FSortSettings->SetSortIndexes(FSortIndexes.get());
    FSortSettings->OnGetFixedRows = [AGrid] { return AGrid->FixedRows(); };
    FSortSettings->OnInvalidate = [AGrid](TObject*) { AGrid->Invalidate(); };
}

// ---- Comparing rows ---------------------------------------------------------------------------------------------
namespace {

int Sign(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }
int SignOf(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

bool IsCheckType(TCellType t)
{
    return t == TCellType::ctCheckBox || t == TCellType::ctDataCheckBox || t == TCellType::ctVirtCheckBox ||
           t == TCellType::ctRowCheckBox;
}

bool IsNumberText(const String& text) { return !text.isEmpty() && NumberTextType(text) != ntNotNumber; }

// What ssAutomatic makes of a text when it stands first in a pair.
enum class TAutoKind : signed char { Unknown, Check, Number, DateLike, DateTimeLike, TimeLike, Text };

// The separator first at character 2 or 3, text after it, digits on both sides.
bool SeparatorAtTwoOrThree(const String& text, QChar sep)
{
    const int p = int(text.indexOf(sep));   // 0-based
    if (p != 1 && p != 2) return false;
    if (p + 1 >= text.length()) return false;
    return text[p - 1].isDigit() && text[p + 1].isDigit();
}

}   // namespace

// Reads each cell a sort needs once, keeps what it has converted, and answers
// the comparisons of one sort on the grid as it stood when the sort began.
class TZvRowComparer {
public:
    TZvRowComparer(TZvStringGrid& Grid, int First, int Last) : G(Grid), FFirst(First), FCount(Last - First + 1)
    {
        FSettings = G.SortSettings();
        FFormat = FormatSettings();
    }

    int CompareCells(int ACol, int Row1, int Row2, TSortDirection Direction)
    {
        TColumn& col = Column(ACol);
        const String t1 = Text(col, ACol, Row1);
        const String t2 = Text(col, ACol, Row2);
        TSortStyle style = col.Style;
        if (style == TSortStyle::ssAutomatic) style = AutoStyle(col, ACol, Row1, t2);
        if (style == TSortStyle::ssAlphaNumeric || style == TSortStyle::ssAlphaNumericNoCase) {
            const bool nums = IsNumberText(t1) && IsNumberText(t2);
            style = nums ? TSortStyle::ssNumeric
                         : (style == TSortStyle::ssAlphaNumeric ? TSortStyle::ssAlphabetic : TSortStyle::ssAlphaNoCase);
        }
        int res = CompareByStyle(col, style, ACol, Row1, Row2, t1, t2);
        if (FSettings->IgnoreBlanks() && t1.isEmpty() != t2.isEmpty()) {
            res = t1.isEmpty() ? -1 : 1;
            if (FSettings->BlankPos() == TSortBlankPosition::blLast) res = -res;
            if (Direction == TSortDirection::sdDescending) res = -res;
        }
        return res;
    }

    int CompareRowsFull(int ACol, int Row1, int Row2)
    {
        const int cols = G.AllColCount();
        for (int c = ACol;; ++c) {
            if (G.IsIgnoredColumn(c)) return 0;
            const int res = CompareCells(c, Row1, Row2, FSettings->Direction());
            if (res != 0 || !FSettings->Full() || c > cols - 2) return res;
        }
    }

    int CompareRowsIndexed(int Row1, int Row2)
    {
        const TSortIndexList& idx = *G.SortIndexes();
        for (int i = 0; i < idx.Count(); ++i) {
            const int col = idx.SortColumns(i);
            const bool desc = !idx.SortDirections(i);
            int res = G.IsIgnoredColumn(col)
                          ? 0
                          : CompareCells(col, Row1, Row2,
                                         desc ? TSortDirection::sdDescending : TSortDirection::sdAscending);
            if (res != 0 || !FSettings->Full()) return desc ? -res : res;
        }
        return 0;
    }

    // The style every pair of rows in the block compares by, when one holds for
    // all of them: then each row's key can be converted once before the sort.
    // Nullopt when the style changes from pair to pair, or needs more than the
    // cell's text (check boxes, images, handlers).
    std::optional<TSortStyle> BlockStyle(int ACol)
    {
        TColumn& col = Column(ACol);
        TSortStyle style = col.Style;
        if (style == TSortStyle::ssAutomatic) {
            TAutoKind kind = TAutoKind::Unknown;
            for (int s = 0; s < FCount; ++s) {
                const int row = FFirst + s;
                const TAutoKind k = AutoKindOf(col, ACol, row, Text(col, ACol, row));
                if (kind != TAutoKind::Unknown && k != kind) return std::nullopt;
                kind = k;
            }
            // A date-like or time-like text holds its separator, so the second of any pair agrees.
            switch (kind) {
            case TAutoKind::Number: style = TSortStyle::ssNumeric; break;
            case TAutoKind::DateLike: style = TSortStyle::ssDate; break;
            case TAutoKind::DateTimeLike: style = TSortStyle::ssDateTime; break;
            case TAutoKind::TimeLike: style = TSortStyle::ssTime; break;
            case TAutoKind::Text:
                style = FSettings->IgnoreCase() ? TSortStyle::ssAlphaNoCase : TSortStyle::ssAlphabetic;
                break;
            default: return std::nullopt;
            }
        }
        if (style == TSortStyle::ssAlphaNumeric || style == TSortStyle::ssAlphaNumericNoCase) {
            int numbers = 0;
            for (int s = 0; s < FCount; ++s) numbers += IsNumberText(Text(col, ACol, FFirst + s)) ? 1 : 0;
            if (numbers == FCount) style = TSortStyle::ssNumeric;
            else if (numbers == 0)
                style = style == TSortStyle::ssAlphaNumeric ? TSortStyle::ssAlphabetic : TSortStyle::ssAlphaNoCase;
            else return std::nullopt;
        }
        switch (style) {
        case TSortStyle::ssAlphabetic:
        case TSortStyle::ssAlphaNoCase:
        case TSortStyle::ssNumeric:
        case TSortStyle::ssFinancial:
        case TSortStyle::ssDate:
        case TSortStyle::ssDateTime:
        case TSortStyle::ssTime:
        case TSortStyle::ssShortDateEU:
        case TSortStyle::ssShortDateUS: return style;
        default: return std::nullopt;
        }
    }

    // A row's text as the block's comparisons read it.
    const String& BlockText(int ACol, int ARow)
    {
        TColumn& col = Column(ACol);
        (void)Text(col, ACol, ARow);
        return col.Texts[std::size_t(Slot(ARow))];
    }

    // A row's converted value under a style BlockStyle gave; nullopt where a number does not convert.
    std::optional<double> BlockValue(int ACol, int ARow, TSortStyle Style)
    {
        TColumn& col = Column(ACol);
        const String& t = BlockText(ACol, ARow);
        switch (Style) {
        case TSortStyle::ssNumeric: return Value(col, 0, ACol, ARow, t, false);
        case TSortStyle::ssFinancial: return Value(col, 0, ACol, ARow, t, true);
        case TSortStyle::ssDate:
        case TSortStyle::ssDateTime: return Value(col, 1, ACol, ARow, t, false);
        case TSortStyle::ssTime: return Value(col, 2, ACol, ARow, t, false);
        case TSortStyle::ssShortDateEU: return Value(col, 3, ACol, ARow, t, false);
        default: return Value(col, 4, ACol, ARow, t, false);
        }
    }

private:
    struct TColumn {
        bool Loaded = false;
        TSortStyle Style = TSortStyle::ssAutomatic;
        String Prefix, Suffix;
        std::vector<String> Texts;
        std::vector<signed char> TextRead;
        std::vector<TAutoKind> Auto;
        // One value cache per conversion: number, date-time, time, day-first, month-first.
        std::vector<double> Values[5];
        std::vector<signed char> Converted[5];   // 0 not yet, 1 converted, 2 failed
    };

    TColumn& Column(int ACol)
    {
        auto it = FColumns.find(ACol);
        if (it != FColumns.end()) return it->second;
        TColumn& col = FColumns[ACol];
        col.Style = FSettings->AutoFormat()
                        ? TSortStyle::ssAutomatic
                        : (FSettings->IgnoreCase() ? TSortStyle::ssAlphaNoCase : TSortStyle::ssAlphabetic);
        G.FireGetFormat(ACol, col.Style, col.Prefix, col.Suffix);
        col.Texts.resize(std::size_t(FCount));
        col.TextRead.assign(std::size_t(FCount), 0);
        col.Loaded = true;
        return col;
    }

    // Rows outside the block (the caller's own comparisons) are read every time.
    int Slot(int ARow) const { return ARow >= FFirst && ARow < FFirst + FCount ? ARow - FFirst : -1; }

    // A copy: rows outside the block have no slot to keep their text in.
    String Text(TColumn& col, int ACol, int ARow)
    {
        const int s = Slot(ARow);
        if (s < 0) return ReadText(ACol, ARow);
        if (!col.TextRead[std::size_t(s)]) {
            col.Texts[std::size_t(s)] = ReadText(ACol, ARow);
            col.TextRead[std::size_t(s)] = 1;
        }
        return col.Texts[std::size_t(s)];
    }

    String ReadText(int ACol, int ARow)
    {
        return FSettings->SortOnVirtualCells() ? G.GetCellEx(ACol, ARow) : G.GetGridCell(ACol, ARow);
    }

    TAutoKind AutoKindOf(TColumn& col, int ACol, int ARow, const String& t1)
    {
        const int s = Slot(ARow);
        if (s >= 0 && !col.Auto.empty() && col.Auto[std::size_t(s)] != TAutoKind::Unknown)
            return col.Auto[std::size_t(s)];
        TAutoKind kind;
        if (IsCheckType(G.GetCellType(ACol, ARow))) kind = TAutoKind::Check;
        else if (IsNumberText(t1)) kind = TAutoKind::Number;
        else if (SeparatorAtTwoOrThree(t1, FFormat.DateSeparator))
            kind = t1.contains(FFormat.TimeSeparator) ? TAutoKind::DateTimeLike : TAutoKind::DateLike;
        else {
            const int dp = int(t1.indexOf(FFormat.DateSeparator));
            kind = dp != 1 && dp != 2 && SeparatorAtTwoOrThree(t1, FFormat.TimeSeparator) ? TAutoKind::TimeLike
                                                                                         : TAutoKind::Text;
        }
        if (s >= 0) {
            if (col.Auto.empty()) col.Auto.assign(std::size_t(FCount), TAutoKind::Unknown);
            col.Auto[std::size_t(s)] = kind;
        }
        return kind;
    }

    TSortStyle AutoStyle(TColumn& col, int ACol, int Row1, const String& t2)
    {
        const String t1 = Text(col, ACol, Row1);
        const TSortStyle textStyle = FSettings->IgnoreCase() ? TSortStyle::ssAlphaNoCase : TSortStyle::ssAlphabetic;
        switch (AutoKindOf(col, ACol, Row1, t1)) {
        case TAutoKind::Check: return TSortStyle::ssCheckBox;
        case TAutoKind::Number: return TSortStyle::ssNumeric;
        case TAutoKind::DateLike:
            return t2.contains(FFormat.DateSeparator) ? TSortStyle::ssDate : textStyle;
        case TAutoKind::DateTimeLike:
            return t2.contains(FFormat.DateSeparator) ? TSortStyle::ssDateTime : textStyle;
        case TAutoKind::TimeLike:
            return t2.contains(FFormat.TimeSeparator) ? TSortStyle::ssTime : textStyle;
        default: return textStyle;
        }
    }

    // The converted value of a cell; nullopt when it does not convert.
    std::optional<double> Value(TColumn& col, int kind, int ACol, int ARow, const String& text, bool financial)
    {
        const int s = Slot(ARow);
        if (s >= 0) {
            auto& conv = col.Converted[kind];
            if (conv.empty()) {
                conv.assign(std::size_t(FCount), 0);
                col.Values[kind].assign(std::size_t(FCount), 0.0);
            }
            if (conv[std::size_t(s)] == 0) {
                const std::optional<double> v = Convert(col, kind, ACol, ARow, text, financial);
                conv[std::size_t(s)] = v ? 1 : 2;
                if (v) col.Values[kind][std::size_t(s)] = *v;
            }
            if (conv[std::size_t(s)] == 2) return std::nullopt;
            return col.Values[kind][std::size_t(s)];
        }
        return Convert(col, kind, ACol, ARow, text, financial);
    }

    std::optional<double> Convert(TColumn& col, int kind, int ACol, int ARow, const String& text, bool financial)
    {
        TDateTime dt = 0;
        switch (kind) {
        case 0: {
            String t = text;
            if (!col.Prefix.isEmpty()) {
                const auto p = t.indexOf(col.Prefix);
                if (p >= 0) t.remove(p, col.Prefix.length());
            }
            if (!col.Suffix.isEmpty()) {
                const auto p = t.indexOf(col.Suffix);
                if (p >= 0) t.remove(p, col.Suffix.length());
            }
            if (financial) t.remove(FFormat.ThousandSeparator);
            if (FFormat.DecimalSeparator != u'.') {
                const auto p = t.indexOf(FFormat.DecimalSeparator);
                if (p >= 0) t[p] = u'.';
            }
            bool ok = false;
            const double v = t.trimmed().isEmpty() ? 0.0 : t.toDouble(&ok);
            if (ok) return v;
            // A cell that shows nothing counts as zero.
            if ((FSettings->SortOnVirtualCells() ? text : G.GetCellEx(ACol, ARow)).isEmpty()) return 0.0;
            return std::nullopt;
        }
        case 1:
            if (text.isEmpty() || !TryStrToDateTime(text, dt)) return 0.0;
            return dt;
        case 2:
            if (!TryStrToTime(text, dt)) return 0.0;
            return dt;
        default:
            try {
                return kind == 3 ? ParseDateDayFirst(text) : ParseDateMonthFirst(text);
            } catch (const std::exception&) {
                return 0.0;
            }
        }
    }

    int CompareByStyle(TColumn& col, TSortStyle style, int ACol, int Row1, int Row2, const String& t1,
                       const String& t2)
    {
        switch (style) {
        case TSortStyle::ssAlphaNoCase: return SignOf(CompareStr(UpperCase(t1), UpperCase(t2)));
        case TSortStyle::ssAnsiAlphaCase: return SignOf(String::localeAwareCompare(t1, t2));
        case TSortStyle::ssAnsiAlphaNoCase: return SignOf(AnsiCompareText(t1, t2));
        case TSortStyle::ssHTML:
            return SignOf(CompareStr(G.GetStrippedCell(ACol, Row1), G.GetStrippedCell(ACol, Row2)));
        case TSortStyle::ssNumeric:
        case TSortStyle::ssFinancial: {
            const bool fin = style == TSortStyle::ssFinancial;
            const auto v1 = Value(col, 0, ACol, Row1, t1, fin);
            const auto v2 = Value(col, 0, ACol, Row2, t2, fin);
            if (!v1 && !v2) return 0;
            return Sign(v1.value_or(0.0), v2.value_or(0.0));
        }
        case TSortStyle::ssDate:
        case TSortStyle::ssDateTime:
            return Sign(*Value(col, 1, ACol, Row1, t1, false), *Value(col, 1, ACol, Row2, t2, false));
        case TSortStyle::ssTime:
            return Sign(*Value(col, 2, ACol, Row1, t1, false), *Value(col, 2, ACol, Row2, t2, false));
        case TSortStyle::ssShortDateEU:
            return Sign(*Value(col, 3, ACol, Row1, t1, false), *Value(col, 3, ACol, Row2, t2, false));
        case TSortStyle::ssShortDateUS:
            return Sign(*Value(col, 4, ACol, Row1, t1, false), *Value(col, 4, ACol, Row2, t2, false));
        case TSortStyle::ssCheckBox: {
            bool s1 = false, s2 = false;
            G.GetCheckBoxState(ACol, Row1, s1);
            G.GetCheckBoxState(ACol, Row2, s2);
            return s1 == s2 ? 0 : (s1 ? 1 : -1);
        }
        case TSortStyle::ssImages: return Sign(ImageKey(ACol, Row1), ImageKey(ACol, Row2));
        case TSortStyle::ssCustom: {
            int res = 0;
            if (G.OnCustomCompare) G.OnCustomCompare(&G, t1, t2, res);
            return SignOf(res);
        }
        case TSortStyle::ssRaw: {
            int res = 0;
            if (G.OnRawCompare) G.OnRawCompare(&G, ACol, Row1, Row2, res);
            return SignOf(res);
        }
        default: return SignOf(CompareStr(t1, t2));
        }
    }

    int ImageKey(int ACol, int ARow)
    {
        const TCellType t = G.GetCellType(ACol, ARow);
        if (t != TCellType::ctBitmap && t != TCellType::ctIcon && t != TCellType::ctImageList) return -1;
        const TCellGraphic* g = G.GetCellGraphic(ACol, ARow);
        return g ? g->CellIndex() : -1;
    }

    TZvStringGrid& G;
    const int FFirst;
    const int FCount;
    TSortSettings* FSettings = nullptr;
    TFormatSettings FFormat;
    std::map<int, TColumn> FColumns;
};

namespace {

// Orders a by Compare (negative: the first goes before the second), keeping
// equal items in their order. Merges runs bottom-up: no recursion, and every
// index is checked, so an inconsistent comparison only gives an odd order.
template <class T, class Compare>
void MergeSort(std::vector<T>& a, Compare&& compare)
{
    const int n = int(a.size());
    std::vector<T> b(a.size());
    // Short runs sorted by insertion first: fewer passes over the list.
    constexpr int Run = 16;
    for (int lo = 0; lo < n; lo += Run) {
        const int hi = std::min(lo + Run, n);
        for (int i = lo + 1; i < hi; ++i) {
            T v = a[std::size_t(i)];
            int j = i;
            while (j > lo && compare(a[std::size_t(j - 1)], v) > 0) {
                a[std::size_t(j)] = a[std::size_t(j - 1)];
                --j;
            }
            a[std::size_t(j)] = v;
        }
    }
    for (int width = Run; width < n; width *= 2) {
        for (int lo = 0; lo < n; lo += 2 * width) {
            const int mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            int i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                b[std::size_t(k++)] = compare(a[std::size_t(i)], a[std::size_t(j)]) <= 0 ? a[std::size_t(i++)]
                                                                                         : a[std::size_t(j++)];
            while (i < mid) b[std::size_t(k++)] = a[std::size_t(i++)];
            while (j < hi) b[std::size_t(k++)] = a[std::size_t(j++)];
        }
        a.swap(b);
    }
}

template <class Compare>
std::vector<int> MergeOrder(int First, int Last, Compare&& compare)
{
    std::vector<int> a(static_cast<std::size_t>(std::max(Last - First + 1, 0)));
    for (int i = 0; i < int(a.size()); ++i) a[std::size_t(i)] = First + i;
    MergeSort(a, compare);
    return a;
}

int DirSign(TSortDirection d) { return d == TSortDirection::sdDescending ? -1 : 1; }

// Sorting a million rows is bound by memory, not by comparing: each key sits
// beside its row number in the list being merged, so a comparison reads no
// cell. Texts carry their first eight UTF-16 units packed in code-unit order,
// which decides most pairs; only equal heads read the whole texts.
struct TNumberKey {
    double Value;
    int Row;
    bool Has;     // a number that did not convert compares as 0 unless both failed
    bool Blank;
};

struct TTextKey {
    quint64 Head0, Head1;
    int Row;
    int Length;
};

void PackHead(const String& t, quint64& h0, quint64& h1)
{
    quint64 h[2] = {0, 0};
    const int n = std::min(int(t.size()), 8);
    for (int i = 0; i < n; ++i) h[i / 4] |= quint64(t[i].unicode()) << (48 - 16 * (i % 4));
    h0 = h[0];
    h1 = h[1];
}

// One column's keys for the rows of a block, converted once, compared without the direction.
class TKeyColumn {
public:
    // A lazy column converts a row's key when a comparison first asks for it: the columns
    // that only break ties see few rows.
    TKeyColumn(TZvStringGrid& G, TZvRowComparer& cmp, int ACol, int First, int Last, TSortStyle Style, bool Lazy)
        : FCmp(cmp), FCol(ACol), FFirst(First), FStyle(Style),
          FText(Style == TSortStyle::ssAlphabetic || Style == TSortStyle::ssAlphaNoCase)
    {
        TSortSettings& set = *G.SortSettings();
        FIgnoreBlanks = set.IgnoreBlanks();
        // The blank-row answer before the direction turns it, as a single cell comparison gives it.
        FBlankFirst = set.BlankPos() == TSortBlankPosition::blLast ? 1 : -1;
        if (set.Direction() == TSortDirection::sdDescending) FBlankFirst = -FBlankFirst;
        const int n = Last - First + 1;
        if (FText) {
            FTexts.resize(std::size_t(n));
            TextKeys.resize(std::size_t(n));
        } else {
            NumberKeys.resize(std::size_t(n));
        }
        if (Lazy) FLoaded.assign(std::size_t(n), 0);
        else
            for (int i = 0; i < n; ++i) Load(i);
    }

    bool IsText() const { return FText; }

    int Compare(const TTextKey& a, const TTextKey& b) const
    {
        if (FIgnoreBlanks && (a.Length == 0) != (b.Length == 0)) return a.Length == 0 ? FBlankFirst : -FBlankFirst;
        if (a.Head0 != b.Head0) return a.Head0 < b.Head0 ? -1 : 1;
        if (a.Head1 != b.Head1) return a.Head1 < b.Head1 ? -1 : 1;
        if (a.Length <= 8 && a.Length == b.Length) return 0;
        return SignOf(CompareStr(FTexts[std::size_t(a.Row - FFirst)], FTexts[std::size_t(b.Row - FFirst)]));
    }

    int Compare(const TNumberKey& a, const TNumberKey& b) const
    {
        if (FIgnoreBlanks && a.Blank != b.Blank) return a.Blank ? FBlankFirst : -FBlankFirst;
        if (!a.Has && !b.Has) return 0;
        return Sign(a.Value, b.Value);
    }

    // Two rows of the block.
    int CompareRows(int Row1, int Row2)
    {
        const std::size_t s1 = std::size_t(Row1 - FFirst), s2 = std::size_t(Row2 - FFirst);
        for (const std::size_t s : {s1, s2})
            if (!FLoaded.empty() && !FLoaded[s]) {
                Load(int(s));
                FLoaded[s] = 1;
            }
        return FText ? Compare(TextKeys[s1], TextKeys[s2]) : Compare(NumberKeys[s1], NumberKeys[s2]);
    }

    std::vector<TTextKey> TextKeys;
    std::vector<TNumberKey> NumberKeys;

private:
    void Load(int i)
    {
        const int row = FFirst + i;
        if (FText) {
            const String& t = FCmp.BlockText(FCol, row);
            String& k = FTexts[std::size_t(i)];
            k = FStyle == TSortStyle::ssAlphaNoCase ? UpperCase(t) : t;
            TTextKey& key = TextKeys[std::size_t(i)];
            PackHead(k, key.Head0, key.Head1);
            key.Row = row;
            key.Length = int(k.size());
        } else {
            const std::optional<double> v = FCmp.BlockValue(FCol, row, FStyle);
            NumberKeys[std::size_t(i)] = {v.value_or(0.0), row, v.has_value(), FCmp.BlockText(FCol, row).isEmpty()};
        }
    }

    TZvRowComparer& FCmp;
    int FCol;
    int FFirst;
    TSortStyle FStyle;
    bool FText;
    std::vector<signed char> FLoaded;
    bool FIgnoreBlanks = false;
    int FBlankFirst = -1;
    std::vector<String> FTexts;
};

// Sorts First..Last on one column whose style holds for the whole block; false when none does.
// Rows equal there are decided by the columns to the right (with Full), each keyed the
// first time a tie reaches it.
bool SortBlockByKeys(TZvStringGrid& G, TZvRowComparer& cmp, int ACol, int First, int Last, std::vector<int>& order)
{
    const std::optional<TSortStyle> style = cmp.BlockStyle(ACol);
    if (!style) return false;
    TKeyColumn keys(G, cmp, ACol, First, Last, *style, false);
    const int dir = DirSign(G.SortSettings()->Direction());
    const TSortDirection direction = G.SortSettings()->Direction();
    const int cols = G.AllColCount();
    const bool full = G.SortSettings()->Full();
    std::map<int, std::optional<TKeyColumn>> right;
    const auto rest = [&](int a, int b) {
        for (int c = ACol + 1; full && c <= cols - 1; ++c) {
            if (G.IsIgnoredColumn(c)) return 0;
            auto it = right.find(c);
            if (it == right.end()) {
                const std::optional<TSortStyle> s = cmp.BlockStyle(c);
                it = right.emplace(c, std::nullopt).first;
                if (s) it->second.emplace(G, cmp, c, First, Last, *s, true);
            }
            const int res = it->second ? it->second->CompareRows(a, b) : cmp.CompareCells(c, a, b, direction);
            if (res != 0) return res;
        }
        return 0;
    };
    const int n = Last - First + 1;
    order.resize(std::size_t(n));
    const auto sortBy = [&](auto& list) {
        MergeSort(list, [&](const auto& a, const auto& b) {
            int r = keys.Compare(a, b);
            if (r == 0) r = rest(a.Row, b.Row);
            return dir * r;
        });
        for (int i = 0; i < n; ++i) order[std::size_t(i)] = list[std::size_t(i)].Row;
    };
    if (keys.IsText()) sortBy(keys.TextKeys);
    else sortBy(keys.NumberKeys);
    return true;
}

}   // namespace

// ---- Moving rows into their new order -----------------------------------------------------------------------
// Row First + i takes what row Order[i] held: texts, objects, height, cell controls and cross-reference entry.
void TZvStringGrid::ApplySortOrder(int First, const std::vector<int>& Order, int SingleColumn)
{
    TZvStringGrid& G = *this;
    TZvGridSort& S = SortService();
    const int n = int(Order.size());
    bool changed = false;
    for (int i = 0; i < n && !changed; ++i) changed = Order[std::size_t(i)] != First + i;
    if (!changed) return;
    if (SingleColumn >= 0) {
        std::vector<std::pair<String, TObject*>> cells(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            cells[std::size_t(i)] = {G.GetGridCell(SingleColumn, Order[std::size_t(i)]),
                                     G.GetGridObject(SingleColumn, Order[std::size_t(i)])};
        for (int i = 0; i < n; ++i) {
            G.SetGridCell(SingleColumn, First + i, cells[std::size_t(i)].first);
            G.SetGridObject(SingleColumn, First + i, cells[std::size_t(i)].second);
            if (auto* props = dynamic_cast<TCellProperties*>(cells[std::size_t(i)].second))
                props->SetOwnerRow(First + i);
        }
        G.Invalidate();
    } else {
        // Cell controls name real rows: map them before the rows move.
        std::map<int, int> realMove;
        if (d->FCellControls && d->FCellControls->Count() > 0)
            for (int i = 0; i < n; ++i)
                realMove[G.RealRowIndex(Order[std::size_t(i)])] = G.RealRowIndex(First + i);
        G.ReorderRows(First, Order);
        const int cols = G.AllColCount();
        for (int i = 0; i < n; ++i) {
            if (Order[std::size_t(i)] == First + i) continue;
            for (int c = 0; c < cols; ++c)
                if (auto* props = dynamic_cast<TCellProperties*>(G.GetGridObject(c, First + i)))
                    props->SetOwnerRow(First + i);
        }
        if (!realMove.empty()) {
            for (int i = 0; i < d->FCellControls->Count(); ++i) {
                TControlItem* ci = d->FCellControls->GetControl(i);
                auto it = realMove.find(ci->FY);
                if (it != realMove.end()) ci->FY = it->second;
            }
            G.CellControlsUpdate(false);
        }
    }
    TIntList& xref = *S.FSortXRef;
    if (xref.Count() >= First + n) {
        std::vector<int> moved(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) moved[std::size_t(i)] = xref[Order[std::size_t(i)]];
        for (int i = 0; i < n; ++i) xref.SetInteger(First + i, moved[std::size_t(i)]);
    }
}

namespace {

// Column 0 kept in place while the rows move under it.
struct TFixedColumnKeeper {
    TZvStringGrid& G;
    bool Active;
    std::vector<std::pair<String, TObject*>> Cells;
    TFixedColumnKeeper(TZvStringGrid& Grid)
        : G(Grid), Active(Grid.SortSettings()->NormalCellsOnly() && Grid.FixedCols() > 0)
    {
        if (!Active) return;
        Cells.resize(std::size_t(G.RowCount()));
        for (int r = 0; r < G.RowCount(); ++r) Cells[std::size_t(r)] = {G.GetGridCell(0, r), G.GetGridObject(0, r)};
    }
    void PutBack()
    {
        if (!Active) return;
        const int n = std::min(int(Cells.size()), G.RowCount());
        for (int r = 0; r < n; ++r) {
            if (G.GetGridCell(0, r) != Cells[std::size_t(r)].first) G.SetGridCell(0, r, Cells[std::size_t(r)].first);
            G.SetGridObject(0, r, Cells[std::size_t(r)].second);
            if (auto* props = dynamic_cast<TCellProperties*>(Cells[std::size_t(r)].second)) props->SetOwnerRow(r);
        }
    }
};

}   // namespace

// Sorts First..Last on a column (ACol >= 0) or on the index list (ACol < 0).
void SortBlock(TZvStringGrid& G, int ACol, int First, int Last)
{
    if (Last <= First) return;
    TZvRowComparer cmp(G, First, Last);
    std::vector<int> order;
    if (ACol >= 0 && G.IsIgnoredColumn(ACol)) return;   // every pair compares equal
    if (ACol < 0) {
        order = MergeOrder(First, Last, [&](int a, int b) { return cmp.CompareRowsIndexed(a, b); });
    } else if (!SortBlockByKeys(G, cmp, ACol, First, Last, order)) {
        const int dir = DirSign(G.SortSettings()->Direction());
        order = MergeOrder(First, Last, [&](int a, int b) { return dir * cmp.CompareRowsFull(ACol, a, b); });
    }
    const bool single = G.SortSettings()->SingleColumn() && ACol >= 0;
    G.ApplySortOrder(First, order, single ? ACol : -1);
}

namespace {

// The sort column as the store knows it: a shown column maps past the hidden ones.
int StoreColumn(TZvStringGrid& G, int ACol) { return ACol < G.ColCount() ? G.RealColIndex(ACol) : ACol; }

void EnsureXRef(TZvStringGrid& G)
{
    if (G.SortRowXRef()->Count() != G.RowCount()) G.InitSortXRef();
}

enum class TSortRun { Plain, Indexed, Grouped };

// What every whole-grid sort does around the row moves: the top row, the
// update count, column 0 and the current row come back even when a
// comparison throws.
void RunGridSort(TZvStringGrid& G, TSortRun Run, const std::function<void()>& Body)
{
    TFixedColumnKeeper keeper(G);
    const int top = G.TopRow();
    const int oldRow = G.Row();
    const bool keepTop = Run == TSortRun::Grouped || G.Navigation()->KeepScrollOnSort();
    G.BeginUpdate();
    TScopeExit restore([&] {
        keeper.PutBack();
        if (keepTop && top < G.RowCount()) G.SetTopRow(top);
        G.EndUpdate();
    });
    Body();
    const bool setRow = Run != TSortRun::Plain || !G.MouseActions()->DisjunctRowSelect();
    if (setRow && !G.Navigation()->MoveRowOnSort() && oldRow < G.RowCount() && G.Row() != oldRow)
        G.SetRow(oldRow);
    if (Run == TSortRun::Plain && G.OnRowChanged && !G.Navigation()->MoveRowOnSort())
        G.OnRowChanged(&G, oldRow, G.Row());
}

void RepaintPanels(TZvStringGrid& G, bool Search)
{
    if (G.FloatingFooter()->Visible() && G.FooterPanel()) G.FooterPanel()->Invalidate();
    if (Search && G.SearchFooter()->Visible() && G.SearchPanel()) G.SearchPanel()->Invalidate();
}

}   // namespace

TZvGridSort& TZvStringGrid::SortService() const { return MadeOnFirstUse(d->FSortService, this); }

TSortSettings* TZvStringGrid::SortSettings() const { return SortService().FSortSettings.get(); }
void TZvStringGrid::SetSortSettings(TSortSettings* Value) { SortSettings()->Assign(Value); }
TSortIndexList* TZvStringGrid::SortIndexes() const { return SortService().FSortIndexes.get(); }
TIntList* TZvStringGrid::IgnoreColumns() const { return SortService().FIgnoreColumns.get(); }
bool TZvStringGrid::IsIgnoredColumn(int ACol) const { return IgnoreColumns()->HasValue(ACol); }

void TZvStringGrid::QSort()
{
    const int col = SortSettings()->Column();
    if (col < 0) return;
    EnsureXRef(*this);
    SortIndexes()->Clear();
    RunGridSort(*this, TSortRun::Plain, [&] {
        SortBlock(*this, StoreColumn(*this, col), FixedRows(), RowCount() - FixedFooters() - 1);
    });
    RepaintPanels(*this, true);
}

void TZvStringGrid::QSortIndexed()
{
    EnsureXRef(*this);
    if (SortIndexes()->Count() == 0) throw EZvGridError(QStringLiteral("No indexes specified for indexed sort"));
    RunGridSort(*this, TSortRun::Indexed,
                [&] { SortBlock(*this, -1, FixedRows(), RowCount() - FixedFooters() - 1); });
    RepaintPanels(*this, false);
}

namespace {

void SortGroups(TZvStringGrid& G, int ACol)
{
    EnsureXRef(G);
    RunGridSort(G, TSortRun::Grouped, [&] {
        const int first = G.FixedRows(), last = G.RowCount() - G.FixedFooters() - 1;
        int deepest = 0;
        for (int r = first; r <= last; ++r)
            if (G.IsNode(r)) deepest = std::max(deepest, G.GetNodeLevel(r));
        // Children move only inside their node, so the walk goes on past them.
        for (int r = first; r <= last; ++r) {
            if (!G.IsNode(r) || G.GetNodeLevel(r) != deepest || G.GetNodeState(r)) continue;
            const int span = G.GetNodeSpan(r);
            if (span >= 3) SortBlock(G, ACol, r + 1, std::min(r + span - 1, last));
        }
    });
}

}   // namespace

void TZvStringGrid::QSortGroup()
{
    if (SortSettings()->Column() < 0) return;
    SortGroups(*this, StoreColumn(*this, SortSettings()->Column()));
}

void TZvStringGrid::QSortGroupIndexed()
{
    if (SortIndexes()->Count() == 0) throw EZvGridError(QStringLiteral("No indexes specified for indexed sort"));
    SortGroups(*this, -1);
}

void TZvStringGrid::QUnSort()
{
    TIntList& xref = *SortService().FSortXRef;
    if (xref.Count() != RowCount()) return;
    TIntList& unsort = *SortService().FUnSortXRef;
    unsort.Clear();
    for (int v : xref.Values()) unsort.Add(v);
    TFixedColumnKeeper keeper(*this);
    BeginUpdate();
    TScopeExit restore([&] {
        keeper.PutBack();
        EndUpdate();
    });
    const std::vector<int>& v = unsort.Values();
    const int n = RowCount();
    // The entries are the rows' first places: a permutation gives its inverse at once.
    std::vector<int> order(static_cast<std::size_t>(n), -1);
    bool permutation = true;
    for (int i = 0; i < n && permutation; ++i) {
        const int to = v[std::size_t(i)];
        if (to < 0 || to >= n || order[std::size_t(to)] >= 0) permutation = false;
        else order[std::size_t(to)] = i;
    }
    if (!permutation) {
        order.resize(std::size_t(n));
        for (int i = 0; i < n; ++i) order[std::size_t(i)] = i;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return v[std::size_t(a)] < v[std::size_t(b)]; });
    }
    ApplySortOrder(0, order, -1);
}

// Entry i names the row that stood at i before sorting began: before any sort, every row itself.
TIntList* TZvStringGrid::SortRowXRef() const { return SortService().FSortXRef.get(); }

void TZvStringGrid::InitSortXRef()
{
    TIntList& xref = *SortService().FSortXRef;
    xref.Clear();
    for (int r = 0; r < RowCount(); ++r) xref.Add(r);
}

void TZvStringGrid::Sort(int Column, TSortDirection Direction)
{
    SortSettings()->SetColumn(Column);
    SortSettings()->SetDirection(Direction);
    QSort();
}

void TZvStringGrid::SortByColumn(int Col)
{
    if (RowCount() <= 1) return;
    SortSettings()->SetColumn(Col);
    QSort();
}

void TZvStringGrid::QuickSort(int Col, int Left, int Right)
{
    Left = std::max(Left, 0);
    Right = std::min(Right, RowCount() - 1);
    SortBlock(*this, StoreColumn(*this, Col), Left, Right);
}

void TZvStringGrid::QuickSortIndexed(int Left, int Right)
{
    if (SortIndexes()->Count() == 0) throw EZvGridError(QStringLiteral("No indexes specified for indexed sort"));
    Left = std::max(Left, 0);
    Right = std::min(Right, RowCount() - 1);
    SortBlock(*this, -1, Left, Right);
}

int TZvStringGrid::CompareCells(int ACol, int Row1, int Row2, TSortDirection Direction)
{
    TZvRowComparer cmp(*this, 0, -1);
    return cmp.CompareCells(ACol, Row1, Row2, Direction);
}

bool TZvStringGrid::SortLine(int Col, int ARow1, int ARow2)
{
    const int dir = DirSign(SortSettings()->Direction());
    TZvRowComparer cmp(*this, 0, -1);
    for (int c = Col; c < AllColCount(); ++c) {
        const int res = cmp.CompareCells(c, ARow1, ARow2, SortSettings()->Direction());
        if (res == dir) {
            SwapRows(ARow1, ARow2);
            TIntList& xref = *SortService().FSortXRef;
            if (ARow1 < xref.Count() && ARow2 < xref.Count()) xref.Exchange(ARow1, ARow2);
            return true;
        }
        if (res != 0) return false;
    }
    return false;
}
