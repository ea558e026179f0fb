#pragma once
// What the StdCtrls*.cpp files share and nobody else sees.

#include "platform/Controls.h"
#include "platform/TextCodec.h"

#include <QValidator>

namespace StdCtrlsPrivate {

// Keeps out of a line edit what no file of the program can hold, however the
// user brings it in (a key, an input method, a paste, a drop); the caret
// stays behind what was kept of the text before it. The control's own writes
// come with the line edit's signals blocked and stand as the program set them.
class StorableTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        if (!parent()->signalsBlocked() && FirstUnstorableChar(input) >= 0) {
            pos = int(DropUnstorableChars(input.left(pos)).size());
            input = DropUnstorableChars(input);
        }
        return Acceptable;
    }
};

enum class ColorRole { Input, Caption, Button };

// An input field shows the control's colour behind the font's colour; a
// caption (check box, radio button) only takes the font's colour and lets
// its parent show through; a push button keeps its face.
void ApplyColors(TWinControl* control, ColorRole role);

} // namespace StdCtrlsPrivate
