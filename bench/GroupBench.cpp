// Grouping a string grid by a column whose value changes every ten rows, so
// the number of groups grows with the table: 10,000 and 100,000 rows of five
// columns. The time of the larger table over the smaller shows whether
// grouping stays linear. Ungrouping is measured the same way.
#include "bench/BenchMain.h"

#include "grid/ZvGrid.h"

#include "platform/Forms.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Cols = 5;
constexpr int RowsPerGroup = 10;

void FillTable(TZvStringGrid& grid, int rows)
{
    grid.SetColCount(Cols);
    grid.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        grid.SetCellEx(1, r, QStringLiteral("Group %1").arg((r - 1) / RowsPerGroup, 6, 10, QChar(u'0')));
        for (int c = 2; c < Cols; ++c) grid.SetCellEx(c, r, QStringLiteral("%1").arg(r * c));
    }
}

// Times grouping (or, with ungroup, undoing it) of a fresh table per iteration.
void RunGrouping(benchmark::State& state, bool ungroup)
{
    const int rows = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<TForm>(nullptr);
        auto* grid = new TZvStringGrid(form.get());
        grid->SortSettings()->SetAutoSortForGrouping(false);
        grid->Grouping()->SetSummary(true);
        FillTable(*grid, rows);
        if (ungroup) grid->Group(1);
        state.ResumeTiming();
        if (ungroup)
            grid->UnGroup();
        else
            grid->Group(1);
        benchmark::DoNotOptimize(grid->RowCount());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_Group(benchmark::State& state) { RunGrouping(state, false); }
void BM_UnGroup(benchmark::State& state) { RunGrouping(state, true); }

BENCHMARK(BM_Group)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UnGroup)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
