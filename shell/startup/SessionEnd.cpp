// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/startup/SessionEnd.h"

#include "shell/window/frmMain.h"

#include <QGuiApplication>
#include <QThread>
#include <cstdlib>

namespace
{

SessionEnd *current = nullptr;

} // namespace

SessionEnd::SessionEnd(frmMain &window, const Platform &platform) : window_(window), p(platform)
{
    connect(&signals_, &platform::SignalWatcher::received, this,
            [this](int number) { end(128 + number); });
    // The session manager asks for unsaved data first and only then ends the
    // program (or kills it): save at once.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this] { window_.saveSettingsForSessionEnd(); });
    qApp->installEventFilter(this);

    // Qt ends the process with exit() when the display connection breaks, and
    // so does Xlib; nothing else here calls exit() while the window lives.
    static const bool registered = std::atexit(displayLost) == 0;
    Q_UNUSED(registered);
    current = this;
}

SessionEnd::~SessionEnd()
{
    current = nullptr;
}

bool SessionEnd::eventFilter(QObject *watched, QEvent *event)
{
    // The session manager's "die" reaches the application as a Quit event; left
    // to Qt it would close the window, which refuses while armed.
    if (watched == qApp && event->type() == QEvent::Quit) {
        end(0);
        return true;
    }
    return false;
}

void SessionEnd::end(int exitCode)
{
    window_.saveSettingsForSessionEnd();
    p.tray.remove();
    // A shot in flight gets a moment to finish and remove its BMP.
    window_.session().finishForExit(3000);
    p.process.exitNow(exitCode);
}

void SessionEnd::displayLost()
{
    if (!current)
        return;
    // The widgets belong to the GUI thread; an exit() from another thread
    // still ends with the failure status, unsaved.
    if (QThread::currentThread() == current->thread())
        current->window_.saveSettingsForSessionEnd();
    current->p.process.exitNow(1);
}
