// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>

namespace platform
{

// The outcome of one raw file-system call: 0 or the errno it left, so that the
// checks can sort failures into the ones they stay silent about and the rest.
struct FsResult {
    int error = 0;

    bool ok() const { return error == 0; }
    bool alreadyExists() const;
    // The entry, or a folder on the way to it, is not there.
    bool notFound() const;
    // The file system does not take the text as a name (too long, malformed).
    bool nameRefused() const;
    // The file system refused the access (permissions, read-only mount).
    bool accessRefused() const;
    // The system's own text for the error.
    QString description() const;
};

// What one path names, following symbolic links.
struct FsEntry {
    FsResult result;
    bool isFolder = false;
    bool isPlainFile = false;
};

} // namespace platform
