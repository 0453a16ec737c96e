// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The save-folder button: the only place inside the program that sets the folder.
#include "shell/window/frmMain.h"
#include "support/ErrorHandler.h"
#include "ui_frmMain.h"

void frmMain::cmdSelectFolder_Click()
{
    support::guarded(p, QStringLiteral("保存先フォルダ選択エラー"),
                     QStringLiteral("[frmMain]-[cmdSelectFolder_Click] "), [this] {
                         const std::optional<QString> folder = p.folderDialog.chooseFolder(
                             this, QStringLiteral("フォルダを選択してください"));
                         if (folder)
                             ui->txtSaveFolder->setText(*folder);
                     });
}
