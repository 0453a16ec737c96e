// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QObject>
#include <csignal>

class QSocketNotifier;

namespace platform
{

// Delivers SIGTERM, SIGHUP and SIGINT as a Qt signal on the thread that made
// the watcher. The handler only writes the number into a pipe, the one thing a
// handler may safely do while any thread is anywhere. One watcher at a time;
// its end puts the previous handlers back.
class SignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SignalWatcher(QObject *parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPipe();

    int pipe_[2] = {-1, -1};
    QSocketNotifier *notifier_ = nullptr;
    struct sigaction previous_[3] = {};
};

} // namespace platform
