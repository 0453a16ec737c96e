// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BmpImage.h"
#include "SaveJPG.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace savejpg
{

namespace
{

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiBitfields = 3;
constexpr std::int64_t MaxSide = 65500; // the largest picture the JPEG encoder writes
// File header, the longest info header and three colour masks.
constexpr std::size_t MaxHeadersSize = FileHeaderSize + 124 + 12;

std::uint32_t u32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t u16(const unsigned char *p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

} // namespace

unsigned char *ReusedBuffer::reserve(std::size_t size)
{
    if (size > capacity_) {
        data_.reset(new (std::nothrow) unsigned char[size]);
        capacity_ = data_ ? size : 0;
    }
    return data_.get();
}

int BmpImage::open(const char *path, ReusedBuffer &buffer)
{
    // Without blocking: a FIFO in the BMP's place must fail, not wait for a writer.
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return SAVEJPG_E_BMP_OPEN;
    const int rc = read(fd, buffer);
    ::close(fd);
    return rc;
}

int BmpImage::read(int fd, ReusedBuffer &buffer)
{
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return SAVEJPG_E_BMP_OPEN;
    const std::size_t size = std::size_t(st.st_size);
    if (size < 2)
        return SAVEJPG_E_BMP_FORMAT;
    unsigned char headers[MaxHeadersSize];
    const ssize_t got = pread(fd, headers, std::min(size, sizeof headers), 0);
    if (got < 2)
        return got < 0 ? SAVEJPG_E_BMP_OPEN : SAVEJPG_E_BMP_TRUNCATED;
    if (const int rc = parse(headers, std::size_t(got), size); rc != SAVEJPG_OK)
        return rc;

    unsigned char *data = buffer.reserve(needed_);
    if (!data)
        return SAVEJPG_E_MEMORY;
    for (std::size_t at = 0; at < needed_;) {
        const ssize_t n = pread(fd, data + at, needed_ - at, off_t(at));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return SAVEJPG_E_BMP_OPEN;
        if (n == 0) // cut short since the size was checked
            return SAVEJPG_E_BMP_TRUNCATED;
        at += std::size_t(n);
    }
    pixels_ = data + pixelOffset_;
    return SAVEJPG_OK;
}

// have: how many of the file's first bytes p holds; every header field lies
// within them unless the file ends before it.
int BmpImage::parse(const unsigned char *p, std::size_t have, std::size_t fileSize)
{
    if (p[0] != 'B' || p[1] != 'M')
        return SAVEJPG_E_BMP_FORMAT;
    if (have < FileHeaderSize + 4)
        return SAVEJPG_E_BMP_TRUNCATED;
    const std::uint32_t offBits = u32(p + 10);
    const std::uint32_t infoSize = u32(p + 14);
    if (infoSize == 12)
        return SAVEJPG_E_BMP_UNSUPPORTED; // OS/2 core header
    if (infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124)
        return SAVEJPG_E_BMP_FORMAT;
    if (have < FileHeaderSize + infoSize)
        return SAVEJPG_E_BMP_TRUNCATED;

    const std::int64_t w = std::int32_t(u32(p + 18));
    const std::int64_t h = std::int32_t(u32(p + 22));
    const unsigned planes = u16(p + 26);
    const unsigned bits = u16(p + 28);
    const std::uint32_t compression = u32(p + 30);
    if (planes != 1 || w <= 0 || h == 0)
        return SAVEJPG_E_BMP_FORMAT;
    if (bits != 24 && bits != 32)
        return SAVEJPG_E_BMP_UNSUPPORTED;
    std::size_t headersEnd = FileHeaderSize + infoSize;
    if (compression == BiBitfields && bits == 32) {
        // The three masks follow a 40-byte header; longer headers hold them inside.
        if (infoSize == 40)
            headersEnd += 12;
        if (have < headersEnd)
            return SAVEJPG_E_BMP_TRUNCATED;
        if (u32(p + 54) != 0x00FF0000u || u32(p + 58) != 0x0000FF00u || u32(p + 62) != 0x000000FFu)
            return SAVEJPG_E_BMP_UNSUPPORTED;
    } else if (compression != BiRgb) {
        return SAVEJPG_E_BMP_UNSUPPORTED;
    }
    const std::int64_t rows = h < 0 ? -h : h;
    if (w > MaxSide || rows > MaxSide)
        return SAVEJPG_E_BMP_UNSUPPORTED;
    if (offBits < headersEnd)
        return SAVEJPG_E_BMP_FORMAT;

    const std::int64_t bpp = bits / 8;
    const std::int64_t pitch = (w * bits + 31) / 32 * 4;
    // The last row's padding may be missing; the encoder never reads it.
    const std::int64_t needed = std::int64_t(offBits) + pitch * (rows - 1) + w * bpp;
    if (std::int64_t(fileSize) < needed)
        return SAVEJPG_E_BMP_TRUNCATED;
    needed_ = std::size_t(needed);

    width_ = int(w);
    height_ = int(rows);
    bytesPerPixel_ = int(bpp);
    pitch_ = int(pitch);
    bottomUp_ = h > 0;
    pixelOffset_ = offBits;
    return SAVEJPG_OK;
}

} // namespace savejpg
