// The platform string grid against Qt's own table classes, on the same data
// in one run: filling cells, reading them back, painting one screenful,
// deleting rows from the middle, hiding and showing every other row, and
// deleting a tenth of the rows at once, for tables of 1,000 to 100,000 rows
// of 13 columns.
//
// Every contender is a small adapter with the same members, so each
// operation is one template run against each of them:
//   TStringGrid          our grid, no window (the cell store's own cost)
//   TStringGridShown     our grid on a shown form (invalidation, scroll bars)
//   QStandardItemModel   Qt's item model, no view
//   QTableWidget         Qt's item widget, shown
//   QTableView           a shown view over a QStandardItemModel (painting only)
//   QAbstractTableModel  a model over a vector of rows, filled a batch of rows
//                        at a time (beginInsertRows), with and without a shown view
//   TZvStringGridShown   the string grid of every table, shown (filling)
// Hiding rows and deleting a tenth of them compare the string grid with a
// shown QTableView over a QAbstractTableModel that keeps the same texts in a
// vector of rows, the counterpart of our cell store.
#include "bench/BenchMain.h"

#include "grid/ZvGrid.h"
#include "platform/Forms.h"
#include "platform/Grids.h"

#include <QAbstractTableModel>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int Cols = 13;
constexpr int MaxRows = 100'000;
constexpr int DeletedRows = 1'000;
// The window every shown contender gets: one screenful is what fits in it.
constexpr int WindowWidth = 1024;
constexpr int WindowHeight = 768;

// The texts of a 100,000-row table, made once: smaller tables use its top
// rows. Every contender stores the same shared strings, so filling measures
// the store and not the formatting.
const QString& Text(int col, int row)
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> all;
        all.reserve(std::size_t(MaxRows) * Cols);
        for (int r = 0; r < MaxRows; ++r)
            for (int c = 0; c < Cols; ++c)
                all.push_back(QStringLiteral("Row %1 column %2").arg(r + 1).arg(c + 1));
        return all;
    }();
    return texts[std::size_t(row) * Cols + std::size_t(col)];
}

QString Header(int col)
{
    return QStringLiteral("Column %1").arg(col + 1);
}

// ---- Contenders ------------------------------------------------------------------
// Data row r (0-based) of our grid is grid row r + 1, under one fixed header
// row; Qt's classes keep the header apart, so data row r is their row r.
class OurGrid {
public:
    OurGrid(int rows, bool shown)
    {
        if (shown) {
            FForm = std::make_unique<TForm>(nullptr);
            FForm->SetBounds(0, 0, WindowWidth, WindowHeight);
            FGrid = new TStringGrid(FForm.get());   // owned by the form
            FGrid->SetParent(FForm.get());
            FGrid->SetAlign(TAlign::alClient);
        } else {
            FOwnGrid = std::make_unique<TStringGrid>(nullptr);
            FGrid = FOwnGrid.get();
        }
        FGrid->SetColCount(Cols);
        FGrid->SetRowCount(rows + 1);
        FGrid->SetFixedCols(0);
        for (int c = 0; c < Cols; ++c) FGrid->SetCells(c, 0, Header(c));
        if (FForm) FForm->Show();
    }

    void Set(int col, int row, const QString& text) { FGrid->SetCells(col, row + 1, text); }
    qsizetype ReadAll(int rows) const
    {
        qsizetype length = 0;
        for (int r = 1; r <= rows; ++r)
            for (int c = 0; c < Cols; ++c) length += FGrid->Cells(c, r).size();
        return length;
    }
    void DeleteRow(int row) { FGrid->DeleteRow(row + 1); }
    void InsertRow(int row) { FGrid->InsertRow(row + 1); }
    void Filled() {}   // shown or not, the grid is set up before the fill: nothing is left once the rows are in
    void ScrollTo(int row) { FGrid->SetTopRow(std::max(FGrid->FixedRows(), row + 1)); }
    int TopRow() const { return FGrid->TopRow() - 1; }
    void Render(QPainter& painter) { FGrid->PaintTo(painter, 0, 0); }

private:
    std::unique_ptr<TForm> FForm;
    std::unique_ptr<TStringGrid> FOwnGrid;
    TStringGrid* FGrid = nullptr;
};

class OurStore : public OurGrid {
public:
    static constexpr const char* Name = "TStringGrid";
    explicit OurStore(int rows) : OurGrid(rows, false) {}
};

class OurShownGrid : public OurGrid {
public:
    static constexpr const char* Name = "TStringGridShown";
    explicit OurShownGrid(int rows) : OurGrid(rows, true) {}
};

