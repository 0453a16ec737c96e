// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/files/PosixFileSystem.h"

#include "platform/files/AtomicFile.h"

#include <QFile>
#include <cerrno>
#include <unistd.h>

namespace platform
{

FsEntry PosixFileSystem::probe(const QString &path)
{
    return FileProbe::inspect(path);
}

FsResult PosixFileSystem::createNew(const QString &path, const QByteArray &content)
{
    return FileProbe::createNew(path, content);
}

FsResult PosixFileSystem::remove(const QString &path)
{
    return FileProbe::removeFile(path);
}

FsResult PosixFileSystem::read(const QString &path, qint64 maxSize, QByteArray *bytes)
{
    return FileProbe::readPlainFile(path, maxSize, bytes);
}

FsResult PosixFileSystem::readAt(const QString &path, qint64 offset, qint64 size, QByteArray *bytes)
{
    bytes->clear();
    int fd = -1;
    bool created = false;
    if (const FsResult opened = FileProbe::openPlainFile(path, &fd, &created, false); !opened.ok())
        return opened;
    bytes->resize(size);
    const ssize_t got = ::pread(fd, bytes->data(), std::size_t(size), offset);
    const int error = got < 0 ? errno : 0;
    ::close(fd);
    bytes->resize(got < 0 ? 0 : qsizetype(got));
    return {error};
}

FsResult PosixFileSystem::replaceAtomically(const QString &path, const QByteArray &content)
{
    return {writeFileAtomically(QFile::encodeName(path).constData(), content.constData(),
                                std::size_t(content.size()), true)};
}

FsResult PosixFileSystem::writeAt(const QString &path, qint64 offset, const QByteArray &bytes,
                                  bool *created)
{
    int fd = -1;
    bool made = false;
    if (const FsResult opened = FileProbe::openPlainFile(path, &fd, &made); !opened.ok())
        return opened;
    if (created)
        *created = made;
    int error = 0;
    for (qint64 done = 0; done < bytes.size() && error == 0;) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, std::size_t(bytes.size() - done), offset + done);
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EINTR)
            error = errno;
        else if (n == 0)
            error = EIO;
    }
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return {error};
}

} // namespace platform
