// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

namespace platform
{

// Photographs the whole screen (every monitor) and stores it as a bottom-up BMP.
class ScreenGrab
{
public:
    virtual ~ScreenGrab() = default;
    // Returns an empty string on success, otherwise a description of the failure.
    // A failure never leaves a partial file at bmpPath.
    virtual QString grabToBmp(const QString &bmpPath) = 0;
};

} // namespace platform
