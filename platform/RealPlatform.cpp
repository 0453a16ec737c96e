// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/RealPlatform.h"

RealPlatform::RealPlatform(const QString &appDir, const QString &dataDir)
    : appDir_(appDir), dataDir_(dataDir), screenGrab_(dataDir), converter_(appDir)
{
}

Platform RealPlatform::platform()
{
    return Platform{messageBox_, clock_,   tray_,  screenGrab_, converter_, folderDialog_,
                    launcher_,   process_, files_, appDir_,     dataDir_};
}
