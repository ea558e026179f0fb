#pragma once
// The steps of the delimited-text reader that do not need a grid: the
// delimiter a file's first two lines show, whether a line leaves a quoted
// field open (the reader then joins the next line), and a line's fields.

#include "platform/SysUtils.h"

#include <vector>

// The first of ",", ";", "#", tab, "|", "@", "*", "-", "+", "&" whose unpaired
// count is equal in both lines and largest; else the same by plain counts;
// else the one occurring most often in either line. QChar(0) when none occurs.
QChar DetectCSVDelimiter(const String& First, const String& Second);
// True when a quoted field is still open at the end of the line.
bool CSVQuoteOpen(const String& Line, QChar Delimiter);
// The fields of one record (physical lines already joined). With JavaCSV "~"
// becomes CR LF and a field "^" empty, else the character 11 becomes CR LF.
std::vector<String> SplitCSVLine(const String& Line, QChar Delimiter, bool JavaCSV);
