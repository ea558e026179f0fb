// Sorting, filtering and searching a string grid of 100,000 and 1,000,000
// rows by ten columns, beside a QSortFilterProxyModel over a
// QAbstractTableModel holding the same strings, and std::stable_sort of a row
// permutation as the floor. The larger table over the smaller shows whether
// the cost grows as n log n (sort) or linearly (filter, find); the grid over
// the proxy gives the ratio.
#include "bench/BenchMain.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"

#include "platform/Forms.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <numeric>
#include <vector>

namespace {

constexpr int Cols = 10;
constexpr int NumberCol = 1;
constexpr int TextCol = 2;

using TTable = std::vector<std::vector<QString>>;

// Column 1 a number, column 2 a word-like text, the rest mixed; rows in a scrambled order.
const TTable& Table(int rows)
{
    static std::map<int, TTable> tables;
    TTable& t = tables[rows];
    if (!t.empty()) return t;
    t.assign(std::size_t(rows), std::vector<QString>(Cols));
    static const char* syllables[] = {"ka", "lo", "mi", "nu", "pe", "ra", "si", "to", "ve", "zu"};
    for (int r = 0; r < rows; ++r) {
        const unsigned key = unsigned(r) * 2654435761u % 1000003u;
        auto& row = t[std::size_t(r)];
        row[0] = QString::number(r);
        row[NumberCol] = QString::number(key);
        QString word;
        for (unsigned k = key; word.size() < 8; k /= 10) word += QLatin1String(syllables[k % 10]);
        row[TextCol] = word;
        for (int c = 3; c < Cols; ++c) row[std::size_t(c)] = QString::number((key + unsigned(c) * 7919u) % 100000u);
    }
    return t;
}

class TableModel : public QAbstractTableModel {
public:
    explicit TableModel(const TTable& t) : FTable(t) {}
    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : int(FTable.size()); }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : Cols; }
    QVariant data(const QModelIndex& i, int role) const override
    {
        if (role != Qt::DisplayRole) return {};
        return FTable[std::size_t(i.row())][std::size_t(i.column())];
    }

private:
    const TTable& FTable;
};

// A grid holding the table below one fixed row, made once per size.
struct TGridHolder {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TZvStringGrid* Grid = nullptr;
};

TZvStringGrid& GridOf(int rows)
{
    static std::map<int, TGridHolder> grids;
    TGridHolder& h = grids[rows];
    if (h.Grid) return *h.Grid;
    h.Grid = new TZvStringGrid(h.Form.get());
    const TTable& t = Table(rows);
    h.Grid->SetColCount(Cols);
    h.Grid->SetRowCount(rows + 1);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Cols; ++c) h.Grid->SetCellEx(c, r + 1, t[std::size_t(r)][std::size_t(c)]);
    return *h.Grid;
}

// ---- Sort -------------------------------------------------------------------------------------------------------
void ZvSort(benchmark::State& state, int col, TSortStyle style)
{
    const int rows = int(state.range(0));
    TZvStringGrid& grid = GridOf(rows);
    grid.OnGetFormat = [style](TObject*, int, TSortStyle& s, String&, String&) { s = style; };
    grid.SortSettings()->SetColumn(col);
    for (auto _ : state) {
        grid.QSort();
        state.PauseTiming();
        grid.QUnSort();
        state.ResumeTiming();
    }
    grid.OnGetFormat = nullptr;
    state.SetItemsProcessed(state.iterations() * rows);
}

