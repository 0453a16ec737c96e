// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "arming/PathCheck.h"

#include "platform/files/FileSystem.h"
#include "support/ErrorHandler.h"

namespace mdlCommon
{

namespace
{

// A missing entry and a name the file system cannot take answer false quietly;
// any other failure throws.
bool entryMatches(platform::FileSystem &files, const QString &path, qint16 flag)
{
    const platform::FsEntry entry = files.probe(path);
    if (entry.result.ok())
        return entry.isPlainFile || (flag != 0 && entry.isFolder);
    if (entry.result.notFound() || entry.result.nameRefused())
        return false;
    throw support::ProcError{entry.result.description()};
}

} // namespace

// The path is taken literally: "*" and "?" are ordinary characters, a trailing
// "/" asks for the folder itself, and names starting with "." count like any other.
bool Sub_PathCheck(const Platform &p, const QString &path, qint16 flag)
{
    if (path.isEmpty())
        return false;

    bool found = false;
    support::guarded(p, QStringLiteral("存在チェックエラー"),
                     QStringLiteral("[mdlCommon]-[Sub_PathCheck] "),
                     [&] { found = entryMatches(p.files, path, flag); });
    return found;
}

} // namespace mdlCommon
