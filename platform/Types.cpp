#include "platform/Types.h"

#include <algorithm>

bool IntersectRect(TRect& dest, const TRect& a, const TRect& b)
{
    dest = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (dest.IsEmpty()) {
        dest = {};
        return false;
    }
    return true;
}

bool UnionRect(TRect& dest, const TRect& a, const TRect& b)
{
    if (a.IsEmpty()) dest = b;
    else if (b.IsEmpty()) dest = a;
    else dest = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
    if (dest.IsEmpty()) {
        dest = {};
        return false;
    }
    return true;
}

bool PtInRect(const TRect& r, const TPoint& p) { return r.Contains(p); }

void InflateRect(TRect& r, int dx, int dy)
{
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}

void OffsetRect(TRect& r, int dx, int dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}
