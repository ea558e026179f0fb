#pragma once
// Routines that read and rewrite mini-HTML markup without drawing it: plain
// text of markup, highlighting found text, entities, the "<CONTROL" form
// controls of a cell, colour readers, the program-wide highlight colours and
// the small drawing aids of the renderer.

#include "platform/Graphics.h"
#include "platform/Types.h"

class QPainter;

// ---- Markup text ------------------------------------------------------------
// "<BR>" and "<HR>" become CR LF, other tags go; entities stay as written.
String StripHTMLTags(const String& markup);
// Wraps every occurrence of `search` in the visible text into <tag>...</tag>.
String HighlightHTMLText(const String& markup, const String& search, const String& tag, bool caseSensitive);
// Takes <tag> and </tag> out (any case), then "&lt;" and "&gt;" back to "<" and ">".
String UnhighlightHTMLText(const String& markup, const String& tag);
// "&", double quote, "<", ">" as entities; with `extended` also the accented
// letters and signs of the entity table. Single pass: "&amp;" becomes
// "&amp;amp;", which HTMLUnescape turns back into "&amp;".
String HTMLEscape(const String& text, bool extended);
String HTMLUnescape(const String& text, bool extended);
String SpaceToNbsp(const String& text);

// The background and text colours of the highlight tag, shared by the whole
// program (the last grid to set them wins).
void SetHTMLHighlightColors(TColor background, TColor text);
TColor HTMLHighlightBackground();
TColor HTMLHighlightTextColor();

// "clred", "clbtnface", ... (lower case); 0 for an unknown name.
TColor ColorFromHTMLName(const String& name);
// "#RRGGBB" with digits 0-9 and A-F (upper case).
TColor ColorFromHTMLHex(const String& text);
// The first two characters as hexadecimal digits; 0 for a shorter text.
int HexPairValue(const String& text);

// ---- Form controls in a cell ---------------------------------------------------
struct TControlTag {
    String Type;     // upper case
    String ID;
    String Value;    // unescaped
    String Width;
    String Height;
    String Prop;     // unescaped
    String MaxLen;
};
// Attributes of the text of one "<CONTROL ...>" tag; missing ones are empty.
TControlTag ParseControlTag(const String& tagText);
bool HasControlTag(const String& markup);
// The ID of the first control that takes typed text (not BUTTON, CHECK or RADIO)
// after the control `id`; with an empty `id` of the first such control.
String NextEditableControlID(const String& markup, const String& id);
String ClearRadioControls(const String& markup);
bool FindControlTag(const String& markup, const String& id, String& value);
String GetControlProp(const String& markup, const String& id);
// MAXLEN of the control; 0 without such a control.
int GetControlIntAttr(const String& markup, const String& id);
// Rewrites the control's tag with the new VALUE; false and `markup` unchanged
// when no control has the ID.
bool SetControlValue(String& markup, const String& id, const String& value);

// ---- Renderer aids -----------------------------------------------------------
// Replaces the first occurrence of `find` (letters a-z in any case); true when it did.
bool ReplaceFirstNoCase(String& text, const String& find, const String& replacement);
String UnwrapHashTags(const String& text);
String LineBreaksToBRTags(const String& text);
String PasswordMask(const String& value);

// The canvas font turned by `angle` degrees; RestoreRotatedFont puts back the
// font that was selected before.
struct TRotatedFontState {
    int Orientation = 0;
    bool Active = false;
};
TRotatedFontState SelectRotatedFont(TCanvas& canvas, int angle);
void RestoreRotatedFont(TCanvas& canvas, TRotatedFontState& state);

// The desktop's icon of a file or folder (or, for a numeric name, of one of
// the desktop's standard icon kinds) at (x, y); 16 or 32 pixels. `size`
// receives the icon size. With `print` the icon is stretched by `printScale`.
void DrawShellIcon(TCanvas& canvas, int x, int y, const String& name, bool large, bool draw, bool print,
                   double printScale, TSize& size);
void StretchBitmapToRect(TCanvas& canvas, const TRect& rect, TBitmap& bitmap);
// DrawText flags for right-to-left text on a right-to-left system locale:
// right alignment swapped with left, right-to-left reading added.
unsigned BiDiDrawFlags(unsigned format, bool rightToLeft);
unsigned BiDiDrawFlags(unsigned format, bool rightToLeft, bool rightToLeftLocale);
bool DirectoryExistsAt(const String& path);

// Run once at start-up; whether the platform is 5.1 or later.
void HTMLEngineInit();
bool HTMLEngineIsXP();
