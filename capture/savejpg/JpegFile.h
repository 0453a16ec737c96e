// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <cstddef>

namespace savejpg
{

// Writes data to path through a temporary file in the same folder that is then
// renamed over path: the target is either the complete new file or untouched.
// Returns false (leaving no temporary file) when any step fails.
bool writeFileAtomically(const char *path, const unsigned char *data, std::size_t size);

} // namespace savejpg
