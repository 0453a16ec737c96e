// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/x11/PixelConverter.h"

#include <bit>
#include <cstring>

namespace platform
{

namespace
{

std::uint32_t load32(const unsigned char *p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void store32(unsigned char *p, std::uint32_t v)
{
    std::memcpy(p, &v, 4);
}

} // namespace

unsigned char PixelConverter::Channel::value(std::uint32_t pixel) const
{
    const std::uint32_t c = (pixel & mask) >> shift;
    if (bits >= 8)
        return static_cast<unsigned char>(c >> (bits - 8));
    return static_cast<unsigned char>(c * 255 / ((1u << bits) - 1));
}

QString PixelConverter::setLayout(const PixelLayout &layout)
{
    if (layout.bitsPerPixel != 24 && layout.bitsPerPixel != 32)
        return QStringLiteral("対応していない画面の形式です (%1 ビット/画素)")
            .arg(layout.bitsPerPixel);
    const std::uint32_t limit = layout.bitsPerPixel == 32 ? 0xFFFFFFFFu : 0x00FFFFFFu;
    Channel *channels[] = {&red_, &green_, &blue_};
    const std::uint32_t masks[] = {layout.redMask, layout.greenMask, layout.blueMask};
    for (int i = 0; i < 3; ++i) {
        const std::uint32_t m = masks[i];
        const int shift = std::countr_zero(m);
        // A channel must be one run of 1 to 16 bits inside the pixel.
        if (m == 0 || (m & ~limit) || !std::has_single_bit((m >> shift) + 1) ||
            std::popcount(m) > 16)
            return QStringLiteral("対応していない画面の色の形式です");
        *channels[i] = Channel{shift, std::popcount(m), m};
    }
    layout_ = layout;
    // The usual little-endian BGRX screen has a copying shortcut.
    fast_ = std::endian::native == std::endian::little && layout.bitsPerPixel == 32 &&
            !layout.msbFirst && layout.redMask == 0x00FF0000 && layout.greenMask == 0x0000FF00 &&
            layout.blueMask == 0x000000FF;
    return {};
}

void PixelConverter::toBgr(const unsigned char *src, int width, unsigned char *dst) const
{
    if (!fast_) {
        generic(src, width, dst);
        return;
    }
    int x = 0;
    // Four BGRX pixels become three words of BGR.
    for (; x + 4 <= width; x += 4, src += 16, dst += 12) {
        const std::uint32_t p0 = load32(src), p1 = load32(src + 4), p2 = load32(src + 8),
                            p3 = load32(src + 12);
        store32(dst, (p0 & 0xFFFFFF) | p1 << 24);
        store32(dst + 4, (p1 >> 8 & 0xFFFF) | p2 << 16);
        store32(dst + 8, (p2 >> 16 & 0xFF) | p3 << 8);
    }
    for (; x < width; ++x, src += 4, dst += 3) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
    }
}

void PixelConverter::generic(const unsigned char *src, int width, unsigned char *dst) const
{
    const int bytes = layout_.bitsPerPixel / 8;
    for (int x = 0; x < width; ++x, src += bytes, dst += 3) {
        std::uint32_t v = 0;
        for (int b = 0; b < bytes; ++b) {
            const int byte = layout_.msbFirst ? b : bytes - 1 - b;
            v = v << 8 | src[byte];
        }
        dst[0] = blue_.value(v);
        dst[1] = green_.value(v);
        dst[2] = red_.value(v);
    }
}

} // namespace platform
