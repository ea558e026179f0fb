#pragma once

#include "platform/Controls.h"

// A thin scroll bar of the grid's own, for the ssMetro scroll type; Direction 0
// is vertical (at the right edge), 1 horizontal (at the bottom edge).
class TScrollControl : public TCustomControl {
public:
    explicit TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}
    int Direction = 0;
};
