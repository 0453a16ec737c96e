// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/files/FsResult.h"

#include <cerrno>
#include <cstring>

namespace platform
{

bool FsResult::alreadyExists() const
{
    return error == EEXIST;
}

bool FsResult::notFound() const
{
    return error == ENOENT || error == ENOTDIR;
}

bool FsResult::nameRefused() const
{
    return error == ENAMETOOLONG || error == EINVAL || error == EILSEQ;
}

bool FsResult::accessRefused() const
{
    return error == EACCES || error == EPERM || error == EROFS;
}

QString FsResult::description() const
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace platform
