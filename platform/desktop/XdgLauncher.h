// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/desktop/Launcher.h"

namespace platform
{

// Opens documents, addresses and folders with xdg-open, started detached:
// outside a desktop environment xdg-open waits until the viewer closes.
//
// openDocument answers as the shell would: 3 when the folder is missing, 2 when
// the file is missing, 31 when no application is associated with its type,
// 5 when xdg-open is not installed or cannot be started, 42 when it started.
class XdgLauncher final : public Launcher
{
public:
    static constexpr int PathNotFound = 3;
    static constexpr int FileNotFound = 2;
    static constexpr int NoAssociation = 31;
    static constexpr int CannotStart = 5;
    static constexpr int Started = 42;

    int openDocument(const QString &path) override;
    QString openUrl(const QString &address) override;
    QString openFolder(const QString &path) override;
};

} // namespace platform