class QtModel {
public:
    static constexpr const char* Name = "QStandardItemModel";
    explicit QtModel(int rows) : FModel(rows, Cols)
    {
        QStringList headers;
        for (int c = 0; c < Cols; ++c) headers << Header(c);
        FModel.setHorizontalHeaderLabels(headers);
    }

    void Set(int col, int row, const QString& text) { FModel.setItem(row, col, new QStandardItem(text)); }
    qsizetype ReadAll(int rows) const
    {
        qsizetype length = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < Cols; ++c) length += FModel.item(r, c)->text().size();
        return length;
    }
    void DeleteRow(int row) { FModel.removeRow(row); }
    void InsertRow(int row) { FModel.insertRow(row); }

protected:
    QStandardItemModel FModel;
};

// Painting only: a shown view over the item model.
class QtView : public QtModel {
public:
    static constexpr const char* Name = "QTableView";
    explicit QtView(int rows) : QtModel(rows) {}
    // The view comes after the data: a model filled under a shown view
    // costs many times more, and no Qt program fills it that way.
    void Filled()
    {
        FView.setModel(&FModel);
        FView.resize(WindowWidth, WindowHeight);
        FView.show();
    }
    void ScrollTo(int row)
    {
        // Per-item scrolling: the bar's value is the top row.
        FView.verticalScrollBar()->setValue(row);
    }
    int TopRow() const { return FView.rowAt(0); }
    void Render(QPainter& painter) { FView.render(&painter); }

private:
    QTableView FView;
};

class QtWidget {
public:
    static constexpr const char* Name = "QTableWidget";
    explicit QtWidget(int rows) : FTable(rows, Cols)
    {
        QStringList headers;
        for (int c = 0; c < Cols; ++c) headers << Header(c);
        FTable.setHorizontalHeaderLabels(headers);
        FTable.resize(WindowWidth, WindowHeight);
        FTable.show();
    }

    void Set(int col, int row, const QString& text) { FTable.setItem(row, col, new QTableWidgetItem(text)); }
    qsizetype ReadAll(int rows) const
    {
        qsizetype length = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < Cols; ++c) length += FTable.item(r, c)->text().size();
        return length;
    }
    void DeleteRow(int row) { FTable.removeRow(row); }
    void InsertRow(int row) { FTable.insertRow(row); }

private:
    QTableWidget FTable;
};

template <class Table>
void FillRows(Table& table, int from, int to)
{
    for (int r = from; r < to; ++r)
        for (int c = 0; c < Cols; ++c) table.Set(c, r, Text(c, r));
}

// ---- Operations ------------------------------------------------------------------
// Every cell of a fresh, already sized table; making and destroying the
// table are not counted.
template <class Table>
void Fill(benchmark::State& state)
{
    const int rows = int(state.range(0));
    Text(0, 0);   // the shared texts are made before any timing
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<Table>(rows);
        state.ResumeTiming();
        FillRows(*table, 0, rows);
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows * Cols);
    state.SetComplexityN(rows);
}

// Every cell's text, read back.
template <class Table>
void Read(benchmark::State& state)
{
    const int rows = int(state.range(0));
    Table table(rows);
    FillRows(table, 0, rows);
    for (auto _ : state) benchmark::DoNotOptimize(table.ReadAll(rows));
    state.SetItemsProcessed(state.iterations() * rows * Cols);
    state.SetComplexityN(rows);
}

// One screenful, painted whole, with a given fraction of the rows above it:
// the cost must follow the cells on screen, not the rows in the table.
template <class Table>
void Paint(benchmark::State& state, int percentAbove)
{
    const int rows = int(state.range(0));
    Table table(rows);
    FillRows(table, 0, rows);
    table.Filled();
    const int top = int(qint64(rows) * percentAbove / 100);
    table.ScrollTo(top);
    if (table.TopRow() != top) {
        state.SkipWithError("the table did not scroll to the asked row");
        return;
    }
    QImage image(WindowWidth, WindowHeight, QImage::Format_ARGB32_Premultiplied);
    {
        // The first paint lays out the view and fills the glyph caches.
        QPainter painter(&image);
        table.Render(painter);
    }
    for (auto _ : state) {
        QPainter painter(&image);
        table.Render(painter);
    }
    state.counters["top_row"] = top;
    state.SetComplexityN(rows);
}

// 1,000 rows deleted one at a time from the middle, as a user's selection is;
// they are put back, with their texts, outside the timing.
template <class Table>
void DeleteMiddle(benchmark::State& state)
{
    const int rows = int(state.range(0));
    const int first = (rows - DeletedRows) / 2;
    Table table(rows);
    FillRows(table, 0, rows);
    for (auto _ : state) {
        for (int i = 0; i < DeletedRows; ++i) table.DeleteRow(first);
        state.PauseTiming();
        for (int i = 0; i < DeletedRows; ++i) table.InsertRow(first);
        FillRows(table, first, first + DeletedRows);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * DeletedRows);
    state.SetComplexityN(rows);
}

