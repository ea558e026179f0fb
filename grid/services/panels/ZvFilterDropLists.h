#pragma once

#include "platform/Controls.h"

// The header filter drop-down list and check list; picking runs OnSelect.
class TDropList : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TNotifyEvent OnSelect;
};

class TDropCheckList : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TNotifyEvent OnSelect;
};
