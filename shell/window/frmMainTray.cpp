// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The window's life between the desktop and the notification area.
#include "shell/window/frmMain.h"
#include "support/ErrorHandler.h"
#include "ui_frmMain.h"

#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QWindowStateChangeEvent>

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmMain::Form_Resize()
{
    if (isMinimized()) {
        // Without a tray the window stays minimised on the taskbar, where it can be reached.
        if (!p.tray.isAvailable())
            return;
        hide();
        p.tray.add();
    } else {
        if (!isVisible())
            show();
        p.tray.remove();
    }
}

void frmMain::showPutAway()
{
    // The tray icon that loading registered stays: the window is never shown.
    if (p.tray.isAvailable())
        setWindowState(Qt::WindowMinimized);
    else
        showMinimized();
}

void frmMain::Form_MouseMove(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        Sub_FormShow();
    else if (reason == QSystemTrayIcon::Context)
        ui->M_TaskBarMain->popup(QCursor::pos());
}

void frmMain::Sub_FormShow()
{
    support::guarded(p, QStringLiteral("フォーム表示エラー"),
                     QStringLiteral("[frmMain]-[Sub_FormShow] "), [this] {
                         setWindowState(windowState() & ~Qt::WindowMinimized);
                         show();
                         raise();
                         activateWindow();
                     });
}

void frmMain::Sub_FormHide()
{
    support::guarded(p, QStringLiteral("フォーム非表示エラー"),
                     QStringLiteral("[frmMain]-[Sub_FormHide] "), [this] {
                         setWindowState(windowState() | Qt::WindowMinimized);
                         if (p.tray.isAvailable())
                             hide();
                     });
}

void frmMain::M_TaskBar_Click(int index)
{
    if (index == 1)
        Sub_FormShow();
    else if (index == 3)
        close();
}
