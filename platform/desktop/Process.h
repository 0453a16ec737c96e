// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

namespace platform
{

// Ends the process at once: no further window event runs.
class Process
{
public:
    virtual ~Process() = default;
    virtual void exitNow(int code) = 0;
};

} // namespace platform
