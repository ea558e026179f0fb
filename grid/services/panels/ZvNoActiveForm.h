#pragma once
// The borderless form that carries the picture of dragged cells: it never
// takes the focus or activation from the window the drag started in, so a
// click through it reaches what lies below.

#include "platform/Forms.h"

class TNoActiveForm : public TForm {
public:
    explicit TNoActiveForm(TComponent* AOwner);

protected:
    void WndProc(TMessage& Message) override;
};
