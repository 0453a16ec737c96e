// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/BackgroundThread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform
{

void becomeBackgroundThread()
{
    thread_local bool lowered = false;
    if (lowered)
        return;
    lowered = true;
    // On Linux the nice value belongs to the thread named by its id.
    setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), 10);
}

} // namespace platform
