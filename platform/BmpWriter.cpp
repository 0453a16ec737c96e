// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/BmpWriter.h"

#include <QFile>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform
{

namespace
{

constexpr std::size_t HeadersSize = 14 + 40;
std::atomic<unsigned> tempCounter{0};

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

// A new, uniquely named file beside path; O_EXCL with 0666 keeps the user's umask.
int createTemporary(const QByteArray &path, QByteArray *temp)
{
    const int slash = path.lastIndexOf('/');
    const QByteArray folder = path.left(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temp = folder + ".snapsentry-" + QByteArray::number(getpid()) + '-' +
                QByteArray::number(tempCounter++) + ".tmp";
        const int fd = open(temp->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const unsigned char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= std::size_t(n);
    }
    return true;
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
    QByteArray temp;
    const int fd = createTemporary(QFile::encodeName(path), &temp);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    bool ok = writeAll(fd, buffer_.data(), buffer_.size());
    int err = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && rename(temp.constData(), QFile::encodeName(path).constData()) != 0) {
        ok = false;
        err = errno;
    }
    if (ok)
        return {};
    unlink(temp.constData());
    return QString::fromLocal8Bit(std::strerror(err));
}

} // namespace platform
