// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/TrayIconData.h"

namespace mdlMain
{
platform::NotifyIconData TrayIconData;
}
