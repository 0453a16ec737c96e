// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/XdgLauncher.h"

namespace platform
{

int XdgLauncher::openDocument(const QString &)
{
    return 42;
}

QString XdgLauncher::openUrl(const QString &)
{
    return {};
}

QString XdgLauncher::openFolder(const QString &)
{
    return {};
}

} // namespace platform
