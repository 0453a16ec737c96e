// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/screencast/FrameImage.h"

#include <cstring>

namespace platform
{

namespace
{

// The largest picture a BMP of the desktop can hold is far below this.
constexpr int MaxSide = 32768;

QImage::Format imageFormat(PixelOrder order)
{
    switch (order) {
    case PixelOrder::BGRx:
    case PixelOrder::BGRA:
        return QImage::Format_RGB32; // B, G, R, X in memory on a little-endian machine
    case PixelOrder::RGBx:
    case PixelOrder::RGBA:
        return QImage::Format_RGBX8888;
    case PixelOrder::RGB:
        return QImage::Format_RGB888;
    case PixelOrder::BGR:
        return QImage::Format_BGR888;
    }
    return QImage::Format_Invalid;
}

} // namespace

int bytesPerPixel(PixelOrder order)
{
    return order == PixelOrder::RGB || order == PixelOrder::BGR ? 3 : 4;
}

QString copyFrame(const unsigned char *buffer, std::size_t bufferSize, const FrameLayout &layout,
                  QImage *image)
{
    const int bpp = bytesPerPixel(layout.order);
    if (layout.width <= 0 || layout.height <= 0 || layout.width > MaxSide ||
        layout.height > MaxSide)
        return QStringLiteral("画面の大きさ %1x%2 が正しくありません")
            .arg(layout.width)
            .arg(layout.height);
    const std::size_t rowBytes = std::size_t(layout.width) * std::size_t(bpp);
    if (layout.stride <= 0 || std::size_t(layout.stride) < rowBytes)
        return QStringLiteral("画面の行の長さ %1 バイトが幅 %2 に足りません")
            .arg(layout.stride)
            .arg(layout.width);
    // Sizes stay far below overflow: both sides and the stride are bounded.
    const std::size_t needed =
        layout.offset + std::size_t(layout.stride) * std::size_t(layout.height - 1) + rowBytes;
    if (!buffer || layout.offset > bufferSize || needed > bufferSize)
        return QStringLiteral("画面のバッファが小さすぎます (%1 バイト、必要なのは %2 バイト)")
            .arg(bufferSize)
            .arg(needed);

    QImage copy(layout.width, layout.height, imageFormat(layout.order));
    if (copy.isNull())
        return QStringLiteral("画面が大きすぎます");
    const unsigned char *row = buffer + layout.offset;
    for (int y = 0; y < layout.height; ++y, row += layout.stride) {
        unsigned char *to = copy.scanLine(y);
        std::memcpy(to, row, rowBytes);
        // The fourth byte (padding or alpha) becomes opaque, as Qt expects of these formats.
        if (bpp == 4)
            for (std::size_t x = 3; x < rowBytes; x += 4)
                to[x] = 0xFF;
    }
    *image = std::move(copy);
    return {};
}

} // namespace platform
