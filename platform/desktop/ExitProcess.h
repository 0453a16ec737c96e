// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/desktop/Process.h"

namespace platform
{

class ExitProcess final : public Process
{
public:
    void exitNow(int code) override;
};

} // namespace platform
