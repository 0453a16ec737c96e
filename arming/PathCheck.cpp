// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "arming/PathCheck.h"

#include <QFileInfo>

namespace mdlCommon {

bool Sub_PathCheck(const Platform &, const QString &path, qint16 flag)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && (flag != 0 || !info.isDir());
}

} // namespace mdlCommon
