#pragma once
// What the grid's text formats share (delimited and fixed-width text, the
// grid text file and stream, the text table): their settings (the delimiter,
// the quoting rules, whether the first row is loaded, whether 8-bit files are
// in the OEM page), the encodings files are read and written in, the progress
// a reader or writer reports, and the guard that keeps a load from being
// started again while one runs.

#include "grid/services/ZvGridService.h"
#include "platform/SysUtils.h"

#include <QByteArray>

#include <vector>

// How a text file is written: the 8-bit pages without a byte-order mark, the
// Unicode forms with one.
enum class TTextFileEncoding { Windows1252, Oem850, Utf8Bom, Utf16LEBom };

QByteArray EncodeTextFile(const String& Text, TTextFileEncoding Encoding);
// UTF-8 or UTF-16 marked at the start.
bool HasByteOrderMark(const QByteArray& Bytes);
// A byte-order mark chooses the encoding; without one the OEM page when asked,
// else UTF-8 when the bytes are valid UTF-8, else Windows-1252.
String DecodeTextFile(const QByteArray& Bytes, bool Oem);
// The lines of a text as the string list reads them: each CR LF, CR or LF ends
// one; a break at the very end adds no empty line.
std::vector<String> SplitTextLines(const String& Text);
// Lines joined with CR LF after each.
String JoinTextLines(const std::vector<String>& Lines);

class TZvGridTextFormats : public TZvGridService {
public:
    using TZvGridService::TZvGridService;

    // OnFileProgress with the percentage, only when it differs from the last
    // reported; StartProgress forgets the last one.
    void StartProgress() { FLastProgress = -1; }
    void ReportProgress(double Percent);
    bool WantsProgress() const;

    // The length of the longest line of a column's export texts over all rows
    // (every line of a multi-line text with Multilinecells, else the first).
    int MaxColumnTextLength(int ACol) const;

    // Held while a reader changes the grid: starting another load of this
    // grid meanwhile raises EZvGridError instead of running inside the first.
    class TLoadGuard {
    public:
        explicit TLoadGuard(TZvGridTextFormats& Owner);
        ~TLoadGuard();
        TLoadGuard(const TLoadGuard&) = delete;
        TLoadGuard& operator=(const TLoadGuard&) = delete;

    private:
        TZvGridTextFormats& FOwner;
    };

private:
    friend class TZvStringGrid;
    QChar FDelimiter;
    bool FQuoteEmptyCells = true;
    bool FAlwaysQuotes = false;
    bool FJavaCSV = false;
    bool FLoadFirstRow = true;
    bool FOemConvert = false;
    int FLastProgress = -1;
    bool FLoading = false;
};