// ---- Hidden rows and bulk deletion ------------------------------------------------
// Qt's counterpart of the cell store: the texts in a vector of rows.
class VectorModel : public QAbstractTableModel {
public:
    explicit VectorModel(int rows) : FRows(std::size_t(rows), std::vector<QString>(Cols)) {}
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(FRows.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : Cols; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        return FRows[std::size_t(index.row())][std::size_t(index.column())];
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
        return Header(section);
    }
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override
    {
        if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount()) return false;
        beginRemoveRows(parent, row, row + count - 1);
        FRows.erase(FRows.begin() + row, FRows.begin() + row + count);
        endRemoveRows();
        return true;
    }
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override
    {
        if (parent.isValid() || row < 0 || count <= 0 || row > rowCount()) return false;
        beginInsertRows(parent, row, row + count - 1);
        FRows.insert(FRows.begin() + row, std::size_t(count), std::vector<QString>(Cols));
        endInsertRows();
        return true;
    }
    void Set(int col, int row, const QString& text) { FRows[std::size_t(row)][std::size_t(col)] = text; }

private:
    std::vector<std::vector<QString>> FRows;
};

class QtVectorView {
public:
    static constexpr const char* Name = "QTableView";
    explicit QtVectorView(int rows) : FModel(rows)
    {
        FView.setModel(&FModel);
        FView.resize(WindowWidth, WindowHeight);
        FView.show();
    }
    void Set(int col, int row, const QString& text) { FModel.Set(col, row, text); }
    void HideEveryOther(int rows, bool hide)
    {
        for (int r = 1; r < rows; r += 2) FView.setRowHidden(r, hide);
    }
    bool Hidden(int row) const { return FView.isRowHidden(row); }
    void DeleteRows(int row, int count) { FModel.removeRows(row, count); }
    void InsertRows(int row, int count) { FModel.insertRows(row, count); }
    int Rows() const { return FModel.rowCount(); }

private:
    VectorModel FModel;
    QTableView FView;
};

// The fair counterpart of our cell store in the fill: the texts go into a
// QAbstractTableModel over a vector of rows, which grows as a model fills,
// a batch of rows at a time inside beginInsertRows / endInsertRows. Without a
// view it is the store against the store; under a shown QTableView it is
// the shown grid against the shown view.
class QtVectorFill {
public:
    static constexpr const char* Name = "QAbstractTableModel";
    static constexpr int Batch = 1'000;
    explicit QtVectorFill(int rows, bool shown = false) : FModel(0), FRows(rows)
    {
        if (!shown) return;
        FView = std::make_unique<QTableView>();
        FView->setModel(&FModel);
        FView->resize(WindowWidth, WindowHeight);
        FView->show();
    }
    void Set(int col, int row, const QString& text)
    {
        if (row >= FModel.rowCount()) FModel.insertRows(row, std::min(Batch, FRows - row));
        FModel.Set(col, row, text);
    }
    void Filled() {}   // a bare model has no view to attach once the rows are in

private:
    VectorModel FModel;
    int FRows;
    std::unique_ptr<QTableView> FView;
};

class QtVectorFillShown : public QtVectorFill {
public:
    static constexpr const char* Name = "QAbstractTableModelShown";
    explicit QtVectorFillShown(int rows) : QtVectorFill(rows, true) {}
};

// The grid every table of the program is edited in, shown on a form; data
// row r is grid row r + 1 under its header row.
class ZvGrid {
public:
    static constexpr const char* Name = "TZvStringGrid";
    explicit ZvGrid(int rows, bool shown = true)
    {
        FForm.SetBounds(0, 0, WindowWidth, WindowHeight);
        FGrid = new TZvStringGrid(&FForm);   // owned by the form
        FGrid->SetParent(&FForm);
        FGrid->SetAlign(TAlign::alClient);
        FGrid->SetColCount(Cols);
        FGrid->SetRowCount(rows + 1);
        for (int c = 0; c < Cols; ++c) FGrid->SetCells(c, 0, Header(c));
        if (shown) FForm.Show();
    }
    void Set(int col, int row, const QString& text) { FGrid->SetCells(col, row + 1, text); }
    // One filter level over every other data row, and that level undone.
    void HideEveryOther(int rows, bool hide)
    {
        if (!hide) {
            FGrid->UnHideRowList();
            return;
        }
        TIntList list;
        for (int r = 1; r < rows; r += 2) list.Add(r + 1);
        FGrid->HideRowList(&list);
    }
    bool Hidden(int row) const { return FGrid->Cells(0, row + 1) != Text(0, row); }
    void DeleteRows(int row, int count) { FGrid->TStringGrid::DeleteRows(row + 1, count); }
    void InsertRows(int row, int count) { FGrid->TStringGrid::InsertRows(row + 1, count); }
    int Rows() const { return FGrid->RowCount() - 1; }

private:
    TForm FForm{nullptr};
    TZvStringGrid* FGrid = nullptr;
};

