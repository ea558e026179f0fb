#pragma once
// The clipboard: one set of formats, each a MIME type with its bytes, that
// copy replaces as a whole and paste reads. The desktop's clipboard (Qt's)
// stands behind a replaceable store, so tests put a private one in its place
// and never read or overwrite the user's clipboard.
//
// Formats and their bytes (drag and drop carries the same ones):
//   text/plain                          the text (UTF-8)
//   text/html                           an HTML document (UTF-8)
//   text/rtf                            one cell's rich text, 8-bit, no closing zero
//   application/x-html-format           the header-and-fragment HTML clipboard
//                                       document (UTF-8; its offsets count these bytes)
//   application/x-zvstringgrid-cells    grid cells: byte count (32-bit little-endian),
//                                       4 zero bytes, then the binary cell stream

#include "platform/SysUtils.h"

#include <QByteArray>
#include <map>
#include <memory>

class QMimeData;

inline constexpr const char* MIME_TEXT = "text/plain";
inline constexpr const char* MIME_HTML = "text/html";
inline constexpr const char* MIME_RTF = "text/rtf";
inline constexpr const char* MIME_HTML_FORMAT = "application/x-html-format";
inline constexpr const char* MIME_GRID_CELLS = "application/x-zvstringgrid-cells";

// Where the formats live. The system store is the desktop's clipboard.
class TClipboardStore {
public:
    virtual ~TClipboardStore() = default;
    // The formats held now; empty when none.
    virtual std::map<String, QByteArray> Formats() const = 0;
    virtual void SetFormats(const std::map<String, QByteArray>& formats) = 0;
};

// A clipboard of its own, that no other program sees.
class TMemoryClipboardStore : public TClipboardStore {
public:
    std::map<String, QByteArray> Formats() const override { return FFormats; }
    void SetFormats(const std::map<String, QByteArray>& formats) override { FFormats = formats; }

private:
    std::map<String, QByteArray> FFormats;
};

// The desktop's clipboard through Qt; needs the application object.
class TSystemClipboardStore : public TClipboardStore {
public:
    std::map<String, QByteArray> Formats() const override;
    void SetFormats(const std::map<String, QByteArray>& formats) override;
};

// Replaces the store; nullptr puts the desktop's back. Returns the one before.
std::shared_ptr<TClipboardStore> SetClipboardStore(std::shared_ptr<TClipboardStore> store);

// Between Open and Close the formats set are gathered and handed to the
// store at Close as one set, so a reader never sees half a copy. Outside,
// every Set replaces the clipboard's whole content.
class TClipboard {
public:
    void Open();
    void Close();
    // Empties the clipboard (or, while open, the set being gathered).
    void Clear();

    bool HasFormat(const String& mime) const;
    QByteArray Data(const String& mime) const;
    // Adds the format to the set being gathered, or replaces the clipboard with it.
    void SetData(const String& mime, const QByteArray& bytes);

    // Plain text; a clipboard without text reads as empty.
    String AsText() const;
    void SetAsText(const String& text);

private:
    int FOpenCount = 0;
    std::map<String, QByteArray> FPending;
};

TClipboard& Clipboard();

// Puts the formats of a Qt transfer object into one, and back; drag and drop
// and the system store share these.
std::map<String, QByteArray> FormatsOfMimeData(const QMimeData& data);
std::unique_ptr<QMimeData> MimeDataOfFormats(const std::map<String, QByteArray>& formats);

// The grid cells' bytes: their count, four zero bytes, the cell stream; and
// back, false for bytes that do not hold that layout.
QByteArray WrapGridCells(const QByteArray& stream);
bool UnwrapGridCells(const QByteArray& bytes, QByteArray& stream);
