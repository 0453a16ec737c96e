// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"

#include <QString>

namespace mdlCommon
{

// Reads one value of Snapsentry.ini in the data folder; a missing file, section
// or key gives def. Values are cut to 1023 bytes. Key lookup ignores letter case.
QString Fun_GetIni(const Platform &p, const QString &section, const QString &key,
                   const QString &def);

// Replaces or adds one value. The file is replaced atomically; a failed write
// is not reported (the settings are then simply not kept).
void Sub_PutIni(const Platform &p, const QString &section, const QString &key,
                const QString &value);

} // namespace mdlCommon
