// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QString>
#include <utility>

namespace mdlCommon
{

// The settings file Snapsentry.ini in the data folder.
QString iniPath(const QString &dataDir);

// Reads one value of Snapsentry.ini in the data folder; a missing file, section
// or key gives def. Values are cut to 1023 bytes. Key lookup ignores letter case.
QString Fun_GetIni(const Platform &p, const QString &section, const QString &key,
                   const QString &def);

// Replaces or adds one value. The file is replaced atomically; a failed write
// is not reported (the settings are then simply not kept).
void Sub_PutIni(const Platform &p, const QString &section, const QString &key,
                const QString &value);

// Replaces or adds several values of the settings file at path in one atomic
// write; false where the file cannot be read as a settings file or written.
bool putIniValues(platform::FileSystem &files, const QString &path, const QString &section,
                  const QList<std::pair<QString, QString>> &values);

} // namespace mdlCommon
