#include "dropdowns/calculator/ZvButtonPanel.h"

#include "dropdowns/base/ZvCustomDropDown.h"
#include "platform/DrawText.h"
#include "platform/ImgList.h"
#include "platform/Themes.h"

#include <algorithm>

// ---- Items ------------------------------------------------------------------------------------
TButtonItem::TButtonItem(TButtonItems* collection) : FCollection(collection), FImage(std::make_unique<TPicture>()) {}

TButtonItem::~TButtonItem() = default;

int TButtonItem::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TButtonItem::SetRect(int left, int top, int width, int height)
{
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

void TButtonItem::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TButtonItem*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FCaption = other->FCaption;
    FCaptionColor = other->FCaptionColor;
    FTag = other->FTag;
    FImageIndex = other->FImageIndex;
    FImage->Assign(other->FImage.get());
    FEnabled = other->FEnabled;
    FName = other->FName;
}

TButtonItem* TButtonItems::Add()
{
    FItems.push_back(std::make_unique<TButtonItem>(this));
    return FItems.back().get();
}

TButtonItem* TButtonItems::Insert(int Index)
{
    if (Index < 0 || Index > Count()) Index = Count();
    auto it = FItems.insert(FItems.begin() + Index, std::make_unique<TButtonItem>(this));
    return it->get();
}

TButtonItem* TButtonItems::GetItem(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[size_t(Index)].get();
}

int TButtonItems::IndexOf(const TButtonItem* item) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)].get() == item) return i;
    return -1;
}

void TButtonItems::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TButtonItems*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    FItems.clear();
    for (int i = 0; i < other->Count(); ++i) Add()->Assign(other->GetItem(i));
}

// ---- Appearance ---------------------------------------------------------------------------------
TButtonAppearance::TButtonAppearance() : FFont(std::make_unique<TFont>())
{
    FFont->SetSize(10);
    FFont->SetStyle(TFontStyles{TFontStyle::fsBold});
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::Store(TColor& field, TColor value)
{
    if (field == value) return;
    field = value;
    if (OnChange) OnChange(this);
}

void TButtonAppearance::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TButtonAppearance*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FBorderColor = other->FBorderColor;
    FBorderColorHot = other->FBorderColorHot;
    FBorderColorDown = other->FBorderColorDown;
    FColor = other->FColor;
    FColorTo = other->FColorTo;
    FColorHot = other->FColorHot;
    FColorHotTo = other->FColorHotTo;
    FColorDown = other->FColorDown;
    FColorDownTo = other->FColorDownTo;
    FTextColor = other->FTextColor;
    FSpecialTextColor = other->FSpecialTextColor;
    FShineColor = other->FShineColor;
    FGlowColorHot = other->FGlowColorHot;
    FGlowColorDown = other->FGlowColorDown;
    FFont->Assign(other->FFont.get());
    if (OnChange) OnChange(this);
}

// ---- Panel ----------------------------------------------------------------------------------------
namespace {
struct TKeyDef {
    const char* Caption;
    const char* Name;
    int Tag;
    bool Special;
};
// In collection order; the layout addresses them by these indices.
constexpr TKeyDef CalculatorKeys[28] = {
    {"", "BTN_ON", 30, false},     {"Back", "BTN_BACK", 31, true}, {"CE", "BTN_CE", 32, true},
    {"C", "BTN_C", 16, true},      {"MC", "BTN_MC", 33, true},     {"MR", "BTN_MR", 34, true},
    {"MS", "BTN_MS", 35, true},    {"M+", "BTN_M+", 36, true},     {"0", "BTN_0", 0, false},
    {"1", "BTN_1", 1, false},      {"4", "BTN_4", 4, false},       {"7", "BTN_7", 7, false},
    {"8", "BTN_8", 8, false},      {"5", "BTN_5", 5, false},       {"2", "BTN_2", 2, false},
    {"+/-", "BTN_+/-", 14, false}, {".", "BTN_.", 15, false},      {"3", "BTN_3", 3, false},
    {"6", "BTN_6", 6, false},      {"9", "BTN_9", 9, false},       {"/", "BTN_/", 13, true},
    {"*", "BTN_*", 12, true},      {"-", "BTN_-", 11, true},       {"+", "BTN_+", 10, true},
    {"=", "BTN_=", 17, true},      {"1/x", "BTN_1/x", 38, false},  {"%", "BTN_%", 18, false},
    {"sqrt", "BTN_sqrt", 37, true},
};
// Row 1 to 4 of the key grid by column: the index of each key.
constexpr int KeyGrid[4][6] = {
    {4, 11, 12, 19, 20, 27},
    {5, 10, 13, 18, 21, 26},
    {6, 9, 14, 17, 22, 25},
    {7, 8, 15, 16, 23, 24},
};
} // namespace

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner), FButtons(std::make_unique<TButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>())
{
    SetDoubleBuffered(true);
    FButtons->OnChange = [this](TObject*) { Invalidate(); };
    FButtonAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
}

