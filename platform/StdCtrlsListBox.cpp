// The list box over a Qt list widget.

#include "platform/StdCtrls.h"
#include "platform/StdCtrlsPrivate.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

using namespace StdCtrlsPrivate;

// ---- List box -------------------------------------------------------------------------------

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TStringList>()), FLink(std::make_unique<QObject>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TListBox::~TListBox()
{
    FLink.reset();
    FItems->OnChange = nullptr;
}

QWidget* TListBox::CreateWidget(QWidget* parentWidget)
{
    auto* list = new QListWidget(parentWidget);
    FList = list;
    QObject::connect(list, &QListWidget::itemSelectionChanged, FLink.get(), [this] {
        RunGuarded(this, [&] {
            if (FFilling || !FList) return;
            // The user changed the selection: take it over and report it.
            FSelected.assign(std::size_t(FItems->Count()), false);
            for (int i = 0; i < FList->count(); ++i) FSelected[std::size_t(i)] = FList->item(i)->isSelected();
            FItemIndex = FList->currentRow();
            if (!FMultiSelect && FItemIndex >= 0 && !FSelected[std::size_t(FItemIndex)]) FItemIndex = -1;
            Click();
        });
    });
    // The platform's list reports a double click on an entry itself.
    QObject::connect(list, &QListWidget::itemDoubleClicked, FLink.get(),
                     [this] { RunGuarded(this, [&] { DblClick(); }); });
    return list;
}

void TListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    FillWidget();
}

void TListBox::FillWidget()
{
    if (!FList) return;
    FFilling = true;
    {
        const QSignalBlocker block(FList.data());
        FList->setSelectionMode(FMultiSelect ? QAbstractItemView::ExtendedSelection
                                             : QAbstractItemView::SingleSelection);
        FList->clear();
        FList->addItems(FItems->ToQStringList());
    }
    FFilling = false;
    ShowSelection();
}

void TListBox::ShowSelection()
{
    if (!FList) return;
    FFilling = true;
    {
        const QSignalBlocker block(FList.data());
        FList->clearSelection();
        if (FItemIndex >= 0) FList->setCurrentRow(FItemIndex, QItemSelectionModel::NoUpdate);
        for (int i = 0; i < FList->count(); ++i) {
            const bool selected = FMultiSelect ? FSelected[std::size_t(i)] : i == FItemIndex;
            FList->item(i)->setSelected(selected);
        }
    }
    FFilling = false;
    FList->viewport()->update();
}

void TListBox::ItemsChanged()
{
    FSelected.resize(std::size_t(FItems->Count()), false);
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    FillWidget();
}

void TListBox::SetItems(const TStringList* items) { FItems->Assign(const_cast<TStringList*>(items)); }

int TListBox::ItemIndex() const { return FItemIndex; }

void TListBox::SetItemIndex(int value)
{
    if (value < -1 || value >= FItems->Count()) value = -1;
    if (value == FItemIndex) return;
    FItemIndex = value;
    if (!FMultiSelect) FSelected.assign(std::size_t(FItems->Count()), false);
    if (value >= 0) FSelected[std::size_t(value)] = true;
    ShowSelection();
}

void TListBox::SetSorted(bool value)
{
    if (value == FItems->Sorted()) return;
    const String chosen = FItemIndex >= 0 ? FItems->Strings(FItemIndex) : String();
    const bool hadChoice = FItemIndex >= 0;
    FItemIndex = -1;
    FItems->SetSorted(value);
    FSelected.assign(std::size_t(FItems->Count()), false);
    if (hadChoice) SetItemIndex(FItems->IndexOf(chosen));
}

void TListBox::SetMultiSelect(bool value)
{
    if (value == FMultiSelect) return;
    FMultiSelect = value;
    FSelected.assign(std::size_t(FItems->Count()), false);
    if (FItemIndex >= 0) FSelected[std::size_t(FItemIndex)] = true;
    FillWidget();
}

bool TListBox::Selected(int index) const
{
    if (index < 0 || index >= FItems->Count()) throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FMultiSelect ? FSelected[std::size_t(index)] : index == FItemIndex;
}

void TListBox::SetSelected(int index, bool value)
{
    if (index < 0 || index >= FItems->Count()) throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    if (!FMultiSelect) {
        if (value) SetItemIndex(index);
        else if (index == FItemIndex) SetItemIndex(-1);
        return;
    }
    FSelected[std::size_t(index)] = value;
    ShowSelection();
}

int TListBox::SelCount() const
{
    if (!FMultiSelect) return -1;
    return int(std::count(FSelected.begin(), FSelected.end(), true));
}

int TListBox::TopIndex() const
{
    if (!FList || FList->count() == 0) return 0;
    const int row = FList->row(FList->itemAt(QPoint(2, 2)));
    return std::max(0, row);
}

int TListBox::ItemHeight() const
{
    if (FList && FList->count() > 0) return FList->sizeHintForRow(0);
    return QFontMetrics(Font()->ToQFont()).height();
}

int TListBox::ItemAtPos(const TPoint& pos, bool existing) const
{
    if (FList) {
        const QModelIndex index = FList->indexAt(FList->viewport()->mapFrom(FList, QPoint(pos.X, pos.Y)));
        if (index.isValid()) return index.row();
    } else if (ItemHeight() > 0 && pos.Y >= 0) {
        const int row = pos.Y / ItemHeight();
        if (row < FItems->Count()) return row;
    }
    return existing ? -1 : FItems->Count();
}

void TListBox::Clear()
{
    FItemIndex = -1;
    FItems->Clear();
}

void TListBox::ClearSelection()
{
    FSelected.assign(std::size_t(FItems->Count()), false);
    if (!FMultiSelect) FItemIndex = -1;
    ShowSelection();
}

void TListBox::UserSelect(int index)
{
    if (index < 0 || index >= FItems->Count()) return;
    FItemIndex = index;
    FSelected.assign(std::size_t(FItems->Count()), false);
    FSelected[std::size_t(index)] = true;
    ShowSelection();
    Click();
}

// ---- List box colours

void TListBox::ApplyWidgetFont()
{
    TWinControl::ApplyWidgetFont();
    ApplyColors(this, ColorRole::Input);
}

void TListBox::ApplyWidgetPalette()
{
    TWinControl::ApplyWidgetPalette();
    ApplyColors(this, ColorRole::Input);
}
