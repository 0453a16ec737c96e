// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/grab/BlockingGrab.h"
#include "platform/grab/BmpWriter.h"

namespace platform
{

// Photographs every output of a wlroots compositor (sway, Hyprland, river,
// labwc) with wlr-screencopy and lays them out as the compositor does. Each
// shot opens its own connection, so outputs added or removed between shots
// are seen.
class WlrScreenGrab final : public BlockingGrab
{
public:
    QString grabNow(const QString &bmpPath) override;

private:
    BmpWriter bmp_;
};

} // namespace platform
