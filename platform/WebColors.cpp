// Looking up the named web colours by value.
#include "platform/WebColors.h"

String WebColorName(TColor value)
{
    for (const TWebNamedColor& c : WebNamedColors)
        if (c.Value == value) return QString::fromLatin1(c.Name);
    return String();
}
