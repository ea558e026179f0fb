// HTML and XML export and import: the service's state and the grid's members that front it.

#include "grid/services/ZvGridHTMLXML.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

TZvGridHTMLXML::TZvGridHTMLXML(TZvStringGrid* AGrid)
    : TZvGridService(AGrid),
      FHTMLSettings(std::make_unique<THTMLSettings>())
{
}

TZvGridHTMLXML& TZvStringGrid::HTMLXMLService() const { return MadeOnFirstUse(d->FHTMLXMLService, this); }

const String& TZvStringGrid::XMLEncoding() const { return HTMLXMLService().FXMLEncoding; }
void TZvStringGrid::SetXMLEncoding(const String& Value) { HTMLXMLService().FXMLEncoding = Value; }
THTMLSettings* TZvStringGrid::HTMLSettings() const { return HTMLXMLService().FHTMLSettings.get(); }
void TZvStringGrid::SetHTMLSettings(THTMLSettings* Value) { HTMLSettings()->Assign(Value); }
