// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <cstddef>
#include <cstdint>

namespace savejpg
{

// A BMP file mapped read-only, with its headers checked against the file size so
// that the pixel rows can be handed to the encoder without a copy.
class BmpImage
{
public:
    BmpImage() = default;
    BmpImage(const BmpImage &) = delete;
    BmpImage &operator=(const BmpImage &) = delete;
    ~BmpImage();

    // Returns SAVEJPG_OK or one of the SAVEJPG_E_* codes.
    int open(const char *path);

    int width() const { return width_; }
    int height() const { return height_; }
    int bytesPerPixel() const { return bytesPerPixel_; }
    int pitch() const { return pitch_; }
    bool bottomUp() const { return bottomUp_; }
    // The first stored row (the bottom row of a bottom-up picture).
    const unsigned char *pixels() const { return map_ + pixelOffset_; }

private:
    int parse();

    const unsigned char *map_ = nullptr;
    std::size_t size_ = 0;
    std::size_t pixelOffset_ = 0;
    int width_ = 0;
    int height_ = 0;
    int bytesPerPixel_ = 0;
    int pitch_ = 0;
    bool bottomUp_ = true;
};

} // namespace savejpg
