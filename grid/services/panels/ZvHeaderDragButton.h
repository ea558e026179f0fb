#pragma once

#include "platform/Controls.h"

// The button drawn under the pointer while a column or row header is dragged.
class THeaderDragButton : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};
