// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/desktop/QtFolderDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace platform
{

std::optional<QString> QtFolderDialog::chooseFolder(QWidget *owner, const QString &title)
{
    QString folder =
        QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
    // Only an existing folder is an answer; whatever else a dialog hands back
    // (a typed name that is gone by now) counts as a cancel.
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return std::nullopt;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

} // namespace platform
