#pragma once
// The page control with its tab sheets.

#include "platform/StdCtrls.h"

class TPageControl;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// One page of a page control: a container shown while its tab is the active one.
class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    // Moves the sheet into a page control (as its last page), or out of it with nullptr.
    void SetPageControl(TPageControl* value);
    // Position among all pages of the page control, -1 without one.
    int PageIndex() const;
    void SetPageIndex(int value);
    // Position among the visible tabs, -1 when its tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void CMTextChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

// Tabs along the top edge; the sheets share the area below them. A tab the
// user picks asks OnChanging (which may refuse) and then fires OnChange;
// code choosing a page fires neither.
class TPageControl : public TCustomControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(std::size_t(index)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int value);
    // The active page's position among the visible tabs.
    int TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward, bool checkTabVisible = true);

    // Fixed tab size; 0 sizes tabs to their captions and the font.
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int value);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int value);

    // The area the sheets fill, in client coordinates.
    TRect DisplayRect() const;
    // The tab of a page as drawn (the active one stands out by 2 pixels), empty when hidden.
    TRect TabRect(int pageIndex) const;
    // The page whose tab is under a client point, or nullptr.
    TTabSheet* PageAt(int X, int Y) const;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMFontChanged(TMessage& Message) override;
    virtual bool CanChange();
    virtual void Change();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void LayoutPages();
    void PageTabChanged(TTabSheet* page);
    int RowHeight() const;
    // Tab rectangles of the visible tabs, before the active one is raised.
    std::vector<std::pair<TTabSheet*, TRect>> TabLayout() const;
    void ChangeByUser(TTabSheet* page);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    int FTabHeight = 0;
    int FTabWidth = 0;
};
