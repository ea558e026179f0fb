#include "platform/ComCtrls.h"

#include "platform/ExtCtrls.h"

#include <QFontMetrics>

#include <algorithm>

// ---- Tab sheet ---------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csClickEvents, csSetCaption, csDoubleClicks, csOpaque,
                                  csParentBackground};
    SetVisible(false);
}

TTabSheet::~TTabSheet()
{
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* value)
{
    if (value == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(value);
    if (value) value->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value)
{
    if (FPageControl) FPageControl->MovePage(this, value);
}

int TTabSheet::TabIndex() const
{
    if (!FPageControl || !FTabVisible) return -1;
    int index = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this) return index;
        if (page->FTabVisible) ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value)
{
    if (value == FTabVisible) return;
    FTabVisible = value;
    if (FPageControl) FPageControl->PageTabChanged(this);
}

void TTabSheet::CMTextChanged(TMessage& Message)
{
    TCustomControl::CMTextChanged(Message);
    if (FPageControl) FPageControl->Invalidate();
}

void TTabSheet::CMVisibleChanged(TMessage& Message)
{
    TCustomControl::CMVisibleChanged(Message);
    if (Visible()) {
        if (OnShow) OnShow(this);
    } else if (OnHide) {
        OnHide(this);
    }
}

// ---- Page control -------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csClickEvents, csDoubleClicks, csOpaque};
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TPageControl::~TPageControl()
{
    for (TTabSheet* page : FPages) page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page)
{
    FPages.push_back(page);
    page->FPageControl = this;
    LayoutPages();
    // The first page a page control gets becomes its active one.
    if (!FActivePage && page->FTabVisible) SetActivePage(page);
    else page->SetVisible(page == FActivePage);
    Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    TTabSheet* next = page == FActivePage ? FindNextPage(page, true, true) : nullptr;
    FPages.erase(it);
    page->FPageControl = nullptr;
    if (page == FActivePage) {
        FActivePage = nullptr;
        if (next != page) SetActivePage(next);
    }
    if (!Destroying()) Invalidate();
}

void TPageControl::MovePage(TTabSheet* page, int index)
{
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    FPages.erase(it);
    index = std::clamp(index, 0, int(FPages.size()));
    FPages.insert(FPages.begin() + index, page);
    Invalidate();
}

void TPageControl::PageTabChanged(TTabSheet* page)
{
    // A page whose tab goes away stops being the active one.
    if (page == FActivePage && !page->FTabVisible) SetActivePage(FindNextPage(page, true, true));
    else if (!FActivePage && page->FTabVisible) SetActivePage(page);
    Invalidate();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const
{
    const int count = PageCount();
    if (count == 0) return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), current);
    int start = it == FPages.end() ? (goForward ? count - 1 : 0) : int(it - FPages.begin());
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = FPages[std::size_t(i)];
        if (!checkTabVisible || page->FTabVisible) return page;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible)
{
    TTabSheet* page = FindNextPage(FActivePage, goForward, checkTabVisible);
    if (page && page != FActivePage) ChangeByUser(page);
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->FPageControl != this) return;
    if (page == FActivePage) return;
    TTabSheet* old = FActivePage;
    FActivePage = page;
    // The new page is shown before the old one goes, so the area never stands empty.
    if (page) {
        page->SetBoundsRect(DisplayRect());
        page->SetVisible(true);
        page->BringToFront();
    }
    if (old) old->SetVisible(false);
    Invalidate();
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int value)
{
    SetActivePage(value >= 0 && value < PageCount() ? FPages[std::size_t(value)] : nullptr);
}

void TPageControl::SetTabHeight(int value)
{
    if (value == FTabHeight) return;
    FTabHeight = std::max(0, value);
    LayoutPages();
    Invalidate();
}

void TPageControl::SetTabWidth(int value)
{
    if (value == FTabWidth) return;
    FTabWidth = std::max(0, value);
    Invalidate();
}

int TPageControl::RowHeight() const
{
    if (FTabHeight > 0) return FTabHeight;
    return QFontMetrics(Font()->ToQFont()).height() + 6;
}

TRect TPageControl::DisplayRect() const
{
    const int top = RowHeight() + 2;
    return TRect{4, top + 4, std::max(4, Width() - 4), std::max(top + 4, Height() - 4)};
}

