// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "shell/remote/CommandLine.h"

#include <optional>

// The command line's side of the D-Bus interface: it carries the options to
// the copy that runs in this session. Needs a QCoreApplication.
namespace remote
{

// True when a copy holds the name on the session bus.
bool copyRuns();

// Carries out the options on the running copy, prints what they print and
// returns the exit status; nothing when no copy runs. Closes the connection
// that it and copyRuns() opened, so that the program can still start.
std::optional<int> forward(const CommandLine &options);

} // namespace remote
