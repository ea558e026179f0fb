// One full viewport (1280 x 800) of the string grid painted through its own
// cell engine, at 100 rows and at 1,000,000 rows, beside QTableView over a
// QAbstractTableModel painting the same cells of the same data in the same run.
//
// Both sides: 13 columns of 98 pixels, rows of 22 pixels, one header row and
// no row header, the same font, single-line text cut with an end ellipsis,
// the same vertical scroll bar. The grid paints with per-cell properties on
// (every cell on screen has its own properties object) and its default look
// (gradient header). The texts of the rows on screen exist in both; rows
// further down hold a text every thousandth row, so the large grid's store is
// really large.
#include "bench/BenchMain.h"

#include "grid/ZvGrid.h"

#include "platform/Forms.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int Cols = 13;
constexpr int ColWidth = 98;
constexpr int RowHeight = 22;
constexpr int ViewWidth = 1280;
constexpr int ViewHeight = 800;
constexpr int FilledRows = 64;   // more than fit on screen

QString Text(int col, int row) { return QStringLiteral("Cell text of row %1, column %2").arg(row + 1).arg(col + 1); }

QFont BenchFont()
{
    TFont f;
    f.SetName("Tahoma");
    f.SetSize(8);
    return f.ToQFont();
}

class OurGrid {
public:
    static constexpr const char* Name = "ZvStringGrid";
    explicit OurGrid(int rows)
    {
        FForm = std::make_unique<TForm>(nullptr);
        FForm->SetBounds(0, 0, ViewWidth, ViewHeight);
        FGrid = new TZvStringGrid(FForm.get());
        FGrid->SetParent(FForm.get());
        FGrid->SetBounds(0, 0, ViewWidth, ViewHeight);
        FGrid->SetColCount(Cols);
        FGrid->SetRowCount(rows + 1);
        FGrid->SetFixedCols(0);
        FGrid->SetFixedRows(1);
        FGrid->SetDefaultRowHeight(RowHeight);
        FGrid->SetDefaultColWidth(ColWidth);
        FGrid->Font()->SetName("Tahoma");
        FGrid->Font()->SetSize(8);
        FGrid->FixedFont()->Assign(FGrid->Font());
        FGrid->SetWordWrap(false);
        FGrid->SetEnhTextSize(true);
        for (int c = 0; c < Cols; ++c) FGrid->SetCellEx(c, 0, QStringLiteral("Column %1").arg(c + 1));
        auto fill = [this](int r) {
            for (int c = 0; c < Cols; ++c) {
                FGrid->SetCellEx(c, r + 1, Text(c, r));
                TCellProperties* p = FGrid->GetCellProperties(c, r + 1);
                p->SetFontColor(clBlack);
                p->SetWordWrap(false);
            }
        };
        for (int r = 0; r < std::min(rows, FilledRows); ++r) fill(r);
        for (int r = FilledRows; r < rows; r += 1000) FGrid->SetCellEx(0, r + 1, Text(0, r));
        FForm->Show();
    }
    void Render(QPainter& painter) { FGrid->PaintTo(painter, 0, 0); }

private:
    std::unique_ptr<TForm> FForm;
    TZvStringGrid* FGrid = nullptr;
};

class TextModel : public QAbstractTableModel {
public:
    explicit TextModel(int rows) : FRows(rows)
    {
        for (int r = 0; r < std::min(rows, FilledRows); ++r)
            for (int c = 0; c < Cols; ++c) FTexts.push_back(Text(c, r));
    }
    int rowCount(const QModelIndex& = {}) const override { return FRows; }
    int columnCount(const QModelIndex& = {}) const override { return Cols; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole) return {};
        if (index.row() < FilledRows) return FTexts[std::size_t(index.row()) * Cols + std::size_t(index.column())];
        return index.row() % 1000 == 0 && index.column() == 0 ? Text(0, index.row()) : QString();
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (role != Qt::DisplayRole || o != Qt::Horizontal) return {};
        return QStringLiteral("Column %1").arg(section + 1);
    }

private:
    int FRows;
    std::vector<QString> FTexts;
};

class QtView {
public:
    static constexpr const char* Name = "QTableView";
    explicit QtView(int rows) : FModel(rows)
    {
        FView.setModel(&FModel);
        FView.setFont(BenchFont());
        FView.horizontalHeader()->setFont(BenchFont());
        FView.verticalHeader()->hide();
        FView.verticalHeader()->setMinimumSectionSize(1);
        FView.verticalHeader()->setDefaultSectionSize(RowHeight);
        FView.horizontalHeader()->setMinimumSectionSize(1);
        FView.horizontalHeader()->setDefaultSectionSize(ColWidth);
        FView.horizontalHeader()->setFixedHeight(RowHeight);
        FView.setWordWrap(false);
        FView.setTextElideMode(Qt::ElideRight);
        FView.resize(ViewWidth, ViewHeight);
        FView.show();
    }
    void Render(QPainter& painter) { FView.render(&painter); }

private:
    TextModel FModel;
    QTableView FView;
};

template <class Table>
void PaintViewport(benchmark::State& state)
{
    const int rows = int(state.range(0));
    Table table(rows);
    QImage image(ViewWidth, ViewHeight, QImage::Format_ARGB32_Premultiplied);
    {
        // The first paint lays out and fills the glyph caches.
        QPainter painter(&image);
        table.Render(painter);
    }
    for (auto _ : state) {
        QPainter painter(&image);
        table.Render(painter);
    }
}

template <class Table>
void Register()
{
    const std::string name = std::string("PaintViewport/") + Table::Name;
    benchmark::RegisterBenchmark(name.c_str(), PaintViewport<Table>)
        ->Arg(100)
        ->Arg(1'000'000)
        ->Unit(benchmark::kMicrosecond);
}

} // namespace

namespace {

void RegisterBoth()
{
    Register<OurGrid>();
    Register<QtView>();
}

} // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterBoth); }