TCustomButtonPanel::~TCustomButtonPanel()
{
    FButtonAppearance->OnChange = nullptr;
    FButtons->OnChange = nullptr;
}

void TCustomButtonPanel::AppearanceChanged()
{
    // Inside a drop-down the owner repaints when it opens.
    if (!FZvDropDown) Invalidate();
}

void TCustomButtonPanel::Loaded()
{
    if (!FZvDropDown) CreateDefaultButtons();
}

void TCustomButtonPanel::SetImages(TCustomImageList* value)
{
    if (value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages) FImages->FreeNotification(this);
    LayoutButtons();
}

void TCustomButtonPanel::SetEdit(TWinControl* value)
{
    if (value == FEdit) return;
    if (FEdit) FEdit->RemoveFreeNotification(this);
    FEdit = value;
    if (FEdit) FEdit->FreeNotification(this);
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType value)
{
    if (value == FButtonPanelType) return;
    FButtonPanelType = value;
    LayoutButtons();
}

void TCustomButtonPanel::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove || Destroying()) return;
    if (component == FImages) SetImages(nullptr);
    if (component == FEdit) SetEdit(nullptr);
}

void TCustomButtonPanel::ClearButtons() { FButtons->Clear(); }

void TCustomButtonPanel::ResetButtons()
{
    ClearButtons();
    CreateDefaultButtons();
}

void TCustomButtonPanel::CreateDefaultButtons()
{
    if (FButtons->Count() > 0) return;
    if (FButtonPanelType == TButtonPanelType::plCalculator) {
        for (const TKeyDef& k : CalculatorKeys) {
            TButtonItem* item = FButtons->Add();
            item->SetCaption(QString::fromLatin1(k.Caption));
            item->SetName(QString::fromLatin1(k.Name));
            item->SetTag(k.Tag);
            item->SetSpecial(k.Special);
            if (k.Special) item->SetCaptionColor(0x80);
        }
    }
    LayoutButtons();
}

void TCustomButtonPanel::GetButtonArea(TRect& R) const
{
    R = ClientRect();
    R.Left += FOffSetX;
    R.Right -= FOffSetX;
    R.Top += FOffSetY;
    R.Bottom -= FOffSetY;
}

void TCustomButtonPanel::LayoutButtons()
{
    if (FButtonPanelType != TButtonPanelType::plCalculator || FButtons->Count() == 0) return;
    // A partial set (the user cleared or removed keys) is left where it stands.
    if (FButtons->Count() < 28) return;
    TRect a;
    GetButtonArea(a);
    constexpr int g = 4;
    const int w = (a.Width() - 2 * g) / 6;
    const int h = (a.Height() - g) / 5;
    int rows[5];
    rows[0] = a.Top;
    rows[1] = rows[0] + h + g;
    for (int r = 2; r < 5; ++r) rows[r] = rows[r - 1] + h - 1;
    int cols[6];
    cols[0] = a.Left;
    cols[1] = cols[0] + w + g;
    cols[2] = cols[1] + w - 1;
    cols[3] = cols[2] + w - 1;
    cols[4] = cols[3] + w + g;
    cols[5] = cols[4] + w - 1;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c) FButtons->GetItem(KeyGrid[r][c])->SetRect(cols[c], rows[r + 1], w, h);
    FButtons->GetItem(0)->SetRect(cols[0], rows[0], w, h);
    const int x = cols[1];
    const int right = cols[5] + w;
    const int w3 = (right - x - 2 * g) / 3;
    FButtons->GetItem(1)->SetRect(x, rows[0], w3, h);
    FButtons->GetItem(2)->SetRect(x + w3 + g, rows[0], w3, h);
    const int cLeft = x + 2 * (w3 + g);
    FButtons->GetItem(3)->SetRect(cLeft, rows[0], right - cLeft, h);
    Invalidate();
}

