// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace savejpg
{

// Memory that grows and is never given back, so that picture after picture
// reuses pages that are already mapped in.
class ReusedBuffer
{
public:
    // Null when the memory cannot be had.
    unsigned char *reserve(std::size_t size);

private:
    std::unique_ptr<unsigned char[]> data_;
    std::size_t capacity_ = 0;
};

// A BMP file read into memory, with its headers checked against the file size
// so that the pixel rows can be handed to the encoder as they are. The file is
// read, not mapped: a file cut short by another process meanwhile is then a
// short read, where a mapping would kill the caller with SIGBUS.
class BmpImage
{
public:
    // Returns SAVEJPG_OK or one of the SAVEJPG_E_* codes. The rows live in buffer.
    int open(const char *path, ReusedBuffer &buffer);

    int width() const { return width_; }
    int height() const { return height_; }
    int bytesPerPixel() const { return bytesPerPixel_; }
    int pitch() const { return pitch_; }
    bool bottomUp() const { return bottomUp_; }
    // The first stored row (the bottom row of a bottom-up picture).
    const unsigned char *pixels() const { return pixels_; }

private:
    int parse(const unsigned char *p, std::size_t have, std::size_t fileSize);
    int read(int fd, ReusedBuffer &buffer);

    const unsigned char *pixels_ = nullptr;
    std::size_t pixelOffset_ = 0;
    std::size_t needed_ = 0;
    int width_ = 0;
    int height_ = 0;
    int bytesPerPixel_ = 0;
    int pitch_ = 0;
    bool bottomUp_ = true;
};

} // namespace savejpg
