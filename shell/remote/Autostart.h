// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

// The user's XDG autostart entry that starts the program armed and put away at
// login: $XDG_CONFIG_HOME/autostart/org.example.snapsentry.desktop.
namespace autostart
{

QString entryPath();

// The entry's text for the program at this path.
QByteArray entryText(const QString &program);

// Writes (on) or removes (off) the entry. Returns the path written or removed
// (empty when there was nothing to remove), or sets *error.
QString set(bool on, const QString &program, QString *error);

} // namespace autostart
