// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <vector>

namespace platform
{

// A 24-bit bottom-up Windows BMP laid out in one buffer, headers and rows, so that
// storing it costs one write() call. The buffer is kept from picture to picture.
class BmpWriter
{
public:
    // Lays out a width x height picture. False when it is empty or too large for BMP.
    bool setSize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    // Row y counted from the top of the picture: width * 3 bytes, blue, green, red.
    unsigned char *row(int y) { return buffer_.data() + rowOffset(y); }

    // Writes the picture through a temporary file in the same folder that is then
    // renamed over path. Returns "" or the system's description of the failure;
    // a failure leaves neither a partial file nor a temporary one.
    QString save(const QString &path) const;

private:
    std::size_t rowOffset(int y) const;

    std::vector<unsigned char> buffer_;
    int width_ = 0;
    int height_ = 0;
    std::size_t stride_ = 0;
};

} // namespace platform
