// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

namespace mdlMain
{

// The program's start-up procedure: refuses a second copy, otherwise loads and
// shows the main window and runs until it is closed.
int Main(int argc, char **argv);

} // namespace mdlMain
