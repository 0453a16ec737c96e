// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

namespace platform
{

// A screen grab that blocks until the BMP is written (X11, wlr-screencopy).
// ThreadedGrab runs it off the GUI thread; it is never called twice at once.
class BlockingGrab
{
public:
    virtual ~BlockingGrab() = default;
    // Returns an empty string on success, otherwise a description of the failure.
    // A failure never leaves a partial file at bmpPath.
    virtual QString grabNow(const QString &bmpPath) = 0;
};

} // namespace platform
