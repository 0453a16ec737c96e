// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/desktop/SignalWatcher.h"

#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform
{

namespace
{

constexpr int Watched[] = {SIGTERM, SIGHUP, SIGINT};
volatile sig_atomic_t writeEnd = -1;

void onSignal(int number)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t n = ::write(writeEnd, &byte, 1);
    errno = saved;
}

} // namespace

SignalWatcher::SignalWatcher(QObject *parent) : QObject(parent)
{
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default effect
    writeEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalWatcher::readPipe);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        sigaction(Watched[i], &action, &previous_[i]);
}

SignalWatcher::~SignalWatcher()
{
    if (pipe_[0] < 0)
        return;
    for (int i = 0; i < 3; ++i)
        sigaction(Watched[i], &previous_[i], nullptr);
    writeEnd = -1;
    delete notifier_;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void SignalWatcher::readPipe()
{
    unsigned char byte;
    while (::read(pipe_[0], &byte, 1) == 1)
        Q_EMIT received(byte);
}

} // namespace platform
