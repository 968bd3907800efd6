#pragma once
// Writers for the three file formats the game embeds: TGA (colour-mapped and true-colour, with
// the TGA 2.0 footer), 8-bit palettised BMP and RGBA PNG (stored deflate blocks).
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace images {

using Bytes = std::vector<unsigned char>;

struct Rgb {
    unsigned char r, g, b;
};

inline void Put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
inline void Put32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
inline void Put32BE(Bytes& out, std::uint32_t v) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

inline void PutTgaFooter(Bytes& out) {
    Put32(out, 0);  // no extension area
    Put32(out, 0);  // no developer directory
    const char sig[] = "TRUEVISION-XFILE.";
    out.insert(out.end(), sig, sig + sizeof sig);  // includes the terminating zero
}

// Colour-mapped TGA with a 256-entry grey palette; `index` holds w*h bytes, top row first.
// Stored bottom-up (origin bottom-left), as loaders expect when the descriptor is zero.
inline Bytes ColourMappedTga(int w, int h, const Bytes& index) {
    Bytes out;
    out.push_back(0);   // no image id
    out.push_back(1);   // has a colour map
    out.push_back(1);   // uncompressed colour-mapped
    Put16(out, 0);      // first map entry
    Put16(out, 256);    // map length
    out.push_back(24);  // bits per map entry
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(w));
    Put16(out, static_cast<unsigned>(h));
    out.push_back(8);
    out.push_back(0);  // origin bottom-left, no alpha bits
    for (int i = 0; i < 256; ++i)
        for (int k = 0; k < 3; ++k) out.push_back(static_cast<unsigned char>(i));
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) out.push_back(index[std::size_t(y) * w + x]);
    PutTgaFooter(out);
    return out;
}

// True-colour 24-bit TGA of a grey image (w*h bytes, top row first), origin bottom-left.
inline Bytes GreyTrueColourTga(int w, int h, const Bytes& grey) {
    Bytes out;
    out.push_back(0);
    out.push_back(0);  // no colour map
    out.push_back(2);  // uncompressed true-colour
    for (int i = 0; i < 5; ++i) out.push_back(0);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(w));
    Put16(out, static_cast<unsigned>(h));
    out.push_back(24);
    out.push_back(0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < 3; ++k) out.push_back(grey[std::size_t(y) * w + x]);
    PutTgaFooter(out);
    return out;
}

// 8-bit BMP with a 40-byte info header, bottom-up, rows padded to four bytes. The file is
// padded with zeros to a multiple of four bytes.
inline Bytes PalettedBmp(int w, int h, const std::vector<Rgb>& palette, const Bytes& index) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(w) + 3u) & ~3u;
    const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(palette.size());
    const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(h);
    const std::uint32_t fileBytes = (offset + imageBytes + 3u) & ~3u;
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, fileBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(h));  // positive: bottom-up
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);  // uncompressed
    Put32(out, imageBytes);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, static_cast<std::uint32_t>(palette.size()));
    Put32(out, static_cast<std::uint32_t>(palette.size()));
    for (const Rgb& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) out.push_back(index[std::size_t(y) * w + x]);
        for (std::uint32_t x = static_cast<std::uint32_t>(w); x < stride; ++x) out.push_back(0);
    }
    out.resize(fileBytes, 0);
    return out;
}

inline std::uint32_t Crc32(const unsigned char* p, std::size_t n, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

inline std::uint32_t Adler32(const Bytes& data) {
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : data) {
        a = (a + c) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

inline void PutPngChunk(Bytes& out, const char type[4], const Bytes& data) {
    Put32BE(out, static_cast<std::uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32BE(out, Crc32(body.data(), body.size()));
}

// RGBA PNG (8 bits per channel); `rgba` holds w*h*4 bytes, top row first.
inline Bytes RgbaPng(int w, int h, const Bytes& rgba) {
    Bytes raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);  // filter: none
        raw.insert(raw.end(), rgba.begin() + std::ptrdiff_t(y) * w * 4, rgba.begin() + std::ptrdiff_t(y + 1) * w * 4);
    }
    Bytes z{0x78, 0x01};
    std::size_t pos = 0;
    do {
        std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        z.push_back(pos + n == raw.size() ? 1 : 0);  // final-block flag, stored
        Put16(z, static_cast<unsigned>(n));
        Put16(z, static_cast<unsigned>(~n & 0xFFFF));
        z.insert(z.end(), raw.begin() + std::ptrdiff_t(pos), raw.begin() + std::ptrdiff_t(pos + n));
        pos += n;
    } while (pos < raw.size());
    Put32BE(z, Adler32(raw));

    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    Put32BE(ihdr, static_cast<std::uint32_t>(w));
    Put32BE(ihdr, static_cast<std::uint32_t>(h));
    ihdr.push_back(8);  // bit depth
    ihdr.push_back(6);  // RGBA
    ihdr.push_back(0);
    ihdr.push_back(0);
    ihdr.push_back(0);
    PutPngChunk(out, "IHDR", ihdr);
    PutPngChunk(out, "IDAT", z);
    PutPngChunk(out, "IEND", {});
    return out;
}

}  // namespace images
