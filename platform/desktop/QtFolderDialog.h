// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/desktop/FolderDialog.h"

namespace platform
{

class QtFolderDialog final : public FolderDialog
{
public:
    std::optional<QString> chooseFolder(QWidget *owner, const QString &title) override;
};

} // namespace platform
