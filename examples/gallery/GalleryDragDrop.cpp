#include "examples/gallery/GalleryDragDrop.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridOptions.h"
#include "grid/ZvGridSettings.h"

namespace {

TZvStringGrid* DragGrid(TForm* Owner, int Left, const char* Title)
{
    auto* g = new TZvStringGrid(Owner);
    g->SetParent(Owner);
    g->SetBounds(Left, 8, 300, 224);
    g->SetColCount(4);
    g->SetRowCount(8);
    g->SetDefaultColWidth(70);
    g->SetDefaultRowHeight(24);
    g->SetCells(0, 0, QString::fromLatin1(Title));
    // A drag starts from a grid that is not editing; the clipboard rule still lets its cells move.
    g->Navigation()->SetAllowClipboardAlways(true);
    g->DragDropSettings()->SetOleDropSource(true);
    g->DragDropSettings()->SetOleDropTarget(true);
    return g;
}

} // namespace

TGalleryDragDropForm::TGalleryDragDropForm(TComponent* AOwner) : TForm(AOwner)
{
    SetCaption(QStringLiteral("Drag and drop between grids"));
    SetBounds(720, 400, 624, 240);
    Left = DragGrid(this, 8, "From");
    Right = DragGrid(this, 316, "To");
    for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 3; ++c) Left->SetCells(c, r, QStringLiteral("%1%2").arg(QChar(u'A' + c - 1)).arg(r));
}
