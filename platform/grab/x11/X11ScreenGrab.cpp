// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/x11/X11ScreenGrab.h"
#include "platform/grab/x11/X11Capture.h"
#include "platform/grab/x11/X11Session.h"

namespace platform
{

X11ScreenGrab::X11ScreenGrab() : capture_(std::make_unique<X11Capture>()) {}

X11ScreenGrab::~X11ScreenGrab() = default;

QString X11ScreenGrab::grabNow(const QString &bmpPath)
{
    QString error;
    const XImage *image = capture_->grab(&error);
    if (!image)
        return error;
    PixelLayout layout;
    layout.bitsPerPixel = image->bits_per_pixel;
    layout.msbFirst = image->byte_order == MSBFirst;
    layout.redMask = std::uint32_t(image->red_mask);
    layout.greenMask = std::uint32_t(image->green_mask);
    layout.blueMask = std::uint32_t(image->blue_mask);
    error = converter_.setLayout(layout);
    if (!error.isEmpty())
        return x11Failure(error);
    if (!bmp_.setSize(image->width, image->height))
        return x11Failure(QStringLiteral("画面が大きすぎます"));
    for (int y = 0; y < image->height; ++y)
        converter_.toBgr(reinterpret_cast<const unsigned char *>(image->data) +
                             std::size_t(y) * std::size_t(image->bytes_per_line),
                         image->width, bmp_.row(y));
    return bmp_.save(bmpPath);
}

} // namespace platform
