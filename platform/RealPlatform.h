// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"
#include "platform/desktop/ExitProcess.h"
#include "platform/desktop/QtFolderDialog.h"
#include "platform/desktop/QtMessageBox.h"
#include "platform/desktop/QtTray.h"
#include "platform/desktop/SystemClock.h"
#include "platform/desktop/XdgLauncher.h"
#include "platform/files/PosixFileSystem.h"
#include "platform/grab/AutoScreenGrab.h"
#include "platform/grab/SaveJpgLibrary.h"

// The production services. Create it after the QApplication.
class RealPlatform
{
public:
    RealPlatform(const QString &appDir, const QString &dataDir);
    Platform platform();

private:
    QString appDir_;
    QString dataDir_;
    platform::QtMessageBox messageBox_;
    platform::SystemClock clock_;
    platform::QtTray tray_;
    platform::AutoScreenGrab screenGrab_;
    platform::SaveJpgLibrary converter_;
    platform::QtFolderDialog folderDialog_;
    platform::XdgLauncher launcher_;
    platform::ExitProcess process_;
    platform::PosixFileSystem files_;
};
