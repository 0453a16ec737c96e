// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/desktop/Clock.h"
#include "platform/desktop/FolderDialog.h"
#include "platform/desktop/Launcher.h"
#include "platform/desktop/MessageBox.h"
#include "platform/desktop/Process.h"
#include "platform/desktop/Tray.h"
#include "platform/files/FileSystem.h"
#include "platform/grab/JpegConverter.h"
#include "platform/grab/ScreenGrab.h"

#include <QString>

// The services the windows use, bundled. Production wires the real ones,
// tests one recording fake.
struct Platform {
    platform::MessageBox &messageBox;
    platform::Clock &clock;
    platform::Tray &tray;
    platform::ScreenGrab &screenGrab;
    platform::JpegConverter &converter;
    platform::FolderDialog &folderDialog;
    platform::Launcher &launcher;
    platform::Process &process;
    platform::FileSystem &files;
    // The executable's folder: Readme.txt and the converter are looked up from here.
    QString appDir;
    // Where Snapsentry.ini, Err.log and the prefix check's test file live.
    QString dataDir;
};
