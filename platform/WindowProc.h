#pragma once
// A control's window procedure as others may replace it: every message sent
// to the control (Perform, SendMessage, and the messages its window's events
// become) goes to the procedure set here instead of the control's WndProc.
// The one who replaces it keeps the procedure it found and hands it the
// messages it does not answer itself, and puts it back when done.

#include "platform/Messages.h"

#include <functional>

class TControl;

using TWndMethod = std::function<void(TMessage& Message)>;

// The control's procedure now: the replacement set last, or its own WndProc.
TWndMethod GetWindowProc(TControl* Control);
// Replaces the control's procedure; an empty one gives it back its own.
void SetWindowProc(TControl* Control, TWndMethod Proc);
// Whether the control's procedure is replaced.
bool WindowProcReplaced(const TControl* Control);
