#pragma once
// Panel, shape, image, bevel and link label.

#include "platform/FrameControls.h"
#include "platform/StdCtrls.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };
enum class TSysLinkType { sltURL, sltID };

// ---- Panel ------------------------------------------------------------------------
// A container with a raised or lowered bevel and a centred caption. With
// ParentBackground it shows its parent's colour instead of its own.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool value);

    // The colour the panel's face is painted in.
    TColor FaceColor() const;

protected:
    void Paint() override;

private:
    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TAlignment FAlignment = TAlignment::taCenter;
    bool FParentBackground = false;
    bool FShowCaption = true;
};

// ---- Shape ---------------------------------------------------------------------------
// A figure drawn with its pen and brush, fitted inside the control so that a
// wide pen stays within its bounds.
class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType value);
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* value) { FPen->Assign(value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* value) { FBrush->Assign(value); }

protected:
    void Paint() override;

private:
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TShapeType FShape = TShapeType::stRectangle;
};

// ---- Image ------------------------------------------------------------------------------
// Shows its picture at the top-left, centred, stretched to the control, or
// scaled down proportionally; with AutoSize the control takes the picture's size.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);

    TBitmap* Picture() const { return FPicture.get(); }
    void SetPicture(TBitmap* value) { FPicture->Assign(value); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

    // Where the picture lands in the control's client area.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();

    std::unique_ptr<TBitmap> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

// ---- Bevel ----------------------------------------------------------------------------------
class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = TBevelShape::bsBox;
    TBevelStyle FStyle = TBevelStyle::bsLowered;
};

// ---- Link label -------------------------------------------------------------------------------
using TSysLinkEvent = std::function<void(TObject* Sender, const String& Link, TSysLinkType LinkType)>;

// Shows a caption holding HTML anchors (<a href="...">text</a>): the anchor
// text is drawn as a link, the rest as plain text, and a click on a link
// reports its href (or, without one, its id).
class TLinkLabel : public TCustomControl {
public:
    explicit TLinkLabel(TComponent* AOwner);

    struct Piece {
        String Text;
        bool IsLink = false;
        String Href;
        String Id;
        TRect Bounds;   // where the text stands in the control
    };
    // The caption cut into plain and link pieces, laid out on one line.
    const std::vector<Piece>& Pieces() const { return FPieces; }
    // The link piece under a client point, nullptr when none.
    const Piece* LinkAt(int X, int Y) const;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TColor LinkColor() const { return FLinkColor; }
    void SetLinkColor(TColor value);

    TSysLinkEvent OnLinkClick;

    // The caption cut into pieces, without layout.
    static std::vector<Piece> Parse(const String& caption);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    virtual void DoOnLinkClick(const String& Link, TSysLinkType LinkType);

private:
    void Relayout();

    std::vector<Piece> FPieces;
    bool FAutoSize = true;
    bool FTransparent = false;
    TColor FLinkColor = clHotLight;
    int FPressedLink = -1;
};
