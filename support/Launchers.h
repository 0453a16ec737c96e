// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"

namespace mdlCommon
{

// Opens Readme.txt of the application folder with its associated application.
void Sub_ShowHelpFlie(const Platform &p);
// Opens the maker's web page.
void Sub_ShowWebFlie(const Platform &p);

} // namespace mdlCommon