void TCustomButtonPanel::GetButtonSize(TSize& Size)
{
    int glyphW = 0, glyphH = 0, textW = 0, textH = 0;
    TCanvas* canvas = Canvas();
    canvas->SetFont(FButtonAppearance->Font());
    for (int i = 0; i < FButtons->Count(); ++i) {
        TButtonItem* b = FButtons->GetItem(i);
        if (b->Image()->Graphic() && !b->Image()->Graphic()->Empty()) {
            glyphW = std::max(glyphW, b->Image()->Width());
            glyphH = std::max(glyphH, b->Image()->Height());
        } else if (FImages && b->ImageIndex() >= 0) {
            glyphW = std::max(glyphW, FImages->Width());
            glyphH = std::max(glyphH, FImages->Height());
        }
        if (!b->Caption().isEmpty()) {
            textW = std::max(textW, canvas->TextWidth(b->Caption()));
            textH = std::max(textH, canvas->TextHeight(b->Caption()));
        }
    }
    const int gap = (glyphW > 0 && textW > 0) ? FCaptionGap : 0;
    if (FButtonLayout == TItemLayout::ilCaptionLeft || FButtonLayout == TItemLayout::ilCaptionRight) {
        Size.cx = 2 * FButtonOffSetX + glyphW + (textW > 0 ? gap + textW : 0);
        Size.cy = std::max(glyphH, textH) + 2 * FButtonOffSetY;
    } else {
        Size.cx = std::max(glyphW, textW) + 2 * FButtonOffSetX;
        Size.cy = 2 * FButtonOffSetY + glyphH + (textH > 0 ? gap + textH : 0);
    }
}

TRect TCustomButtonPanel::GetButtonRect(int Index) const
{
    if (Index < 0 || Index >= FButtons->Count()) return Rect(-1, -1, -1, -1);
    return FButtons->GetItem(Index)->GetRect();
}

int TCustomButtonPanel::ButtonAt(int X, int Y) const
{
    for (int i = 0; i < FButtons->Count(); ++i) {
        const TRect r = FButtons->GetItem(i)->GetRect();
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) return i;
    }
    return -1;
}

bool TCustomButtonPanel::Enabled(int Index) const
{
    return Index >= 0 && Index < FButtons->Count() && FButtons->GetItem(Index)->Enabled();
}

void TCustomButtonPanel::InvalidateButton(int Index)
{
    if (Index < 0 || Index >= FButtons->Count()) return;
    TRect r = FButtons->GetItem(Index)->GetRect();
    r.Left -= 8;
    r.Top -= 8;
    r.Right += 8;
    r.Bottom += 8;
    InvalidateRect(r);
}

void TCustomButtonPanel::DoButtonClick(int Index)
{
    if (OnButtonClick) OnButtonClick(this, Index);
}

