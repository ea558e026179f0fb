#pragma once
// The one-off cursor a control shows while the mouse is over one spot of it.

#include "platform/Controls.h"

// Shows the cursor over the control's window now: the control's Cursor
// property is left alone and takes over again on its next change.
void ShowCursorNow(TWinControl* control, TCursor cursor);
