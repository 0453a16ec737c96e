// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/files/FsResult.h"

#include <QByteArray>
#include <QString>

namespace platform
{

// The file-system calls whose failures the program sorts and reports: the
// checks before arming, the settings file, the error log and the shot's BMP.
// Every file read is a regular file opened without blocking (a FIFO or a device
// in its place fails at once). Paths are taken literally.
class FileSystem
{
public:
    virtual ~FileSystem() = default;
    virtual FsEntry probe(const QString &path) = 0;
    // Creates path only where no entry of that name exists and writes content;
    // a file this call made is removed again when the write fails.
    virtual FsResult createNew(const QString &path, const QByteArray &content) = 0;
    virtual FsResult remove(const QString &path) = 0;
    // The whole file, refused when it is larger than maxSize.
    virtual FsResult read(const QString &path, qint64 maxSize, QByteArray *bytes) = 0;
    // Up to size bytes from offset (fewer at the end of the file).
    virtual FsResult readAt(const QString &path, qint64 offset, qint64 size, QByteArray *bytes) = 0;
    // Through a new temporary file renamed over path: path is the whole new
    // content or untouched.
    virtual FsResult replaceAtomically(const QString &path, const QByteArray &content) = 0;
    // Writes bytes at offset, creating the file when missing (*created tells).
    virtual FsResult writeAt(const QString &path, qint64 offset, const QByteArray &bytes,
                             bool *created) = 0;
};

} // namespace platform
