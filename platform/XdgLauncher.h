// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Launcher.h"

namespace platform
{

// Opens documents, addresses and folders with xdg-open, started detached.
class XdgLauncher final : public Launcher
{
public:
    int openDocument(const QString &path) override;
    QString openUrl(const QString &address) override;
    QString openFolder(const QString &path) override;
};

} // namespace platform
