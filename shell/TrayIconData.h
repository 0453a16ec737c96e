// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Tray.h"

namespace mdlMain
{

// The one tray record of the program: the icon and tip the tray shows whenever
// the icon is added. Form_Load fills it; arming, disarming and the end of a run
// change its icon and tip.
extern platform::NotifyIconData TrayIconData;

} // namespace mdlMain
