#pragma once
// The small types every part of the drop-down framework names: positions,
// text kinds, label places and the event signatures (Sender first; results
// come back through reference arguments, and an unassigned event leaves the
// default in place).

#include "grid/support/ZvDropDownAppearance.h"
#include "grid/support/ZvStyles.h"
#include "platform/Graphics.h"

#include <functional>

class TObject;
class TCanvas;

enum class TDropPosition { dpAuto, dpDown, dpUp };

enum class TDropDownEditType {
    etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney, etRange, etHex,
    etAlphaNumeric, etValidChars
};

enum class TLabelPosition {
    lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
    lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight,
    lpBottomRight
};

using TDropDown = std::function<void(TObject* Sender, bool& AcceptDrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, int ButtonIndex)>;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;
// The part of the value that is copied, cut or would stand after a paste; Allow false refuses.
using TEditClipboardEvent = std::function<void(TObject* Sender, String& Value, bool& Allow)>;
using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R, int Index)>;
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;
