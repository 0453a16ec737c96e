// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/ScreenGrab.h"

namespace platform
{

// Grabs the whole X11 root window (every monitor).
class X11ScreenGrab final : public ScreenGrab
{
public:
    QString grabToBmp(const QString &bmpPath) override;
};

} // namespace platform
