// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

namespace platform
{

// Opens documents and folders in other programs, never waiting for them.
class Launcher
{
public:
    virtual ~Launcher() = default;
    // Opens a file with its associated application. Result codes as the shell
    // reports them: above 32 success, 2 file not found, 31 no associated
    // application, any other value up to 32 another failure.
    virtual int openDocument(const QString &path) = 0;
    // Opens a web address or a folder. Returns an empty string when the opener
    // was started, otherwise a description of why it could not be.
    virtual QString openUrl(const QString &address) = 0;
    virtual QString openFolder(const QString &path) = 0;
};

} // namespace platform