void TCustomButtonPanel::DrawButton(int Index, TCanvas* Canvas)
{
    if (!Canvas || Index < 0 || Index >= FButtons->Count()) return;
    TButtonItem* b = FButtons->GetItem(Index);
    const TRect r = b->GetRect();
    if (r.Left < 0 && r.Right < 0) return;
    Canvas->FillRect(r);
    int state = PBS_NORMAL;
    if (!TControl::Enabled()) state = PBS_DISABLED;
    else if (Index == FButtonDown) state = PBS_PRESSED;
    else if (Index == FButtonHot) state = PBS_HOT;
    if (HTHEME theme = OpenThemeData(this, QStringLiteral("button"))) {
        DrawThemeBackground(theme, *Canvas, BP_PUSHBUTTON, state, r);
        CloseThemeData(theme);
    }

    TGraphic* picture = b->Image()->Graphic();
    const bool hasPicture = picture && !picture->Empty();
    const bool hasListGlyph = !hasPicture && FImages && b->ImageIndex() >= 0;
    const int gw = hasPicture ? picture->Width() : hasListGlyph ? FImages->Width() : 0;
    const int gh = hasPicture ? picture->Height() : hasListGlyph ? FImages->Height() : 0;
    auto drawGlyph = [&](int x, int y) {
        if (hasPicture) Canvas->Draw(x, y, picture);
        else if (hasListGlyph) FImages->Draw(*Canvas, x, y, b->ImageIndex(), b->Enabled());
    };

    TRect inner = Rect(r.Left + FButtonOffSetX, r.Top + FButtonOffSetY, r.Right - FButtonOffSetX,
                       r.Bottom - FButtonOffSetY);
    Canvas->SetFont(FButtonAppearance->Font());
    Canvas->Font()->SetColor(b->Special() ? FButtonAppearance->SpecialTextColor() : FButtonAppearance->TextColor());
    Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    const bool glyph = gw > 0;
    const String caption = b->Caption();
    const unsigned oneLine = DT_SINGLELINE | DT_VCENTER | (glyph ? DT_LEFT : DT_CENTER);
    const int midY = inner.Top + (inner.Height() - gh) / 2;
    switch (FButtonLayout) {
    case TItemLayout::ilCaptionLeft:
        if (!caption.isEmpty()) {
            TRect t = inner;
            t.Right -= gw;
            DrawText(*Canvas, caption, t, oneLine);
            drawGlyph(inner.Left + Canvas->TextWidth(caption) + FCaptionGap, midY);
        } else {
            drawGlyph(inner.Left, midY);
        }
        break;
    case TItemLayout::ilCaptionRight: {
        drawGlyph(inner.Left, midY);
        TRect t = inner;
        if (glyph) t.Left += gw + FCaptionGap;
        DrawText(*Canvas, caption, t, oneLine);
        break;
    }
    case TItemLayout::ilCaptionTop:
        if (!caption.isEmpty()) {
            TRect t = inner;
            t.Bottom -= gh;
            DrawText(*Canvas, caption, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
            drawGlyph(inner.Left, inner.Top + Canvas->TextHeight(caption) + FCaptionGap);
        } else {
            drawGlyph(inner.Left, midY);
        }
        break;
    case TItemLayout::ilCaptionBottom:
        if (!caption.isEmpty()) {
            drawGlyph(inner.Left, inner.Top);
            TRect t = inner;
            t.Top += gh + FCaptionGap;
            DrawText(*Canvas, caption, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        } else {
            drawGlyph(inner.Left, midY);
        }
        break;
    }
    Canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TCustomButtonPanel::Paint()
{
    TCustomControl::Paint();
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas->FillRect(ClientRect());
    if (!FZvDropDown) {
        canvas->Brush()->SetStyle(TBrushStyle::bsClear);
        canvas->Pen()->SetColor(clBlack);
        canvas->Pen()->SetWidth(1);
        canvas->Rectangle(ClientRect());
        canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    }
    for (int i = 0; i < FButtons->Count(); ++i) {
        if (i == FButtonHot) continue;
        canvas->Brush()->SetColor(Color());
        DrawButton(i, canvas);
    }
    canvas->Brush()->SetColor(Color());
    DrawButton(FButtonHot, canvas);
}

void TCustomButtonPanel::SetHotIndex(int Index)
{
    if (Index == FButtonHot || (Index >= 0 && !Enabled(Index))) return;
    if (Index >= FButtons->Count()) return;
    if (FButtonHot >= 0) InvalidateButton(FButtonHot);
    FButtonHot = Index;
    if (Index >= 0) {
        Canvas()->Brush()->SetColor(Color());
        DrawButton(Index, Canvas());
    }
}

void TCustomButtonPanel::SetDownIndex(int Index)
{
    if (Index == FButtonDown || (Index >= 0 && !Enabled(Index))) return;
    if (Index >= FButtons->Count()) return;
    if (FButtonDown >= 0) InvalidateButton(FButtonDown);
    FButtonDown = Index;
    if (Index >= 0) {
        Canvas()->Brush()->SetColor(Color());
        DrawButton(Index, Canvas());
    }
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const int i = ButtonAt(X, Y);
    if (i >= 0 && Enabled(i)) SetDownIndex(i);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const int i = ButtonAt(X, Y);
    if (i < 0) SetHotIndex(-1);
    else if (i != FButtonHot) SetHotIndex(Enabled(i) ? i : -1);
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FButtonDown < 0) return;
    const int pressed = FButtonDown;
    const bool counted = ButtonAt(X, Y) == pressed;
    SetDownIndex(-1);
    if (counted) DoButtonClick(pressed);
}

void TCustomButtonPanel::CMMouseLeave(TMessage& Message)
{
    TCustomControl::CMMouseLeave(Message);
    SetHotIndex(-1);
}

void TCustomButtonPanel::Resize()
{
    TCustomControl::Resize();
    LayoutButtons();
}
