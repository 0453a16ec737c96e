// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "support/ErrorHandler.h"

#include "support/ErrLog.h"

namespace support
{

void reportError(const Platform &p, const QString &title, const QString &where,
                 const QString &description)
{
    p.messageBox.show(title + QStringLiteral("\r\n") + description, platform::MsgIcon::Critical);
    mdlCommon::Sub_ErrLog(p, where + description);
}

} // namespace support
