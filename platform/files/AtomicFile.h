// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <cstddef>

// Plain POSIX, no Qt: the converter library compiles this file too.
namespace platform
{

// Writes all of data to fd, resuming after short writes. Returns 0 or the errno.
int writeAll(int fd, const void *data, std::size_t size);

// Writes data to path through a new temporary file in the same folder that is
// then renamed over path: the target is either the complete new file or
// untouched, and no temporary file is left. Returns 0 or the errno of the
// step that failed. With sync the data reaches the disk before the rename, so
// that not even a power cut leaves an empty file. The new file gets mode as
// the user's umask leaves it (0600 for a file nobody else may read).
int writeFileAtomically(const char *path, const void *data, std::size_t size, bool sync = false,
                        unsigned mode = 0666);

} // namespace platform