// Filling the string grid every table is edited in, shown.
class ZvShownFill : public ZvGrid {
public:
    static constexpr const char* Name = "TZvStringGridShown";
    explicit ZvShownFill(int rows) : ZvGrid(rows, true) {}
    void Filled() {}   // shown from the start, as the forms fill it: nothing is left to do afterwards
};

class ZvStore : public ZvGrid {
public:
    static constexpr const char* Name = "TZvStringGridStore";
    explicit ZvStore(int rows) : ZvGrid(rows, false) {}
};

// Every other row hidden and shown again, as a filter does.
template <class Table>
void HideEveryOther(benchmark::State& state)
{
    const int rows = int(state.range(0));
    Table table(rows);
    FillRows(table, 0, rows);
    // Once untimed: a large table's first pass pays for touching fresh
    // memory, which a run of one iteration would count as the operation's.
    table.HideEveryOther(rows, true);
    table.HideEveryOther(rows, false);
    for (auto _ : state) {
        table.HideEveryOther(rows, true);
        table.HideEveryOther(rows, false);
    }
    if (table.Hidden(1) || table.Rows() != rows) state.SkipWithError("the rows did not come back");
    state.SetItemsProcessed(state.iterations() * (rows / 2));
    state.SetComplexityN(rows);
}

// A tenth of the rows, from the middle, in one deletion; put back outside
// the timing.
template <class Table>
void DeleteTenth(benchmark::State& state)
{
    const int rows = int(state.range(0));
    const int count = rows / 10;
    const int first = (rows - count) / 2;
    Table table(rows);
    FillRows(table, 0, rows);
    for (auto _ : state) {
        table.DeleteRows(first, count);
        state.PauseTiming();
        if (table.Rows() != rows - count) state.SkipWithError("the rows were not deleted");
        table.InsertRows(first, count);
        FillRows(table, first, first + count);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetComplexityN(rows);
}

// ---- Registration ----------------------------------------------------------------
// Names read "operation/contender/rows", contenders of one operation side by side.
template <class Table, class Fn>
benchmark::internal::Benchmark* Register(const char* operation, Fn fn, int minRows = 1'000)
{
    const std::string name = std::string(operation) + '/' + Table::Name;
    return benchmark::RegisterBenchmark(name.c_str(), fn)
        ->RangeMultiplier(10)
        ->Range(minRows, MaxRows)
        ->Unit(benchmark::kMillisecond)
        ->Complexity();
}

template <class... Tables>
void RegisterFill()
{
    (Register<Tables>("Fill", Fill<Tables>), ...);
}

template <class... Tables>
void RegisterRead()
{
    (Register<Tables>("Read", Read<Tables>), ...);
}

template <class... Tables>
void RegisterPaint(const char* operation, int percentAbove)
{
    (Register<Tables>(operation, [percentAbove](benchmark::State& s) { Paint<Tables>(s, percentAbove); })
         ->Unit(benchmark::kMicrosecond),
     ...);
}

template <class... Tables>
void RegisterDeleteMiddle()
{
    // A 1,000-row table has no middle to delete 1,000 rows from.
    (Register<Tables>("DeleteMiddle", DeleteMiddle<Tables>, 10 * DeletedRows), ...);
}

void RegisterAll()
{
    RegisterFill<OurStore, QtVectorFill, QtModel, OurShownGrid, QtVectorFillShown, QtWidget, ZvShownFill>();
    RegisterRead<OurStore, QtModel, QtWidget>();
    // Top rows on screen, then the rows at 90% of the table (row 90,000 of 100,000).
    RegisterPaint<OurShownGrid, QtView>("PaintTop", 0);
    RegisterPaint<OurShownGrid, QtView>("Paint90Percent", 90);
    RegisterDeleteMiddle<OurStore, QtModel, OurShownGrid, QtWidget>();
    Register<ZvGrid>("HideEveryOther", HideEveryOther<ZvGrid>, 10'000);
    Register<ZvStore>("HideEveryOther", HideEveryOther<ZvStore>, 10'000);
    Register<QtVectorView>("HideEveryOther", HideEveryOther<QtVectorView>, 10'000);
    Register<ZvGrid>("DeleteTenth", DeleteTenth<ZvGrid>, 10'000);
    Register<QtVectorView>("DeleteTenth", DeleteTenth<QtVectorView>, 10'000);
}

} // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv, RegisterAll); }
