// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

// The program runs either from the portable folder the build lays out
// (everything beside the executable) or from an installed tree: bin/,
// lib/snapsentry/ and share/doc/snapsentry/ under one prefix.
namespace platform
{

// $XDG_CONFIG_HOME when it is absolute, otherwise ~/.config.
QString configHome();

// True when appDir is the bin/ folder of an installed tree.
bool isInstalledTree(const QString &appDir);

// Where Snapsentry.ini, Err.log and the prefix check's test file belong: the
// application folder of a portable copy that may write there, otherwise
// $XDG_CONFIG_HOME/snapsentry, made 0700 when missing.
QString dataDir(const QString &appDir);

// The Readme.txt that the Help menu opens.
QString readmePath(const QString &appDir);

} // namespace platform
