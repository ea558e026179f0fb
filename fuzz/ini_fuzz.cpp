// Arbitrary bytes through the INI reader that column layouts and print
// settings come back from: it never fails, what it writes back reads again to
// the same text, and a value written into any section reads back unchanged
// without disturbing what was there.

#include "platform/IniFiles.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    TMemIniFile ini{String()};
    ini.LoadFromBytes(bytes);
    const String text = ini.Text();
    TMemIniFile again{String()};
    again.LoadFromBytes(text.toUtf8());
    if (again.Text() != text) __builtin_trap();

    std::vector<String> keys;
    again.ReadSection(QStringLiteral("Cols"), keys);
    const String before = again.ReadString(QStringLiteral("Cols"), QStringLiteral("Col0"), QStringLiteral("-"));
    again.WriteInteger(QStringLiteral("Cols"), QStringLiteral("Fuzzed"), 42);
    if (again.ReadInteger(QStringLiteral("Cols"), QStringLiteral("Fuzzed"), 0) != 42) __builtin_trap();
    if (keys.empty() == false && again.ReadString(QStringLiteral("Cols"), QStringLiteral("Col0"), QStringLiteral("-")) != before)
        __builtin_trap();
    return 0;
}
