// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "capture/ShotPath.h"

namespace capture
{

QString shotBasePath(const QString &folder, const QString &prefix, const QString &minute)
{
    QString base = folder;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + prefix + minute;
}

} // namespace capture
