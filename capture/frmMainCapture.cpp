// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The three timers: status clock, start watch and the capture cycle.
#include "shell/frmMain.h"
#include "support/ErrorHandler.h"
#include "ui_frmMain.h"

#include <QTimer>

void frmMain::Timer_Timer()
{
    setPanelText(2, p.clock.now().toString(QStringLiteral(" yyyy/MM/dd HH:mm:ss ")));
}

void frmMain::StartTimer_Timer()
{
    // TODO(capture)
}

void frmMain::CapTimer_Timer()
{
    // TODO(capture)
}

QString frmMain::Fun_NextTime(const QString &t)
{
    // TODO(capture)
    return t;
}

void frmMain::takeShot() {}
void frmMain::endOfRun() {}
