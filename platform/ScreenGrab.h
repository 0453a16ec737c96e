// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <functional>

namespace platform
{

// Photographs the whole screen (every monitor, on their bounding box, black
// outside them) and stores it as a bottom-up 24-bit BMP. A grab can take from
// milliseconds to many seconds (a desktop portal may ask the user), so it never
// runs on the caller's stack.
class ScreenGrab
{
public:
    // Receives an empty string on success, otherwise a description of the failure.
    using Done = std::function<void(const QString &error)>;

    virtual ~ScreenGrab() = default;
    // Starts a grab and returns at once. done runs exactly once, later, on the GUI
    // thread. A failure never leaves a file at bmpPath. The caller starts no second
    // grab before done has run.
    virtual void grabToBmp(const QString &bmpPath, Done done) = 0;
};

} // namespace platform
