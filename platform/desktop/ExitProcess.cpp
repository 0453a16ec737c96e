// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/desktop/ExitProcess.h"

#include <cstdio>
#include <cstdlib>

namespace platform
{

void ExitProcess::exitNow(int code)
{
    // Ends at once, as the program's own "End" did: no window event runs after
    // this, and no static destructor runs under a live QApplication.
    std::fflush(nullptr);
    std::_Exit(code);
}

} // namespace platform
