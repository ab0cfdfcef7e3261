// A small PNG encoder: one IDAT chunk holding a zlib stream of fixed-Huffman deflate blocks.
#include "PngWriter.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <filesystem>
#include <fstream>

namespace {

// ---- checksums ----
uint32_t Crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// ---- deflate ----
class BitWriter {
public:
    void Bits(uint32_t value, int count) {  // least significant bit first
        for (int i = 0; i < count; ++i) {
            if (used_ == 0) out.push_back(0);
            out.back() |= static_cast<uint8_t>(((value >> i) & 1) << used_);
            used_ = (used_ + 1) % 8;
        }
    }
    void Code(uint32_t code, int length) {  // Huffman codes go most significant bit first
        for (int i = length - 1; i >= 0; --i) Bits((code >> i) & 1, 1);
    }
    std::vector<uint8_t> out;

private:
    int used_ = 0;
};

// The fixed code of a literal/length symbol (0-287).
void Symbol(BitWriter& w, int s) {
    if (s < 144)
        w.Code(0x30 + s, 8);
    else if (s < 256)
        w.Code(0x190 + s - 144, 9);
    else if (s < 280)
        w.Code(s - 256, 7);
    else
        w.Code(0xC0 + s - 280, 8);
}

// Length codes 257-285 and distance codes 0-29: base value and extra bits.
constexpr int kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int kDistBase[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                             33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                             1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kDistExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                              6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& w, int length, int distance) {
    int l = 28;
    while (kLengthBase[l] > length) --l;
    Symbol(w, 257 + l);
    w.Bits(static_cast<uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
    int d = 29;
    while (kDistBase[d] > distance) --d;
    w.Code(static_cast<uint32_t>(d), 5);
    w.Bits(static_cast<uint32_t>(distance - kDistBase[d]), kDistExtra[d]);
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& in) {
    constexpr int kWindow = 32768, kMinMatch = 3, kMaxMatch = 258, kHashBits = 15, kChain = 16;
    BitWriter w;
    w.Bits(1, 1);  // the final block
    w.Bits(1, 2);  // fixed Huffman codes
    std::vector<int> head(1 << kHashBits, -1), prev(in.size(), -1);
    const int n = static_cast<int>(in.size());
    auto hash = [&](int i) {
        return ((in[i] << 10) ^ (in[i + 1] << 5) ^ in[i + 2]) & ((1 << kHashBits) - 1);
    };
    auto insert = [&](int i) {
        if (i + kMinMatch > n) return;
        const int h = hash(i);
        prev[i] = head[h];
        head[h] = i;
    };
    for (int i = 0; i < n;) {
        int best = 0, bestDist = 0;
        if (i + kMinMatch <= n) {
            int candidate = head[hash(i)];
            for (int tries = 0; candidate >= 0 && i - candidate <= kWindow && tries < kChain; ++tries) {
                int len = 0;
                const int limit = (std::min)(kMaxMatch, n - i);
                while (len < limit && in[candidate + len] == in[i + len]) ++len;
                if (len > best) {
                    best = len;
                    bestDist = i - candidate;
                    if (len == limit) break;
                }
                candidate = prev[candidate];
            }
        }
        if (best >= kMinMatch) {
            Match(w, best, bestDist);
            for (int k = 0; k < best; ++k) insert(i + k);
            i += best;
        } else {
            Symbol(w, in[i]);
            insert(i);
            ++i;
        }
    }
    Symbol(w, 256);  // end of block
    return w.out;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    Put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, Crc32(out.data() + start, out.size() - start));
}

}  // namespace

std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb) {
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> raw;
    raw.reserve((stride + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        raw.insert(raw.end(), rgb.begin() + static_cast<std::ptrdiff_t>(y * stride),
                   rgb.begin() + static_cast<std::ptrdiff_t>((y + 1) * stride));
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    const std::vector<uint8_t> deflated = Deflate(raw);
    z.insert(z.end(), deflated.begin(), deflated.end());
    Put32(z, Adler32(raw));

    std::vector<uint8_t> ihdr;
    Put32(ihdr, static_cast<uint32_t>(width));
    Put32(ihdr, static_cast<uint32_t>(height));
    ihdr.insert(ihdr.end(),
                {8, 2, 0, 0, 0});  // 8 bits a channel, RGB, deflate, no filter choice, no interlace
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
}

bool WritePng(const std::string& utf8Path, int width, int height, const std::vector<uint8_t>& rgb,
              std::string& error) {
    const std::vector<uint8_t> png = EncodePng(width, height, rgb);
    std::ofstream out(std::filesystem::u8path(utf8Path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!out) {
        error = "cannot write \"" + utf8Path + "\"";
        return false;
    }
    return true;
}
