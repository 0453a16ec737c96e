// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/frmMain.h"
#include "support/ErrorHandler.h"
#include "ui_frmMain.h"

void frmMain::cmdSelectFolder_Click()
{
    // TODO(arming): folder dialog
}