std::vector<std::pair<TTabSheet*, TRect>> TPageControl::TabLayout() const
{
    std::vector<std::pair<TTabSheet*, TRect>> tabs;
    const QFontMetrics fm(Font()->ToQFont());
    const int h = RowHeight();
    int x = 2;
    for (TTabSheet* page : FPages) {
        if (!page->FTabVisible) continue;
        const int w = FTabWidth > 0 ? FTabWidth : fm.horizontalAdvance(StripAccelChar(page->Caption()).Text) + 12;
        tabs.push_back({page, TRect{x, 2, x + w, 2 + h}});
        x += w;
    }
    return tabs;
}

TRect TPageControl::TabRect(int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= PageCount()) return {};
    TTabSheet* page = FPages[std::size_t(pageIndex)];
    for (const auto& [p, r] : TabLayout())
        if (p == page) return p == FActivePage ? TRect{r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 1} : r;
    return {};
}

TTabSheet* TPageControl::PageAt(int X, int Y) const
{
    // The raised active tab lies over its neighbours, so it is asked first.
    if (FActivePage && TabRect(FActivePage->PageIndex()).Contains({X, Y})) return FActivePage;
    for (const auto& [page, r] : TabLayout())
        if (r.Contains({X, Y})) return page;
    return nullptr;
}

void TPageControl::LayoutPages()
{
    const TRect display = DisplayRect();
    for (TTabSheet* page : FPages) page->SetBoundsRect(display);
}

void TPageControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    LayoutPages();
}

void TPageControl::CMFontChanged(TMessage& Message)
{
    TCustomControl::CMFontChanged(Message);
    LayoutPages();
    Invalidate();
}

// The tabs as raised frames; the active tab stands 2 pixels taller and wider
// and opens into the frame around the sheets.
void TPageControl::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.Brush()->SetColor(Parent() ? Parent()->Color() : Color());
    c.FillRect(ClientRect());

    const int frameTop = RowHeight() + 2;
    TRect frame{0, frameTop, Width(), Height()};
    c.Brush()->SetColor(Color());
    c.FillRect(frame);
    Frame3D(c, frame, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(c, frame, cl3DLight, clBtnShadow, 1);

    auto drawTab = [&](TTabSheet* page, TRect r, bool active) {
        c.Brush()->SetStyle(TBrushStyle::bsSolid);
        c.Brush()->SetColor(Color());
        c.FillRect(TRect{r.Left, r.Top, r.Right, active ? r.Bottom + 1 : r.Bottom});
        c.Brush()->SetColor(clBtnHighlight);
        c.FillRect(TRect{r.Left, r.Top + 1, r.Left + 1, r.Bottom});
        c.FillRect(TRect{r.Left + 1, r.Top, r.Right - 1, r.Top + 1});
        c.Brush()->SetColor(cl3DDkShadow);
        c.FillRect(TRect{r.Right - 1, r.Top + 1, r.Right, r.Bottom});
        c.Brush()->SetColor(clBtnShadow);
        c.FillRect(TRect{r.Right - 2, r.Top + 1, r.Right - 1, r.Bottom});
        const TTextBlock block(page->Caption(), *Font(), 0, true);
        const int top = r.Top + (r.Height() - block.Size().cy) / 2;
        block.Draw(c, TRect{r.Left, top, r.Right, top + block.Size().cy}, TAlignment::taCenter,
                   IsEnabledInChain() && page->Enabled());
    };
    for (const auto& [page, r] : TabLayout())
        if (page != FActivePage) drawTab(page, r, false);
    if (FActivePage && FActivePage->FTabVisible) drawTab(FActivePage, TabRect(FActivePage->PageIndex()), true);
    TCustomControl::Paint();
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft)
        if (TTabSheet* page = PageAt(X, Y)) ChangeByUser(page);
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TPageControl::ChangeByUser(TTabSheet* page)
{
    if (!page || page == FActivePage) return;
    if (!CanChange()) return;
    SetActivePage(page);
    Change();
}

bool TPageControl::CanChange()
{
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change()
{
    if (OnChange) OnChange(this);
}
