// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace platform
{

class FolderDialog
{
public:
    virtual ~FolderDialog() = default;
    // Lets the user pick an existing folder. nullopt when cancelled. The root comes
    // back as "/", any other folder without a trailing "/".
    virtual std::optional<QString> chooseFolder(QWidget *owner, const QString &title) = 0;
};

} // namespace platform
