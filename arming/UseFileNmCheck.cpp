// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "arming/UseFileNmCheck.h"

namespace mdlMain {

bool Fun_UseFileNmCheck(const Platform &, const QString &prefix, const QPixmap &)
{
    return !prefix.contains(QLatin1Char('/')) && !prefix.contains(QLatin1Char('\\'));
}

} // namespace mdlMain
