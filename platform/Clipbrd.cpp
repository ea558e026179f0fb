#include "platform/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>

namespace {

std::shared_ptr<TClipboardStore>& StoreSlot()
{
    static std::shared_ptr<TClipboardStore> store;
    return store;
}

TClipboardStore& Store()
{
    std::shared_ptr<TClipboardStore>& slot = StoreSlot();
    if (!slot) slot = std::make_shared<TSystemClipboardStore>();
    return *slot;
}

} // namespace

std::shared_ptr<TClipboardStore> SetClipboardStore(std::shared_ptr<TClipboardStore> store)
{
    std::shared_ptr<TClipboardStore> before = std::move(StoreSlot());
    StoreSlot() = std::move(store);
    return before;
}

std::map<String, QByteArray> FormatsOfMimeData(const QMimeData& data)
{
    std::map<String, QByteArray> formats;
    for (const String& mime : data.formats()) formats[mime] = data.data(mime);
    // Qt keeps text set by other programs under its own conversions; ask for it by name.
    if (data.hasText() && !formats.count(String::fromLatin1(MIME_TEXT)))
        formats[String::fromLatin1(MIME_TEXT)] = data.text().toUtf8();
    return formats;
}

std::unique_ptr<QMimeData> MimeDataOfFormats(const std::map<String, QByteArray>& formats)
{
    auto data = std::make_unique<QMimeData>();
    for (const auto& [mime, bytes] : formats) {
        if (mime == QLatin1String(MIME_TEXT)) data->setText(String::fromUtf8(bytes));
        else data->setData(mime, bytes);
    }
    return data;
}

std::map<String, QByteArray> TSystemClipboardStore::Formats() const
{
    if (!QGuiApplication::instance()) return {};
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? FormatsOfMimeData(*data) : std::map<String, QByteArray>{};
}

void TSystemClipboardStore::SetFormats(const std::map<String, QByteArray>& formats)
{
    if (!QGuiApplication::instance()) return;   // no desktop to hand it to
    if (formats.empty()) QGuiApplication::clipboard()->clear();
    else QGuiApplication::clipboard()->setMimeData(MimeDataOfFormats(formats).release());
}

void TClipboard::Open()
{
    if (FOpenCount++ == 0) FPending = Store().Formats();
}

void TClipboard::Close()
{
    if (FOpenCount == 0) return;   // an unmatched Close has nothing to hand over
    if (--FOpenCount == 0) {
        Store().SetFormats(FPending);
        FPending.clear();
    }
}

void TClipboard::Clear()
{
    if (FOpenCount > 0) FPending.clear();
    else Store().SetFormats({});
}

bool TClipboard::HasFormat(const String& mime) const
{
    if (FOpenCount > 0) return FPending.count(mime) > 0;
    return Store().Formats().count(mime) > 0;
}

QByteArray TClipboard::Data(const String& mime) const
{
    const std::map<String, QByteArray> formats = FOpenCount > 0 ? FPending : Store().Formats();
    const auto it = formats.find(mime);
    return it == formats.end() ? QByteArray() : it->second;
}

void TClipboard::SetData(const String& mime, const QByteArray& bytes)
{
    if (FOpenCount > 0) FPending[mime] = bytes;
    else Store().SetFormats({{mime, bytes}});
}

String TClipboard::AsText() const { return String::fromUtf8(Data(String::fromLatin1(MIME_TEXT))); }

void TClipboard::SetAsText(const String& text) { SetData(String::fromLatin1(MIME_TEXT), text.toUtf8()); }

TClipboard& Clipboard()
{
    static TClipboard clipboard;
    return clipboard;
}

QByteArray WrapGridCells(const QByteArray& stream)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian<quint32>(quint32(stream.size()), bytes.data());
    return bytes + stream;
}

bool UnwrapGridCells(const QByteArray& bytes, QByteArray& stream)
{
    if (bytes.size() < 8) return false;
    const quint32 count = qFromLittleEndian<quint32>(bytes.constData());
    if (qFromLittleEndian<quint32>(bytes.constData() + 4) != 0 || count > quint64(bytes.size() - 8)) return false;
    stream = bytes.mid(8, count);
    return true;
}
