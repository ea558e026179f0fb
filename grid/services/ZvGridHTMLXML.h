#pragma once
// HTML and XML export and import: the HTML settings and the XML encoding.

#include "grid/ZvGridSettings.h"
#include "grid/services/ZvGridService.h"

#include <memory>

class TZvGridHTMLXML : public TZvGridService {
public:
    explicit TZvGridHTMLXML(TZvStringGrid* AGrid);

private:
    friend class TZvStringGrid;
    std::unique_ptr<THTMLSettings> FHTMLSettings;
    String FXMLEncoding = QStringLiteral("ISO-8859-1");
};
