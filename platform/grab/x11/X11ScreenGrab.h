// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/grab/BlockingGrab.h"
#include "platform/grab/BmpWriter.h"
#include "platform/grab/x11/PixelConverter.h"

#include <memory>

namespace platform
{

class X11Capture;

// Grabs the whole X11 root window (every monitor) into a bottom-up 24-bit BMP.
// The X connection, the shared-memory image and the BMP buffer are kept between
// shots; X11 headers stay out of this header, which Qt code includes.
class X11ScreenGrab final : public BlockingGrab
{
public:
    X11ScreenGrab();
    ~X11ScreenGrab() override;
    QString grabNow(const QString &bmpPath) override;

private:
    std::unique_ptr<X11Capture> capture_;
    PixelConverter converter_;
    BmpWriter bmp_;
};

} // namespace platform
