// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "support/Launchers.h"

namespace mdlCommon
{

void Sub_ShowHelpFlie(const Platform &) {}
void Sub_ShowWebFlie(const Platform &) {}

} // namespace mdlCommon
