#pragma once
// The device parameter images as the device's byte layout of bank1.bin and
// bank2.bin describes them, built field by field by an encoder of the tests'
// own: the product's builder is only ever the thing under test.

#include <QByteArray>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace BinLayout {

constexpr int kBank1Size = 2048;
constexpr int kBank2Size = 256 + 65536; // 65792
constexpr std::uint32_t kTable = 0x80100;
constexpr std::uint32_t kEmptyText = kTable + 0x4800; // 0x84900
constexpr std::uint32_t kPoolStart = kTable + 0x4801;

struct Bytes {
    QByteArray b;
    explicit Bytes(int size) : b(size, '\0') {}
    void put8(int at, std::uint32_t v) { b[at] = char(v & 0xFF); }
    void put16(int at, std::uint32_t v)
    {
        put8(at, v);
        put8(at + 1, v >> 8);
    }
    void put32(int at, std::uint32_t v)
    {
        put16(at, v);
        put16(at + 2, v >> 16);
    }
    void putText(int at, const QByteArray& text)
    {
        for (int i = 0; i < text.size(); ++i) b[at + i] = text[i];
    }
};

inline std::uint32_t get32(const QByteArray& b, int at)
{
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

inline std::uint32_t byteSum(const QByteArray& b, int count)
{
    std::uint32_t sum = 0;
    for (int i = 0; i < count; ++i) sum += std::uint8_t(b[i]);
    return sum;
}

// What the configuration puts into the parameter block; the rest is fixed.
struct Net {
    std::array<int, 4> ip{192, 168, 2, 205};
    std::array<int, 4> mask{255, 255, 255, 0};
    std::array<int, 4> gateway{255, 255, 255, 255};
    int consolePort = 10001;
    QByteArray name; // station name bytes
    std::uint32_t daliSwitches = 0;
    std::uint32_t records = 0;
};

inline QByteArray expectedBank1(const Net& n)
{
    Bytes p(kBank1Size);
    p.put32(0, 125000);
    p.put32(4, 125000);
    p.put32(8, 0);
    p.put32(12, 9600);
    p.put16(16, 8);
    for (int i = 0; i < 4; ++i) {
        p.put8(40 + i, std::uint32_t(n.ip[i]));
        p.put8(44 + i, std::uint32_t(n.mask[i]));
        p.put8(48 + i, std::uint32_t(n.gateway[i]));
    }
    p.put16(52, 10000);
    p.put16(54, 10001);
    p.put16(56, std::uint32_t(n.consolePort));
    p.putText(80, n.name);
    p.put32(404, 38400);
    p.put8(431, 1);
    for (int i = 436; i <= 443; ++i) p.put8(i, 8);
    p.put16(460, 3671);
    p.put16(468, 50000);
    p.put16(470, 50001);
    p.put16(472, 50002);
    p.put16(478, 512);
    p.put32(484, n.records);
    p.put32(488, 0x80100);
    p.put32(1532, 0x80000);
    p.put32(1892, n.daliSwitches);
    p.put32(1896, 6000);
    p.put32(1900, 100);
    p.put32(2044, byteSum(p.b, 2044));
    return p.b;
}

// One used record; texts are looked up in the expected pool (nullopt = no text).
struct Rec {
    std::uint32_t time = 1000;
    std::array<int, 4> ip{0, 0, 0, 0};
    std::uint32_t flags = 0x10;
    std::optional<QByteArray> user, auth, priv, oid;
    std::uint32_t position = 0;
    int convertFrom = 0;
    int mode = 2;
    int numberBytes = 1;
};

inline QByteArray expectedBank2(const std::array<std::uint16_t, 81>& dali, const std::vector<Rec>& recs,
                         const std::vector<QByteArray>& pool)
{
    Bytes b(kBank2Size);
    for (int n = 0; n < 81; ++n) b.put16(4 + 2 * n, dali[std::size_t(n)]);
    auto address = [&](const std::optional<QByteArray>& text) -> std::uint32_t {
        if (!text) return kEmptyText;
        std::uint32_t at = kPoolStart;
        for (const QByteArray& entry : pool) {
            if (entry == *text) return at;
            at += std::uint32_t(entry.size()) + 1;
        }
        ADD_FAILURE() << "text missing from the expected pool: " << text->toStdString();
        return 0;
    };
    for (int i = 0; i < 512; ++i) {
        const int at = 256 + 36 * i;
        if (i >= int(recs.size())) {
            for (int off : {12, 16, 20, 32}) b.put32(at + off, kEmptyText);
            continue;
        }
        const Rec& r = recs[std::size_t(i)];
        b.put32(at, r.time);
        for (int k = 0; k < 4; ++k) b.put8(at + 4 + k, std::uint32_t(r.ip[std::size_t(3 - k)]));
        b.put32(at + 8, r.flags);
        b.put32(at + 12, address(r.user));
        b.put32(at + 16, address(r.auth));
        b.put32(at + 20, address(r.priv));
        b.put16(at + 24, r.position);
        b.put8(at + 28, std::uint32_t(r.convertFrom));
        b.put8(at + 29, std::uint32_t(r.mode));
        b.put8(at + 30, std::uint32_t(r.numberBytes));
        b.put32(at + 32, address(r.oid));
    }
    int at = 256 + 0x4801;
    for (const QByteArray& text : pool) {
        b.putText(at, text);
        at += int(text.size()) + 1;
    }
    return b.b;
}

inline QByteArray expectedBank2(const std::vector<Rec>& recs = {}, const std::vector<QByteArray>& pool = {})
{
    return expectedBank2({}, recs, pool);
}

// Byte-for-byte, reporting where the images part rather than dumping them.
inline ::testing::AssertionResult SameImage(const QByteArray& actual, const QByteArray& expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.size() << ", expected " << expected.size();
    int differences = 0, first = -1;
    for (int i = 0; i < actual.size(); ++i)
        if (actual[i] != expected[i] && differences++ == 0) first = i;
    if (differences == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differences << " bytes differ, first at offset " << first << ": 0x"
                                         << std::hex << int(std::uint8_t(actual[first])) << ", expected 0x"
                                         << int(std::uint8_t(expected[first]));
}

} // namespace BinLayout
