// The column grid's work that grows with the rows: fitting a column to its
// widest text and removing a tenth of the rows in one call, each for 10,000
// and 100,000 rows. Both must grow linearly: the 100,000 figure within 12
// times the 10,000 figure.
#include "bench/BenchMain.h"

#include "grid/ZvColumnGrid.h"

#include "platform/Forms.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Cols = 23;

struct Table {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;

    explicit Table(int rows)
    {
        grid = new TZvColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 1024, 768);
        grid->SetColCount(Cols);
        grid->SetRowCount(rows + 1);
        for (int c = 0; c < Cols; ++c) grid->Columns()->Items(c)->SetHeader(QStringLiteral("Column %1").arg(c));
        for (int r = 1; r <= rows; ++r)
            for (int c = 0; c < Cols; ++c) grid->SetCellEx(c, r, QStringLiteral("%1.%2").arg(r).arg(c));
    }
};

void AutoSizeCol(benchmark::State& state)
{
    Table t(int(state.range(0)));
    for (auto _ : state) {
        t.grid->SetColWidths(3, 10);
        t.grid->AutoSizeCol(3, 0);
        benchmark::DoNotOptimize(t.grid->ColWidths(3));
    }
    state.SetComplexityN(state.range(0));
}

void RemoveTenthOfRows(benchmark::State& state)
{
    const int rows = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto t = std::make_unique<Table>(rows);
        state.ResumeTiming();
        t->grid->RemoveRows(rows / 2, rows / 10);
        benchmark::DoNotOptimize(t->grid->RowCount());
        state.PauseTiming();
        t.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

BENCHMARK(AutoSizeCol)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(RemoveTenthOfRows)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3)->Complexity();

} // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
