#pragma once
// The mini-HTML renderer: one layout that draws markup into a rectangle,
// measures it, or finds the anchor, picture or form control under a point.
// Measuring and drawing go through the same line layout, so what a measuring
// call reports is what a drawing call paints.

#include "platform/Graphics.h"
#include "platform/Types.h"

#include <functional>

class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;

struct THTMLDrawParams {
    TCustomImageList* Images = nullptr;   // "IDX:" pictures
    int XPos = -1;                        // point to test; -1 (or 0, 0) for none
    int YPos = -1;
    int FocusLink = -1;                   // zero-based anchor with keyboard focus
    int HoverLink = -1;                   // one-based anchor under the mouse
    int ShadowOffset = 1;
    bool CheckHotSpot = false;            // hit-test only: nothing is drawn
    bool MeasureOnly = false;
    bool Print = false;
    bool Selected = false;                // anchors and FONT colours are left alone
    bool BlinkOn = true;
    bool HoverStyle = false;
    bool WordWrap = false;
    bool Down = false;
    double ResFactor = 1.0;
    TColor URLColor = clBlue;
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    TColor ShadowColor = clGray;
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* Pictures = nullptr;
    bool RightToLeft = false;
};

struct THTMLDrawResult {
    String AnchorVal;      // HREF under the point, "ctrl" over a form control; kept when nothing is hit
    String StripVal;       // plain text as laid out, a CR per line break
    String FocusAnchor;
    String AnchorTitle;
    int XSize = 0;
    int YSize = 0;
    int HyperLinks = 0;
    int MouseLink = -1;
    TRect HoverRect;       // kept when nothing is hit
    TRect ControlRect;
    String ControlID;      // in/out with CheckHotSpot: the control to find
    String ControlValue;
    String ControlType;
};

// True when the point lies on a form control, on a picture inside a link,
// or (with CheckHotSpot) on a link's text. Always false with MeasureOnly.
bool DrawHTMLText(TCanvas& Canvas, const String& Text, const TRect& Rect, const THTMLDrawParams& Params,
                  THTMLDrawResult& Result);

// The classic form with every argument in its place.
bool DrawHTMLText(TCanvas& Canvas, const String& Text, const TRect& Rect, TCustomImageList* Images, int XPos,
                  int YPos, int FocusLink, int HoverLink, int ShadowOffset, bool CheckHotSpot, bool MeasureOnly,
                  bool Print, bool Selected, bool BlinkOn, bool HoverStyle, bool WordWrap, bool Down,
                  double ResFactor, TColor URLColor, TColor HoverColor, TColor HoverFontColor, TColor ShadowColor,
                  String& AnchorVal, String& StripVal, String& FocusAnchor, String& AnchorTitle, int& XSize,
                  int& YSize, int& HyperLinks, int& MouseLink, TRect& HoverRect, TRect& ControlRect,
                  String& ControlID, String& ControlValue, String& ControlType, THTMLPictureCache* PictureCache,
                  TPictureContainer* Pictures, void* ThemeWindow, bool RightToLeft);

// ---- Following anchors ---------------------------------------------------------------
// Markup comes from configuration files, so an anchor is opened only for the
// schemes a user expects a click to open.
enum class THTMLAnchorKind { akRefused, akWeb, akCell };

// akWeb for http:, https: and mailto: (any case), akCell for "cell://R<row>C<col>"
// (row and column then set), akRefused for every other scheme and plain paths.
THTMLAnchorKind ClassifyHTMLAnchor(const String& href, int* row = nullptr, int* col = nullptr);
// Moves to the cell a cell anchor names; false when there is no such cell to
// move to. The markup knows nothing of grids: whoever shows the text hands
// this down.
using THTMLGotoCell = std::function<bool(int ACol, int ARow)>;
// Opens a web anchor through the platform's link seam; hands a cell anchor
// to GotoCell. False when nothing was done.
bool FollowHTMLAnchor(const String& href, const THTMLGotoCell& GotoCell = {});
