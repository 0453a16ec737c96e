// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"
#include "platform/desktop/SignalWatcher.h"

#include <QObject>

class frmMain;

// The ways the desktop ends the program without closing its window: a
// termination signal (SIGTERM, SIGHUP, SIGINT), the session manager's end of
// the session, and the display connection going away. Each saves the settings
// as closing the window does, and none can be refused, armed or not (a logout
// does not wait). A signal ends with 128 + its number, the session's end with
// 0, a lost display with 1.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    SessionEnd(frmMain &window, const Platform &platform);
    ~SessionEnd() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void end(int exitCode);
    static void displayLost();

    frmMain &window_;
    Platform p;
    platform::SignalWatcher signals_;
};
