// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BmpImage.h"
#include "SaveJPG.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace savejpg
{

namespace
{

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiBitfields = 3;
constexpr std::int64_t MaxSide = 65535; // the largest picture a JPEG file can hold

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

BmpImage::~BmpImage()
{
    if (map_)
        munmap(const_cast<unsigned char *>(map_), size_);
}

int BmpImage::open(const char *path)
{
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return SAVEJPG_E_BMP_OPEN;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return SAVEJPG_E_BMP_OPEN;
    }
    size_ = std::size_t(st.st_size);
    if (size_ < 2) {
        ::close(fd);
        return SAVEJPG_E_BMP_FORMAT;
    }
    // Mapping avoids copying the rows; the encoder reads them straight from the page cache.
    // The sizes are checked against this length, so only a file cut short by another
    // process during the conversion could still fault.
    void *m = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (m == MAP_FAILED)
        return errno == ENOMEM ? SAVEJPG_E_MEMORY : SAVEJPG_E_BMP_OPEN;
    map_ = static_cast<const unsigned char *>(m);
    return parse();
}

int BmpImage::parse()
{
    const unsigned char *p = map_;
    if (p[0] != 'B' || p[1] != 'M')
        return SAVEJPG_E_BMP_FORMAT;
    if (size_ < FileHeaderSize + 4)
        return SAVEJPG_E_BMP_TRUNCATED;
    const std::uint32_t offBits = u32(p + 10);
    const std::uint32_t infoSize = u32(p + 14);
    if (infoSize == 12)
        return SAVEJPG_E_BMP_UNSUPPORTED; // OS/2 core header
    if (infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124)
        return SAVEJPG_E_BMP_FORMAT;
    if (size_ < FileHeaderSize + infoSize)
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
        if (size_ < headersEnd)
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
    if (std::int64_t(size_) < needed)
        return SAVEJPG_E_BMP_TRUNCATED;

    width_ = int(w);
    height_ = int(rows);
    bytesPerPixel_ = int(bpp);
    pitch_ = int(pitch);
    bottomUp_ = h > 0;
    pixelOffset_ = offBits;
    return SAVEJPG_OK;
}

} // namespace savejpg
