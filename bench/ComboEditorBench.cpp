// The grid's combo editor with a long pick list: filling 2,000 entries the
// way the table forms do (one AddComboString each, while the editor is
// hidden), opening the editor on a cell and dropping its list, and a pick
// from the opened list. Filling must grow linearly with the entries.
#include "bench/BenchMain.h"

#include "grid/ZvColumnGrid.h"
#include "grid/editors/ZvGridCombo.h"

#include "platform/Forms.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct ComboTable {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TZvColumnGrid* grid = nullptr;
    int items = 0;

    explicit ComboTable(int count) : items(count)
    {
        form->SetBounds(0, 0, 640, 480);
        grid = new TZvColumnGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 600, 440);
        grid->SetColCount(3);
        grid->SetRowCount(10);
        grid->SetOptions(grid->Options() + TGridOptions{TGridOption::goEditing});
        for (int r = 1; r < 10; ++r) grid->SetCellEx(1, r, QStringLiteral("Object %1").arg(r * 100));
        // The list is filled per cell, as the DALI form fills its functions grid.
        grid->OnGetEditorType = [this](TObject*, int c, int, TEditorType& e) {
            if (c != 1) return;
            e = TEditorType::edComboList;
            Fill();
        };
        form->Show();
        grid->GotoCell(1, 1);
        grid->SetFocus();
    }

    void Fill()
    {
        grid->ClearComboString();
        for (int i = 0; i < items; ++i) grid->AddComboString(QStringLiteral("Object %1").arg(i));
    }
};

void FillHiddenCombo(benchmark::State& state)
{
    ComboTable t(int(state.range(0)));
    for (auto _ : state) {
        t.Fill();
        benchmark::DoNotOptimize(t.grid->GetComboCount());
    }
    state.SetComplexityN(state.range(0));
}

void FillOpenAndDrop(benchmark::State& state)
{
    ComboTable t(int(state.range(0)));
    TGridCombo* combo = t.grid->ComboEditor();
    for (auto _ : state) {
        t.grid->ShowInplaceEdit();
        combo->SetDroppedDown(true);
        benchmark::DoNotOptimize(combo->DroppedDown());
        combo->SetDroppedDown(false);
        t.grid->HideInplaceEdit();
        QApplication::processEvents();
    }
    state.SetComplexityN(state.range(0));
}

void PickFromOpenList(benchmark::State& state)
{
    ComboTable t(int(state.range(0)));
    TGridCombo* combo = t.grid->ComboEditor();
    t.grid->ShowInplaceEdit();
    int pick = 0;
    for (auto _ : state) {
        combo->UserSelect(pick);
        pick = (pick + 7) % t.items;
        benchmark::DoNotOptimize(combo->ItemIndex());
    }
    t.grid->HideInplaceEdit();
    QApplication::processEvents();
}

BENCHMARK(FillHiddenCombo)->Arg(500)->Arg(2'000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(FillOpenAndDrop)->Arg(500)->Arg(2'000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(PickFromOpenList)->Arg(2'000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
