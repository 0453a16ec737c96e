// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/AutoScreenGrab.h"
#include "platform/ExitProcess.h"
#include "platform/Platform.h"
#include "platform/PosixFileSystem.h"
#include "platform/QtFolderDialog.h"
#include "platform/QtMessageBox.h"
#include "platform/QtTray.h"
#include "platform/SaveJpgLibrary.h"
#include "platform/SystemClock.h"
#include "platform/XdgLauncher.h"

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
