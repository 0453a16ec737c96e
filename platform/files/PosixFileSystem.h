// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/files/FileSystem.h"

namespace platform
{

// The file system itself, through POSIX calls.
class PosixFileSystem final : public FileSystem
{
public:
    FsEntry probe(const QString &path) override;
    FsResult createNew(const QString &path, const QByteArray &content) override;
    FsResult remove(const QString &path) override;
    FsResult read(const QString &path, qint64 maxSize, QByteArray *bytes) override;
    FsResult readAt(const QString &path, qint64 offset, qint64 size, QByteArray *bytes) override;
    FsResult replaceAtomically(const QString &path, const QByteArray &content) override;
    FsResult writeAt(const QString &path, qint64 offset, const QByteArray &bytes,
                     bool *created) override;
};

} // namespace platform
