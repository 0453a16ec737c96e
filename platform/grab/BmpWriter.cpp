// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/BmpWriter.h"

#include "platform/files/AtomicFile.h"

#include <QFile>
#include <cstring>

namespace platform
{

namespace
{

constexpr std::size_t HeadersSize = 14 + 40;

void put16(unsigned char *p, unsigned v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

void put32(unsigned char *p, std::uint32_t v)
{
    put16(p, v & 0xFFFF);
    put16(p + 2, v >> 16);
}

} // namespace

bool BmpWriter::setSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    const std::size_t total = HeadersSize + stride * std::size_t(height);
    if (total > 0x7FFFFFFF) // the file header holds the size in 32 bits
        return false;
    if (width == width_ && height == height_)
        return true;
    width_ = width;
    height_ = height;
    stride_ = stride;
    buffer_.assign(total, 0); // zeroed: the row padding stays zero
    unsigned char *h = buffer_.data();
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, std::uint32_t(total));
    put32(h + 10, HeadersSize);
    put32(h + 14, 40);
    put32(h + 18, std::uint32_t(width));
    put32(h + 22, std::uint32_t(height)); // positive: bottom-up, the form every reader accepts
    put16(h + 26, 1);
    put16(h + 28, 24);
    put32(h + 34, std::uint32_t(stride * std::size_t(height)));
    put32(h + 38, 3780); // 96 dpi
    put32(h + 42, 3780);
    return true;
}

std::size_t BmpWriter::rowOffset(int y) const
{
    return HeadersSize + stride_ * std::size_t(height_ - 1 - y);
}

QString BmpWriter::save(const QString &path) const
{
    if (buffer_.empty())
        return QStringLiteral("empty picture");
    const int error =
        writeFileAtomically(QFile::encodeName(path).constData(), buffer_.data(), buffer_.size());
    return error == 0 ? QString() : QString::fromLocal8Bit(std::strerror(error));
}

} // namespace platform
