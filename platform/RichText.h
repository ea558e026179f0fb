#pragma once
// The rich text the grid's cells hold: a small RTF reader and writer for what
// the grid uses of it (text, paragraphs, line breaks and tabs, bold, italic,
// underline, font size, the colour table and text colour, super- and
// subscript, raised and lowered text). The font table is read and passed
// over; every other control word is skipped, so a document written elsewhere
// shows its text.
//
// Reading never fails: broken input (unbalanced braces, unknown words, a cut
// end) gives the text read up to where it breaks. Nothing after the document's
// closing brace is read. Writing produces 7-bit RTF: characters of the
// Windows-1252 page as \'hh, all others as \uN? (a signed 16-bit unit each).

#include "platform/SysUtils.h"

#include <QColor>
#include <QTextFormat>

#include <vector>

class QTextDocument;

// The text's shift from the baseline in twips (an RTF \up or \dn), kept on
// the characters of a QTextDocument under this property.
constexpr int RichTextOffsetProperty = QTextFormat::UserProperty + 0x52;

struct TRichCharFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int HalfPoints = 0;     // font size in half points; 0 keeps the document's size
    int ColorIndex = 0;     // entry of the colour table; 0 is the automatic colour
    int OffsetTwips = 0;    // > 0 raised, < 0 lowered
    int Script = 0;         // 1 superscript, -1 subscript (\super, \sub)
    bool operator==(const TRichCharFormat&) const = default;
};

struct TRichRun {
    String Text;
    TRichCharFormat Format;
};

struct TRichParagraph {
    std::vector<TRichRun> Runs;
    String Text() const;
};

struct TRichTextDocument {
    std::vector<TRichParagraph> Paragraphs{TRichParagraph{}};
    // Index 0 and empty entries are the automatic colour (an invalid QColor).
    std::vector<QColor> Colors;
    // The paragraphs joined with line breaks, trailing empty paragraphs dropped.
    String PlainText() const;
    QColor ColorOf(int Index) const;
};

// A text counts as RTF when it opens a group with a control word.
bool LooksLikeRtf(const String& Text);
// Reads an RTF document; each character of Text is one byte of it (the
// characters above 127 as Windows-1252, as an 8-bit RTF has them).
TRichTextDocument ParseRtf(const String& Text);
// The plain text a reader sees: RTF read as above, any other text as it is.
String RtfPlainText(const String& Text);

// Fills Document with the parsed text and its formats (clearing it first).
void RichTextToDocument(const TRichTextDocument& Rich, QTextDocument& Document);
// Loads RTF, or any other text as plain text, into Document.
void LoadRtfIntoDocument(const String& Text, QTextDocument& Document);
// The document as a 7-bit RTF document; an empty document gives a document too.
String DocumentToRtf(const QTextDocument& Document);
