#pragma once
// The binary cell stream: a rectangle of cells with everything a cell holds
// (text, cell properties, cell graphic and the graphic's picture or lists), as
// records of the class library's component format (platform/ComponentStream.h):
//
//   TGridPropIO     once: ColCount, RowCount (of the rectangle), ColWidths,
//                   RowHeights ("w1,w2,..."), FullGrid, ID (the writing grid)
//   per cell, row by row, left to right:
//   TGridCellIO     Col, Row (the source cell, 0-65535), Cell (text), HasProp
//   TGridCellPropIO when HasProp: CellProperties.<field> ..., HasGraphic
//   TGridGraphicIO  when HasGraphic: CellGraphic.<field> ...
//   payload         by the graphic's type: TGridBMPIO (Bitmap.Data), TGridIconIO
//                   (Icon.Data), TGridSLIO (Strings.Strings: radio options or
//                   image indexes), TGridPicIO (Picture.Data), TGridFilePicIO
//                   (Picture.Filename)
//
// Pictures travel as PNG; a picture's data starts with its graphic class as a
// short string ("TBitmap" or "TIcon"). Colours are 32-bit integers, enumerations
// and sets their identifiers.
//
// The reader reads and checks the whole stream before it changes the grid: a
// stream that is cut short, broken or out of bounds (counts above 65,536,
// unknown records or properties, values of the wrong kind) raises EZvGridError
// and leaves the grid exactly as it was. A cell's CellObject, a number that
// means something only where it was written, comes back only when the stream
// was written by a grid of this process that still exists; otherwise it is 0.

#include "grid/services/ZvGridService.h"
#include "platform/SysUtils.h"

#include <QByteArray>

class TZvGridCellStream : public TZvGridService {
public:
    explicit TZvGridCellStream(TZvStringGrid* AGrid);
    ~TZvGridCellStream();

    // This grid's stream ID: unique in the process and, being drawn at random,
    // all but certainly different from any other process's.
    quint32 ID() const { return FID; }
    // True when a grid of this process that still exists wrote a stream with that ID.
    static bool IsLiveID(quint32 ID);

    struct THeader {
        int ColCount = 0;
        int RowCount = 0;
        String ColWidths;
        String RowHeights;
        bool FullGrid = false;
        quint32 ID = 0;
    };
    // The header record at the start of the stream's bytes; false with the
    // reason when it cannot be read. What a paste or drop asks first: the
    // size of what comes, and whether it came from the grid itself.
    static bool ReadHeader(const QByteArray& Data, THeader& Header, String& Error);

private:
    friend class TZvStringGrid;
    quint32 FID;
};
