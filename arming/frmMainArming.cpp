// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// Arming and disarming: the confirm/cancel toggle.
#include "shell/frmMain.h"
#include "support/ErrorHandler.h"
#include "ui_frmMain.h"

void frmMain::cmdTmSet_Click()
{
    Sub_Set();
}

void frmMain::Sub_Set()
{
    // TODO(arming)
}

void frmMain::arm() {}
void frmMain::disarm() {}
