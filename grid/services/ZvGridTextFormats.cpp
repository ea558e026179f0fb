// Delimited, fixed-width and grid text files and streams: the service's state and the grid's members that front it.

#include "grid/services/ZvGridTextFormats.h"

#include "grid/ZvGrid.h"
#include "grid/ZvGridPrivate.h"

TZvGridTextFormats& TZvStringGrid::TextFormatsService() const { return MadeOnFirstUse(d->FTextFormatsService, this); }

bool TZvStringGrid::OemConvert() const { return TextFormatsService().FOemConvert; }
void TZvStringGrid::SetOemConvert(bool Value) { TextFormatsService().FOemConvert = Value; }
QChar TZvStringGrid::Delimiter() const { return TextFormatsService().FDelimiter; }
void TZvStringGrid::SetDelimiter(QChar Value) { TextFormatsService().FDelimiter = Value; }
bool TZvStringGrid::QuoteEmptyCells() const { return TextFormatsService().FQuoteEmptyCells; }
void TZvStringGrid::SetQuoteEmptyCells(bool Value) { TextFormatsService().FQuoteEmptyCells = Value; }
bool TZvStringGrid::AlwaysQuotes() const { return TextFormatsService().FAlwaysQuotes; }
void TZvStringGrid::SetAlwaysQuotes(bool Value) { TextFormatsService().FAlwaysQuotes = Value; }
bool TZvStringGrid::JavaCSV() const { return TextFormatsService().FJavaCSV; }
void TZvStringGrid::SetJavaCSV(bool Value) { TextFormatsService().FJavaCSV = Value; }
bool TZvStringGrid::LoadFirstRow() const { return TextFormatsService().FLoadFirstRow; }
void TZvStringGrid::SetLoadFirstRow(bool Value) { TextFormatsService().FLoadFirstRow = Value; }

void TZvStringGrid::SaveToStream(QIODevice*) {}

void TZvStringGrid::LoadFromStream(QIODevice*) {}
