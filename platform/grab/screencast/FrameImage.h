// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QImage>
#include <QString>
#include <cstddef>

namespace platform
{

// The byte orders of one pixel in a screen-cast frame that the program reads.
// Alpha, where there is one, is ignored: a monitor is opaque.
enum class PixelOrder { BGRx, BGRA, RGBx, RGBA, RGB, BGR };

// Where a frame lies in a stream's buffer.
struct FrameLayout {
    PixelOrder order = PixelOrder::BGRx;
    int width = 0;
    int height = 0;
    int stride = 0;         // bytes from one row to the next
    std::size_t offset = 0; // of the first row, from the start of the buffer
};

int bytesPerPixel(PixelOrder order);

// Copies a frame out of a buffer of bufferSize bytes into *image. The layout is
// checked against the buffer before a byte is read: a producer that announces
// more than it hands over must not make the program read beyond the buffer.
// Returns "" or why not.
QString copyFrame(const unsigned char *buffer, std::size_t bufferSize, const FrameLayout &layout,
                  QImage *image);

} // namespace platform
