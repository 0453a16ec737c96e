// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/FileProbe.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

// The name as the kernel sees it; empty when it cannot be passed as a C string.
QByteArray nativeName(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    return name.contains('\0') ? QByteArray() : name;
}

} // namespace

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

FsResult FileProbe::createNew(const QString &path, const QByteArray &content)
{
    const QByteArray name = nativeName(path);
    if (name.isEmpty())
        return {EINVAL};
    int fd;
    do
        fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return {errno};

    int error = writeAll(fd, content.constData(), std::size_t(content.size()));
    // close() is where a delayed write failure (a full disk on some file systems) shows.
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error != 0)
        ::unlink(name.constData()); // ours: created above
    return {error};
}

FsResult FileProbe::removeFile(const QString &path)
{
    const QByteArray name = nativeName(path);
    if (name.isEmpty())
        return {EINVAL};
    return {::unlink(name.constData()) == 0 ? 0 : errno};
}

FsEntry FileProbe::inspect(const QString &path)
{
    FsEntry entry;
    const QByteArray name = nativeName(path);
    if (name.isEmpty()) {
        entry.result = {EINVAL};
        return entry;
    }
    struct stat st = {};
    if (::stat(name.constData(), &st) != 0) {
        entry.result = {errno};
        return entry;
    }
    entry.isFolder = S_ISDIR(st.st_mode);
    entry.isPlainFile = S_ISREG(st.st_mode);
    return entry;
}

} // namespace platform
