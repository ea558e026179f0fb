#pragma once
// The header and footer strips of the pop-up: a background (solid or
// gradient), a border, an optional image and a mini-HTML caption, and a row
// of TZvButtons built from the appearance's button descriptions; the footer
// can show a size grip. Each strip keeps its own copy of the edit's
// appearance, taken at every opening (LinkDropDown).
//
// A strip rebuilds its buttons when the edit reports a change while open. A
// button handler may cause that rebuild (a caption, Enabled, Width or the
// strip's visibility changed from inside the click): the rebuild then waits
// until the click has returned, so the clicked button is never freed under it.

#include "dropdowns/base/ZvDropDownTypes.h"
#include "platform/Controls.h"

#include <vector>

class TZvButton;
class TZvCustomDropDown;
class TCustomImageList;

// A list of pointers whose reads and writes at or beyond Count raise.
class TDbgList {
public:
    int Count() const { return int(FItems.size()); }
    void Add(void* item) { FItems.push_back(item); }
    void Clear() { FItems.clear(); }
    void Delete(int index);
    void AssignList(const TDbgList& list) { FItems = list.FItems; }
    void* GetItemsEx(int index) const;
    void SetItemsEx(int index, void* value);

private:
    std::vector<void*> FItems;
};

class TZvDropDownStrip : public TCustomControl {
public:
    explicit TZvDropDownStrip(TComponent* AOwner);
    ~TZvDropDownStrip() override;

    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    TZvCustomDropDown* ZvDropDown() const { return FZvDropDown; }
    // The edit's appearance copied into the strip's own; without an edit no images.
    void LinkDropDown(TZvCustomDropDown* edit);
    int ButtonCount() const { return FButtonList.Count(); }
    TZvButton* ButtonControl(int index) const;
    // True while a strip button's click runs (a rebuild then waits for it).
    bool InButtonClick() const { return FClickDepth > 0; }

    virtual void BuildButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    virtual void RefreshButtons();
    virtual TDropDownStripAppearance* StripAppearance() const = 0;
    // Where the buttons stand, in client coordinates.
    virtual TRect ButtonArea() const;

    // Copies the edit's header or footer appearance into the strip's own.
    virtual void TakeAppearanceOf(TZvCustomDropDown* edit) = 0;

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    void Paint() override;
    void WMSize(TWMSize& Message) override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual bool IsFooter() const = 0;
    virtual int DescriptionCount() const = 0;
    virtual TDropDownButton* Description(int index) const = 0;
    virtual TModalResult DescriptionResult(int) const { return mrNone; }
    virtual void FireButtonClick(int index) = 0;
    virtual void PaintBorder(TCanvas& canvas, const TRect& r);
    virtual void PaintExtra(TCanvas&) {}
    void AppearanceChanged();

    TZvCustomDropDown* FZvDropDown = nullptr;

private:
    void ButtonClicked(TObject* Sender);

    TCustomImageList* FImages = nullptr;
    TDbgList FButtonList;
    int FClickDepth = 0;
    bool FRebuildPending = false;
};

class TZvHeader : public TZvDropDownStrip {
public:
    explicit TZvHeader(TComponent* AOwner);
    ~TZvHeader() override;
    THeaderAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(THeaderAppearance* value);
    THeaderButtons* Buttons() const;
    TDropDownStripAppearance* StripAppearance() const override { return FAppearance.get(); }
    TRect ButtonArea() const override;
    void TakeAppearanceOf(TZvCustomDropDown* edit) override;

protected:
    bool IsFooter() const override { return false; }
    int DescriptionCount() const override;
    TDropDownButton* Description(int index) const override;
    void FireButtonClick(int index) override;
    void PaintBorder(TCanvas& canvas, const TRect& r) override;

private:
    std::unique_ptr<THeaderAppearance> FAppearance;
};

class TZvFooter : public TZvDropDownStrip {
public:
    explicit TZvFooter(TComponent* AOwner);
    ~TZvFooter() override;
    TFooterAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(TFooterAppearance* value);
    TFooterButtons* Buttons() const;
    TDropDownStripAppearance* StripAppearance() const override { return FAppearance.get(); }
    TRect ButtonArea() const override;
    void TakeAppearanceOf(TZvCustomDropDown* edit) override;
    // The grip shows and sizes: the appearance asks for it and the edit is sizeable.
    bool GripActive() const;
    // The pointer is in the grip's corner (client coordinates).
    bool InGripZone(int X, int Y) const;

protected:
    bool IsFooter() const override { return true; }
    int DescriptionCount() const override;
    TDropDownButton* Description(int index) const override;
    TModalResult DescriptionResult(int index) const override;
    void FireButtonClick(int index) override;
    void PaintBorder(TCanvas& canvas, const TRect& r) override;
    void PaintExtra(TCanvas& canvas) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void RestoreCursor();
    std::unique_ptr<TFooterAppearance> FAppearance;
    TCursor FOldCursor = crDefault;
};