void ZvUnSort(benchmark::State& state)
{
    const int rows = int(state.range(0));
    TZvStringGrid& grid = GridOf(rows);
    grid.SortSettings()->SetColumn(TextCol);
    for (auto _ : state) {
        state.PauseTiming();
        grid.QSort();
        state.ResumeTiming();
        grid.QUnSort();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void ProxySort(benchmark::State& state, int col, bool numeric)
{
    const int rows = int(state.range(0));
    TableModel model(Table(rows));
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    // Numbers by value: the proxy compares the role's variants, so give it numbers.
    struct NumberProxy : QSortFilterProxyModel {
        bool lessThan(const QModelIndex& a, const QModelIndex& b) const override
        {
            return a.data().toString().toLongLong() < b.data().toString().toLongLong();
        }
    } numberProxy;
    numberProxy.setSourceModel(&model);
    QSortFilterProxyModel& p = numeric ? numberProxy : proxy;
    for (auto _ : state) {
        p.sort(col);
        benchmark::DoNotOptimize(p.index(0, 0));
        state.PauseTiming();
        p.sort(-1);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void StableSortFloor(benchmark::State& state, int col, bool numeric)
{
    const int rows = int(state.range(0));
    const TTable& t = Table(rows);
    std::vector<int> order(static_cast<std::size_t>(rows));
    for (auto _ : state) {
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const QString& x = t[std::size_t(a)][std::size_t(col)];
            const QString& y = t[std::size_t(b)][std::size_t(col)];
            return numeric ? x.toLongLong() < y.toLongLong() : x < y;
        });
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// ---- Filter and find ----------------------------------------------------------------------------------------------
void ZvFilter(benchmark::State& state, bool twoConditions)
{
    const int rows = int(state.range(0));
    TZvStringGrid& grid = GridOf(rows);
    grid.Filter()->Clear();
    TFilterData* f = grid.Filter()->Add();
    f->SetColumn(NumberCol);
    f->SetCondition("*7*");
    if (twoConditions) {
        TFilterData* g = grid.Filter()->Add();
        g->SetColumn(TextCol);
        g->SetCondition("*ka*");
    }
    for (auto _ : state) {
        grid.SetFilterActive(true);
        benchmark::DoNotOptimize(grid.RowCount());
        state.PauseTiming();
        grid.SetFilterActive(false);
        state.ResumeTiming();
    }
    grid.Filter()->Clear();
    state.SetItemsProcessed(state.iterations() * rows);
}

struct TwoColumnProxy : QSortFilterProxyModel {
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto text = [&](int c) { return sourceModel()->index(row, c, parent).data().toString(); };
        static const QRegularExpression seven = QRegularExpression::fromWildcard(u"*7*");
        static const QRegularExpression ka = QRegularExpression::fromWildcard(u"*ka*");
        return seven.match(text(NumberCol)).hasMatch() && ka.match(text(TextCol)).hasMatch();
    }
};

void ProxyFilter(benchmark::State& state, bool twoConditions, const char* pattern)
{
    const int rows = int(state.range(0));
    TableModel model(Table(rows));
    QSortFilterProxyModel single;
    TwoColumnProxy two;
    QSortFilterProxyModel& p = twoConditions ? two : single;
    p.setSourceModel(&model);
    single.setFilterKeyColumn(NumberCol);
    for (auto _ : state) {
        if (twoConditions) two.invalidate();
        else single.setFilterWildcard(QString::fromLatin1(pattern));
        benchmark::DoNotOptimize(p.rowCount());
        state.PauseTiming();
        single.setFilterWildcard(QString());
        benchmark::DoNotOptimize(p.rowCount());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// Find walks one column to its end (the text occurs nowhere), as the proxy's filter reads every row.
void ZvFind(benchmark::State& state)
{
    const int rows = int(state.range(0));
    TZvStringGrid& grid = GridOf(rows);
    grid.SetFindCol(NumberCol);
    for (auto _ : state) {
        const TPoint found = grid.Find({-1, -1}, "x7x", TFindParameters{TFindParameter::fnFindInPresetCol});
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

constexpr auto Ms = benchmark::kMillisecond;

void Register()
{
    const auto sizes = [](benchmark::internal::Benchmark* b) { b->Arg(100'000)->Arg(1'000'000)->Unit(Ms)->Iterations(3); };
    sizes(benchmark::RegisterBenchmark("Sort/Number/ZvGrid", [](benchmark::State& s) { ZvSort(s, NumberCol, TSortStyle::ssNumeric); }));
    sizes(benchmark::RegisterBenchmark("Sort/Number/QtProxy", [](benchmark::State& s) { ProxySort(s, NumberCol, true); }));
    sizes(benchmark::RegisterBenchmark("Sort/Number/StableSortFloor", [](benchmark::State& s) { StableSortFloor(s, NumberCol, true); }));
    sizes(benchmark::RegisterBenchmark("Sort/Text/ZvGrid", [](benchmark::State& s) { ZvSort(s, TextCol, TSortStyle::ssAlphabetic); }));
    sizes(benchmark::RegisterBenchmark("Sort/Text/QtProxy", [](benchmark::State& s) { ProxySort(s, TextCol, false); }));
    sizes(benchmark::RegisterBenchmark("Sort/Text/StableSortFloor", [](benchmark::State& s) { StableSortFloor(s, TextCol, false); }));
    sizes(benchmark::RegisterBenchmark("UnSort/Text/ZvGrid", ZvUnSort));
    sizes(benchmark::RegisterBenchmark("Filter/Star7Star/ZvGrid", [](benchmark::State& s) { ZvFilter(s, false); }));
    sizes(benchmark::RegisterBenchmark("Filter/Star7Star/QtProxy", [](benchmark::State& s) { ProxyFilter(s, false, "*7*"); }));
    sizes(benchmark::RegisterBenchmark("Filter/TwoConditions/ZvGrid", [](benchmark::State& s) { ZvFilter(s, true); }));
    sizes(benchmark::RegisterBenchmark("Filter/TwoConditions/QtProxy", [](benchmark::State& s) { ProxyFilter(s, true, ""); }));
    sizes(benchmark::RegisterBenchmark("Find/OneColumn/ZvGrid", ZvFind));
    sizes(benchmark::RegisterBenchmark("Find/OneColumn/QtProxyWildcard", [](benchmark::State& s) { ProxyFilter(s, false, "*x7x*"); }));
}

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, Register); }
