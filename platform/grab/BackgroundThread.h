// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

namespace platform
{

// Lowers the calling thread's scheduling priority, once per thread: the shot's
// worker threads then yield the processor to the window's thread, which stays
// responsive on a machine with few cores.
void becomeBackgroundThread();

} // namespace platform
