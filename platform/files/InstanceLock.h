// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

namespace platform
{

// "Is another copy of this executable running for this user?" An flock() on a
// file in a folder only this user can enter ($XDG_RUNTIME_DIR, else a 0700
// folder in the user's cache): no other user can take it first, the kernel
// drops it however the process ends, and a child process (a file manager we
// started) does not inherit it. The name carries the executable's path, so
// copies in two folders run side by side.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &executablePath);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // True when this process now holds the lock; false when another copy does.
    // Where no lock can be made at all the program is let run.
    bool acquire();

private:
    QString name_;
    int fd_ = -1;
};

} // namespace platform
