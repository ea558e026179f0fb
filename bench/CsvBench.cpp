// Delimited text of 100,000 and 1,000,000 rows of ten columns: saving and loading through the grid beside the
// nearest plain Qt work on the same text (joining the cells into lines; reading the file into a QStringList of
// split lines and filling a QStandardItemModel). The time of the larger file over the smaller shows whether the
// grid's reader and writer stay linear (within 12 times for ten times the rows).
#include "bench/BenchMain.h"

#include "grid/ZvGrid.h"

#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Cols = 10;

String CellText(int c, int r) { return QStringLiteral("r%1c%2 text").arg(r).arg(c); }

void Fill(TZvStringGrid& grid, int rows)
{
    grid.SetColCount(Cols);
    grid.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Cols; ++c) grid.SetGridCell(c, r, CellText(c, r));
}

QTemporaryDir& Dir()
{
    static QTemporaryDir dir;
    return dir;
}

String FileOf(int rows) { return Dir().filePath(QStringLiteral("bench%1.csv").arg(rows)); }

void BM_GridSaveToCSV(benchmark::State& state)
{
    const int rows = int(state.range(0));
    TZvStringGrid grid(nullptr);
    Fill(grid, rows);
    for (auto _ : state) grid.SaveToCSV(FileOf(rows));
}

void BM_QtJoinAndWrite(benchmark::State& state)
{
    const int rows = int(state.range(0));
    std::vector<QStringList> cells(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Cols; ++c) cells[std::size_t(r)].append(CellText(c, r));
    for (auto _ : state) {
        QStringList lines;
        lines.reserve(rows);
        for (const QStringList& row : cells) lines.append(row.join(u','));
        QFile file(Dir().filePath("qt.csv"));
        file.open(QIODevice::WriteOnly);
        file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    }
}

void BM_GridLoadFromCSV(benchmark::State& state)
{
    const int rows = int(state.range(0));
    {
        TZvStringGrid source(nullptr);
        Fill(source, rows);
        source.SaveToCSV(FileOf(rows));
    }
    for (auto _ : state) {
        TZvStringGrid grid(nullptr);
        grid.LoadFromCSV(FileOf(rows));
        benchmark::DoNotOptimize(grid.RowCount());
    }
}

void BM_QtSplitIntoItemModel(benchmark::State& state)
{
    const int rows = int(state.range(0));
    {
        TZvStringGrid source(nullptr);
        Fill(source, rows);
        source.SaveToCSV(FileOf(rows));
    }
    for (auto _ : state) {
        QFile file(FileOf(rows));
        file.open(QIODevice::ReadOnly);
        const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QStandardItemModel model(int(lines.size()), Cols);
        for (int r = 0; r < lines.size(); ++r) {
            const QStringList fields = lines[r].split(u',');
            for (int c = 0; c < fields.size() && c < Cols; ++c) model.setItem(r, c, new QStandardItem(fields[c]));
        }
        benchmark::DoNotOptimize(model.rowCount());
    }
}

}  // namespace

BENCHMARK(BM_GridSaveToCSV)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_QtJoinAndWrite)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GridLoadFromCSV)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_QtSplitIntoItemModel)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
