// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QByteArray>
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

// Paths are taken literally: no patterns, and a NUL inside a path is refused as
// a malformed name rather than cutting the name short.
class FileProbe
{
public:
    // Creates path only if no entry of that name exists, writes content into it
    // and closes it. A file that this call created is removed again when the
    // write fails; an entry that was there before is never touched.
    static FsResult createNew(const QString &path, const QByteArray &content);
    static FsResult removeFile(const QString &path);
    static FsEntry inspect(const QString &path);

    // Reads a whole regular file of at most maxSize bytes. Opened without blocking
    // and checked before reading, so that a FIFO or a device put in its place fails
    // at once instead of hanging the program or filling its memory.
    static FsResult readPlainFile(const QString &path, qint64 maxSize, QByteArray *bytes);
    // Opens a regular file for reading and writing in the same way, creating it
    // when missing if create is set. *created tells whether this call made it.
    // Returns the descriptor (close-on-exec) in *fd.
    static FsResult openPlainFile(const QString &path, int *fd, bool *created, bool create = true);
};

} // namespace platform
