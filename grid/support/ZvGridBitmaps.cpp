// The grid's built-in pictures: check boxes, radio buttons, the filter, tree
// and close glyphs. They are our own drawings, kept as XPM text beside the
// other resources and registered under the names the painters ask for.

#include "grid/support/ZvDrawRoutines.h"

#include "platform/Pictures.h"

#include <mutex>

namespace {
#include "resources/bitmaps/ASGCHK01.xpm"
#include "resources/bitmaps/ASGCHK02.xpm"
#include "resources/bitmaps/ASGCHK03.xpm"
#include "resources/bitmaps/ASGCHK04.xpm"
#include "resources/bitmaps/ASGCHK05.xpm"
#include "resources/bitmaps/ASGCHK06.xpm"
#include "resources/bitmaps/ASGCHK07.xpm"
#include "resources/bitmaps/ASGCHK08.xpm"
#include "resources/bitmaps/ASGCLOSE.xpm"
#include "resources/bitmaps/ASGFILT.xpm"
#include "resources/bitmaps/ASGLEAFCLOSE.xpm"
#include "resources/bitmaps/ASGLEAFOPEN.xpm"
#include "resources/bitmaps/ASGRAD01.xpm"
#include "resources/bitmaps/ASGRAD02.xpm"
#include "resources/bitmaps/ASGRAD03.xpm"
#include "resources/bitmaps/ASGRAD04.xpm"
#include "resources/bitmaps/ASGRAD05.xpm"
#include "resources/bitmaps/ASGRAD06.xpm"
#include "resources/bitmaps/ASGRAD07.xpm"
#include "resources/bitmaps/ASGRAD08.xpm"
#include "resources/bitmaps/XPNODEC.xpm"
#include "resources/bitmaps/XPNODEO.xpm"
#include "resources/bitmaps/metrocheckoff.xpm"
#include "resources/bitmaps/metrocheckon.xpm"
#include "resources/bitmaps/metroradiooff.xpm"
#include "resources/bitmaps/metroradioon.xpm"

struct TNamedPicture {
    const char* Name;
    const char* const* Data;
};

const TNamedPicture GridPictures[] = {
    {"ASGCHK01", ASGCHK01_xpm},
    {"ASGCHK02", ASGCHK02_xpm},
    {"ASGCHK03", ASGCHK03_xpm},
    {"ASGCHK04", ASGCHK04_xpm},
    {"ASGCHK05", ASGCHK05_xpm},
    {"ASGCHK06", ASGCHK06_xpm},
    {"ASGCHK07", ASGCHK07_xpm},
    {"ASGCHK08", ASGCHK08_xpm},
    {"ASGCLOSE", ASGCLOSE_xpm},
    {"ASGFILT", ASGFILT_xpm},
    {"ASGLEAFCLOSE", ASGLEAFCLOSE_xpm},
    {"ASGLEAFOPEN", ASGLEAFOPEN_xpm},
    {"ASGRAD01", ASGRAD01_xpm},
    {"ASGRAD02", ASGRAD02_xpm},
    {"ASGRAD03", ASGRAD03_xpm},
    {"ASGRAD04", ASGRAD04_xpm},
    {"ASGRAD05", ASGRAD05_xpm},
    {"ASGRAD06", ASGRAD06_xpm},
    {"ASGRAD07", ASGRAD07_xpm},
    {"ASGRAD08", ASGRAD08_xpm},
    {"XPNODEC", XPNODEC_xpm},
    {"XPNODEO", XPNODEO_xpm},
    {"metrocheckoff", metrocheckoff_xpm},
    {"metrocheckon", metrocheckon_xpm},
    {"metroradiooff", metroradiooff_xpm},
    {"metroradioon", metroradioon_xpm},
};

} // namespace

void RegisterGridBitmaps()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const TNamedPicture& p : GridPictures) {
            const char* const* data = p.Data;
            RegisterBitmapResource(p.Name, [data] { return QImage(data).convertToFormat(QImage::Format_RGB32); });
        }
    });
}
