// Arbitrary bytes through the reader of rich-text cells, as a cell holds
// them (one character per byte): reading never crashes or loops, its plain
// text is never longer than the input, the document it fills writes back
// 7-bit RTF, and that RTF reads again to the same plain text.

#include "platform/RichText.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

namespace {

QGuiApplication& App()
{
    static int argc = 1;
    static char name[] = "rtf_fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

}  // namespace

// The font database of the application object lives until the process ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    App();
    const String text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    const String plain = RtfPlainText(text);
    if (LooksLikeRtf(text) && plain.size() > text.size()) __builtin_trap();

    QTextDocument doc;
    LoadRtfIntoDocument(text, doc);
    const String rtf = DocumentToRtf(doc);
    for (QChar c : rtf)
        if (c.unicode() > 0x7F) __builtin_trap();
    // What was written reads back to the document's text (line breaks as the reader gives them).
    String expected;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) expected += (b == doc.begin() ? String() : String(u'\n')) + b.text();
    expected.replace(QChar(0x2028), QChar(u'\n'));
    while (expected.endsWith(u'\n')) expected.chop(1);
    String again = RtfPlainText(rtf);
    if (again != expected) __builtin_trap();
    return 0;
}
