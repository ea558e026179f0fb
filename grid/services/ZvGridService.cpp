#include "grid/services/ZvGridService.h"

#include "grid/ZvBaseGrid.h"

void NotBuilt(const char* What)
{
    throw EZvGridError(QStringLiteral("%1 is not built yet").arg(QLatin1String(What)));
}
