// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/FolderDialog.h"
#include "platform/JpegConverter.h"
#include "platform/Launcher.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "platform/ScreenGrab.h"
#include "platform/Tray.h"

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
