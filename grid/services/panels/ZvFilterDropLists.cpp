// The header filter drop-down lists.

#include "grid/services/panels/ZvFilterDropLists.h"

#include "platform/DrawText.h"
#include "platform/Messages.h"

#include <algorithm>

TDropListBase::TDropListBase(TComponent* AOwner) : TCustomControl(AOwner), FItems(std::make_unique<TStringList>())
{
    SetTabStop(true);
    SetColor(clWindow);
}

TDropListBase::~TDropListBase() = default;

int TDropListBase::ItemHeight() const { return std::max(Canvas()->TextHeight(QStringLiteral("Wg")) + 2, 14); }

void TDropListBase::SetItemIndex(int Value)
{
    Value = std::clamp(Value, -1, FItems->Count() - 1);
    if (Value == FItemIndex) return;
    FItemIndex = Value;
    ScrollIntoView();
    Invalidate();
}

void TDropListBase::ScrollIntoView()
{
    const int visible = std::max(1, ClientHeight() / ItemHeight());
    if (FItemIndex >= 0 && FItemIndex < FTopIndex) FTopIndex = FItemIndex;
    if (FItemIndex >= FTopIndex + visible) FTopIndex = FItemIndex - visible + 1;
    FTopIndex = std::clamp(FTopIndex, 0, std::max(0, FItems->Count() - visible));
}

int TDropListBase::ItemAtPos(int X, int Y) const
{
    if (X < 0 || Y < 0 || X >= ClientWidth() || Y >= ClientHeight()) return -1;
    const int i = FTopIndex + Y / ItemHeight();
    return i < FItems->Count() ? i : -1;
}

void TDropListBase::Paint()
{
    TCanvas& c = *Canvas();
    c.Font()->Assign(Font());
    c.Brush()->SetColor(Color());
    c.FillRect(ClientRect());
    const int h = ItemHeight();
    for (int i = FTopIndex, y = 0; i < FItems->Count() && y < ClientHeight(); ++i, y += h)
        PaintItem(c, i, TRect{0, y, ClientWidth(), y + h});
    c.Brush()->SetColor(clBtnShadow);
    c.FrameRect(ClientRect());
}

void TDropListBase::PaintItem(TCanvas& Canvas, int Index, const TRect& R)
{
    const bool current = Index == FItemIndex;
    Canvas.Brush()->SetColor(current ? clHighlight : Color());
    Canvas.FillRect(R);
    Canvas.Font()->SetColor(current ? clHighlightText : Font()->Color());
    TRect t{R.Left + 3, R.Top, R.Right - 2, R.Bottom};
    Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    DrawText(Canvas, FItems->Strings(Index), t, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TDropListBase::KeyDown(WORD& Key, TShiftState Shift)
{
    const int page = std::max(1, ClientHeight() / ItemHeight());
    switch (Key) {
    case VK_UP: SetItemIndex(std::max(0, FItemIndex - 1)); break;
    case VK_DOWN: SetItemIndex(FItemIndex + 1); break;
    case VK_PRIOR: SetItemIndex(std::max(0, FItemIndex - page)); break;
    case VK_NEXT: SetItemIndex(FItemIndex + page); break;
    case VK_HOME: SetItemIndex(0); break;
    case VK_END: SetItemIndex(FItems->Count() - 1); break;
    case VK_ESCAPE: Cancel(); break;
    default: TCustomControl::KeyDown(Key, Shift); return;
    }
    Key = 0;
}

// The user turned elsewhere: a list the pointer has left closes without a choice.
void TDropListBase::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_CANCELMODE && Visible()) {
        const TPoint p = ScreenToClient(GetCursorPos());
        const TRect r = ClientRect();
        if (p.X < r.Left || p.Y < r.Top || p.X >= r.Right || p.Y >= r.Bottom) Cancel();
    }
    TCustomControl::WndProc(Message);
}

void TDropListBase::DoExit()
{
    TCustomControl::DoExit();
    if (Visible()) Perform(CM_CANCELMODE);
}

void TDropListBase::Cancel()
{
    SetVisible(false);
    if (OnCancel) OnCancel(this);
}

// ---- Pick list ------------------------------------------------------------------------------------------------
void TDropList::Choose()
{
    SetVisible(false);
    if (OnSelect) OnSelect(this, ItemIndex());
}

void TDropList::KeyPress(QChar& Key)
{
    TDropListBase::KeyPress(Key);
    if (Key == QChar(VK_RETURN)) {
        Key = QChar();
        Choose();
    }
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TDropListBase::MouseUp(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i >= 0) SetItemIndex(i);
    Choose();
}

// ---- Check list -----------------------------------------------------------------------------------------------
bool TDropCheckList::Checked(int Index) const
{
    return Index >= 0 && Index < int(FChecked.size()) && FChecked[std::size_t(Index)];
}

void TDropCheckList::SetChecked(int Index, bool Value)
{
    if (Index < 0 || Index >= Items()->Count()) return;
    if (int(FChecked.size()) <= Index) FChecked.resize(std::size_t(Items()->Count()), false);
    FChecked[std::size_t(Index)] = Value;
    Invalidate();
}

void TDropCheckList::Toggle(int Index)
{
    if (Index < 0 || Index >= Items()->Count()) return;
    SetChecked(Index, !Checked(Index));
    if (OnSelect) OnSelect(this, -1);
}

void TDropCheckList::PaintItem(TCanvas& Canvas, int Index, const TRect& R)
{
    Canvas.Brush()->SetColor(Index == ItemIndex() ? clHighlight : Color());
    Canvas.FillRect(R);
    const int box = std::min(13, R.Height() - 2);
    const TRect b{R.Left + 2, R.Top + (R.Height() - box) / 2, R.Left + 2 + box, R.Top + (R.Height() - box) / 2 + box};
    Canvas.Brush()->SetColor(clWindow);
    Canvas.FillRect(b);
    Canvas.Brush()->SetColor(clWindowText);
    Canvas.FrameRect(b);
    if (Checked(Index)) {
        Canvas.Pen()->SetColor(clWindowText);
        Canvas.MoveTo(b.Left + 3, b.Top + box / 2);
        Canvas.LineTo(b.Left + box / 2 - 1, b.Bottom - 4);
        Canvas.LineTo(b.Right - 3, b.Top + 2);
    }
    Canvas.Font()->SetColor(Index == ItemIndex() ? clHighlightText : Font()->Color());
    TRect t{b.Right + 4, R.Top, R.Right - 2, R.Bottom};
    Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    DrawText(Canvas, Items()->Strings(Index), t, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    Canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TDropCheckList::KeyPress(QChar& Key)
{
    TDropListBase::KeyPress(Key);
    if (Key == QLatin1Char(' ')) {
        Key = QChar();
        Toggle(ItemIndex());
    }
}

void TDropCheckList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TDropListBase::MouseUp(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i < 0) return;
    SetItemIndex(i);
    Toggle(i);
}
