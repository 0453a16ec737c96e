// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <memory>

class QLocalServer;

namespace platform
{

// "Is another copy of this executable running for this user?" The lock is an
// abstract-namespace socket: the kernel drops it however the process ends, and
// no file is left behind. A child process (a file manager we started) does not
// inherit it.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &executablePath);
    ~InstanceLock();
    // True when this process now holds the lock; false when another copy does.
    bool acquire();

private:
    QString name_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace platform
