#pragma once
// The rich edit: a multi-line edit of formatted text over a Qt text edit.
// Its document exists without a window, so a hidden rich edit converts and
// measures rich text without ever being shown. Its lines load from a stream
// of RTF (any other bytes load as plain text, one character per byte) and save
// as 7-bit RTF; switched to plain-text mode it saves its text instead, as
// UTF-16 when asked for it. Rich text reading and writing: platform/RichText.h.

#include "platform/Controls.h"

#include <QPointer>
#include <QTextCharFormat>

#include <functional>
#include <memory>

class QIODevice;
class QTextDocument;
class QTextEdit;
class QObject;

// The rectangle the content needs (left and top 0), in pixels.
using TRichEditResizeEvent = std::function<void(TObject* Sender, const TRect& Rect)>;

class TRichEdit : public TWinControl {
public:
    explicit TRichEdit(TComponent* AOwner);
    ~TRichEdit() override;

    QTextDocument* Document() const { return FDocument.get(); }

    // ---- Lines as a stream ----
    void LoadFromStream(QIODevice& Stream);
    // RTF in rich mode; in plain-text mode the text, as UTF-16 when Unicode
    // (without it, one byte per character of the 8-bit page).
    void SaveToStream(QIODevice& Stream, bool Unicode = false) const;
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool value) { FPlainText = value; }
    // The text without its formats, paragraphs joined with line breaks.
    String PlainTextContent() const;
    void Clear();

    // ---- Selection ----
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    String SelText() const;
    void SelectAll();
    // The character format of the selection (of the character before the caret without one).
    QTextCharFormat SelFormat() const;
    // Applies the properties Format holds to the selection, leaving the others.
    void MergeSelFormat(const QTextCharFormat& Format);

    // ---- Look ----
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // Whether the selection is hidden while the edit has no focus.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    // The area the text is laid out in, within the client area: the text
    // keeps the rectangle's left edge as its margin on every side.
    void SetFormatRect(const TRect& Rect);
    // Mouse presses pass through to what lies below.
    void SetClickThrough(bool value);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;
    TRichEditResizeEvent OnResizeRequest;

protected:
    QWidget* CreateWidget(QWidget* parentWidget) override;
    void CreateWnd() override;
    String GetText() const override { return PlainTextContent(); }
    void SetTextValue(const String& value) override;
    void ApplyWidgetPalette() override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;
    virtual void Change();
    virtual void SelectionChange();
    // The content's size changed; the base fires OnResizeRequest.
    virtual void RequestSize(const TRect& Rect);

private:
    void ShowState();

    std::unique_ptr<QTextDocument> FDocument;
    QPointer<QTextEdit> FEdit;
    std::unique_ptr<QObject> FLink;
    bool FPlainText = false;
    bool FReadOnly = false;
    bool FWordWrap = true;
    bool FHideSelection = true;
    bool FClickThrough = false;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    int FMargin = 0;
};
