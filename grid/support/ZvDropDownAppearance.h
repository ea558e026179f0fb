#pragma once
// Settings of the header and footer strips of a drop-down's pop-up, with
// their button descriptions. Most setters only store: the pop-up copies the
// appearance at every opening. Only Visible and the button descriptions'
// Caption, Enabled and Width tell anybody about a change. The grid's option
// objects hold them too, which is why they live beside the grid.

#include "platform/Classes.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"

#include <memory>
#include <vector>

enum class TGradientDirection { gdHorizontal, gdVertical };
enum class TButtonAlignment { baLeft, baRight };
// Named colour sets for hot and selected items and selections; scCustom keeps the colours as set.
enum class TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };

class TDropDownButtonsBase;

// ---- Button descriptions -----------------------------------------------------------
class TDropDownButton : public TPersistent {
public:
    explicit TDropDownButton(TDropDownButtonsBase* collection) : FCollection(collection) {}

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // 0 = automatic.
    int Width() const { return FWidth; }
    void SetWidth(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    TDropDownButtonsBase* Collection() const { return FCollection; }

protected:
    void CopyCommon(const TDropDownButton& source);

private:
    void Changed();

    TDropDownButtonsBase* FCollection;
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FWidth = 0;
    int FHeight = 0;
};

class THeaderButton : public TDropDownButton {
public:
    using TDropDownButton::TDropDownButton;
    // From another header button; any other source raises the platform's assignment error.
    void Assign(TPersistent* source) override;
};

class TFooterButton : public TDropDownButton {
public:
    using TDropDownButton::TDropDownButton;
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    void Assign(TPersistent* source) override;

private:
    TModalResult FModalResult = mrNone;
};

// ---- Collections ---------------------------------------------------------------------
// OnChange fires only when an item's notifying setter changed it; adding,
// inserting, deleting or moving items fires nothing.
class TDropDownButtonsBase : public TPersistent {
public:
    explicit TDropDownButtonsBase(TPersistent* AOwner) : FOwner(AOwner) {}
    TPersistent* GetOwner() const { return FOwner; }
    void ItemChanged();
    TNotifyEvent OnChange;

private:
    TPersistent* FOwner;
};

template <class TItem>
class TDropDownButtons : public TDropDownButtonsBase {
public:
    using TDropDownButtonsBase::TDropDownButtonsBase;

    int Count() const { return int(FItems.size()); }
    TItem* Add() { return Insert(Count()); }
    // An index outside 0..Count inserts at the end.
    TItem* Insert(int index)
    {
        if (index < 0 || index > Count()) index = Count();
        FItems.insert(FItems.begin() + index, std::make_unique<TItem>(this));
        return FItems[std::size_t(index)].get();
    }
    void Delete(int index)
    {
        CheckIndex(index);
        FItems.erase(FItems.begin() + index);
    }
    void Clear() { FItems.clear(); }
    TItem* GetItem(int index) const
    {
        CheckIndex(index);
        return FItems[std::size_t(index)].get();
    }
    TItem* operator[](int index) const { return GetItem(index); }
    // Copies `value` into the item at `index`.
    void SetItem(int index, TItem* value) { GetItem(index)->Assign(value); }

    // Makes the items a copy of `source`'s, one by one.
    void Assign(TPersistent* source) override
    {
        auto* other = dynamic_cast<TDropDownButtons*>(source);
        if (!other) {
            TDropDownButtonsBase::Assign(source);
            return;
        }
        if (other == this) return;
        FItems.clear();
        for (const auto& item : other->FItems) Add()->Assign(item.get());
    }

private:
    void CheckIndex(int index) const
    {
        if (index < 0 || index >= Count())
            throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    }
    std::vector<std::unique_ptr<TItem>> FItems;
};

class THeaderButtons : public TDropDownButtons<THeaderButton> {
public:
    using TDropDownButtons::TDropDownButtons;
};

class TFooterButtons : public TDropDownButtons<TFooterButton> {
public:
    using TDropDownButtons::TDropDownButtons;
};

// ---- Appearances ----------------------------------------------------------------------
// What the header and footer appearances share; each class copies only from its own kind.
class TDropDownStripAppearance : public TPersistent {
public:
    explicit TDropDownStripAppearance(TPersistent* AOwner);
    ~TDropDownStripAppearance() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }
    // clNone: a solid Color.
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor value) { FColorTo = value; }
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value) { FCaption = value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection value) { FGradientDirection = value; }
    bool Visible() const { return FVisible; }
    // Notifies OnChange when the value changes.
    void SetVisible(bool value);
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value) { FBorderColor = value; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value) { FBorderWidth = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
    void SetButtonAlignment(TButtonAlignment value) { FButtonAlignment = value; }
    TPersistent* GetOwner() const { return FOwner; }

    TNotifyEvent OnChange;
    TNotifyEvent OnButtonsChanged;

protected:
    // The button collection of the concrete class.
    virtual TDropDownButtonsBase* ButtonsBase() const = 0;
    void WireButtons();
    // Assign and AssignColors of both classes, once the source is known to be of the same kind.
    void CopyFrom(TDropDownStripAppearance& source);
    void CopyColorsFrom(const TDropDownStripAppearance& source);
    // Hook for the footer's own field, copied before Visible.
    virtual void CopyOwnFields(const TDropDownStripAppearance&) {}

private:
    TPersistent* FOwner;
    TColor FColor = clSilver;
    TColor FColorTo = clWhite;
    String FCaption;
    std::unique_ptr<TFont> FFont;
    TGradientDirection FGradientDirection = TGradientDirection::gdVertical;
    bool FVisible = true;
    int FHeight = 22;
    TColor FBorderColor = clBlack;
    int FBorderWidth = 1;
    int FImageIndex = -1;
    TButtonAlignment FButtonAlignment = TButtonAlignment::baRight;
};

class THeaderAppearance : public TDropDownStripAppearance {
public:
    explicit THeaderAppearance(TPersistent* AOwner);
    ~THeaderAppearance() override;

    THeaderButtons* Buttons() const { return FButtons.get(); }
    void SetButtons(THeaderButtons* value) { FButtons->Assign(value); }
    // Only from a header appearance; any other source is ignored.
    void Assign(TPersistent* source) override;
    void AssignColors(TPersistent* source);

protected:
    TDropDownButtonsBase* ButtonsBase() const override { return FButtons.get(); }

private:
    std::unique_ptr<THeaderButtons> FButtons;
};

class TFooterAppearance : public TDropDownStripAppearance {
public:
    explicit TFooterAppearance(TPersistent* AOwner);
    ~TFooterAppearance() override;

    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool value) { FSizeGrip = value; }
    TFooterButtons* Buttons() const { return FButtons.get(); }
    void SetButtons(TFooterButtons* value) { FButtons->Assign(value); }
    // Only from a footer appearance; any other source is ignored.
    void Assign(TPersistent* source) override;
    void AssignColors(TPersistent* source);

protected:
    TDropDownButtonsBase* ButtonsBase() const override { return FButtons.get(); }
    void CopyOwnFields(const TDropDownStripAppearance& source) override;

private:
    bool FSizeGrip = true;
    std::unique_ptr<TFooterButtons> FButtons;
};
