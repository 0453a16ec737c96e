// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "arming/PathCheck.h"

#include "platform/FileProbe.h"
#include "support/ErrorHandler.h"

namespace mdlCommon
{

// The path is taken literally: "*" and "?" are ordinary characters, a trailing
// "/" asks for the folder itself, and names starting with "." count like any other.
bool Sub_PathCheck(const Platform &p, const QString &path, qint16 flag)
{
    if (path.isEmpty())
        return false;

    bool found = false;
    support::guarded(p, QStringLiteral("存在チェックエラー"),
                     QStringLiteral("[mdlCommon]-[Sub_PathCheck] "), [&] {
                         const platform::FsEntry entry = platform::FileProbe::inspect(path);
                         if (entry.result.ok())
                             found = entry.isPlainFile || (flag != 0 && entry.isFolder);
                         else if (!entry.result.notFound() && !entry.result.nameRefused())
                             throw support::ProcError{entry.result.description()};
                     });
    return found;
}

} // namespace mdlCommon
