// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <cstdint>

namespace platform
{

// How a screen image stores one pixel, as an XImage describes it.
struct PixelLayout {
    int bitsPerPixel = 32;
    bool msbFirst = false;
    std::uint32_t redMask = 0x00FF0000;
    std::uint32_t greenMask = 0x0000FF00;
    std::uint32_t blueMask = 0x000000FF;
};

// Turns rows of screen pixels into BMP rows (blue, green, red).
class PixelConverter
{
public:
    // Returns "" when rows of this layout can be converted, otherwise why not.
    QString setLayout(const PixelLayout &layout);
    void toBgr(const unsigned char *src, int width, unsigned char *dst) const;

private:
    struct Channel {
        int shift = 0;
        int bits = 8;
        std::uint32_t mask = 0;
        unsigned char value(std::uint32_t pixel) const;
    };
    void generic(const unsigned char *src, int width, unsigned char *dst) const;

    PixelLayout layout_;
    Channel red_, green_, blue_;
    bool fast_ = false;
};

} // namespace platform
