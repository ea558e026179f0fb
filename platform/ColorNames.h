#pragma once
// Colours as text, the way stored looks write them.

#include "platform/Graphics.h"

// A colour as text: its name when it has one ("clRed", "clWindow", "clNone"),
// else "$" and eight hexadecimal digits. The reverse takes a name (any case)
// or any integer text; anything else raises EConvertError.
String ColorToString(TColor color);
TColor StringToColor(const String& text);
