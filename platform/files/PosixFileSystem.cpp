// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/files/PosixFileSystem.h"

#include "platform/files/AtomicFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

// The name as the kernel sees it; empty when it cannot be passed as a C string,
// so that a NUL inside a path is refused as a malformed name rather than
// cutting the name short.
QByteArray nativeName(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    return name.contains('\0') ? QByteArray() : name;
}

int openNoBlock(const QByteArray &name, int flags)
{
    int fd;
    do
        fd = ::open(name.constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// 0 when fd is a regular file, otherwise the error to report for it.
int plainFileError(int fd, struct stat *st)
{
    if (::fstat(fd, st) != 0)
        return errno;
    if (S_ISDIR(st->st_mode))
        return EISDIR;
    return S_ISREG(st->st_mode) ? 0 : EINVAL;
}

// Opens a regular file for reading and writing without blocking, creating it
// when missing if create is set (*created tells whether this call made it).
// The descriptor in *fd is close-on-exec.
FsResult openPlainFile(const QString &path, int *fd, bool *created, bool create)
{
    *fd = -1;
    *created = false;
    const QByteArray name = nativeName(path);
    if (name.isEmpty())
        return {EINVAL};
    int f = openNoBlock(name, O_RDWR);
    if (f < 0 && errno == ENOENT && create) {
        f = openNoBlock(name, O_RDWR | O_CREAT | O_EXCL);
        *created = f >= 0;
    }
    if (f < 0)
        return {errno};
    struct stat st = {};
    if (const int error = plainFileError(f, &st); error != 0) {
        ::close(f);
        return {error};
    }
    *fd = f;
    return {};
}

} // namespace

FsEntry PosixFileSystem::probe(const QString &path)
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

FsResult PosixFileSystem::createNew(const QString &path, const QByteArray &content)
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

FsResult PosixFileSystem::remove(const QString &path)
{
    const QByteArray name = nativeName(path);
    if (name.isEmpty())
        return {EINVAL};
    return {::unlink(name.constData()) == 0 ? 0 : errno};
}

FsResult PosixFileSystem::read(const QString &path, qint64 maxSize, QByteArray *bytes)
{
    bytes->clear();
    const QByteArray name = nativeName(path);
    if (name.isEmpty())
        return {EINVAL};
    const int fd = openNoBlock(name, O_RDONLY);
    if (fd < 0)
        return {errno};
    struct stat st = {};
    int error = plainFileError(fd, &st);
    if (error == 0 && st.st_size > maxSize)
        error = EFBIG;
    // The size may change under us: read at most one byte past the limit to notice.
    while (error == 0) {
        const qsizetype had = bytes->size();
        bytes->resize(std::min<qint64>(had + 65536, maxSize + 1));
        const ssize_t n = ::read(fd, bytes->data() + had, std::size_t(bytes->size() - had));
        if (n < 0 && errno == EINTR) {
            bytes->resize(had);
            continue;
        }
        bytes->resize(had + std::max<ssize_t>(n, 0));
        if (n < 0)
            error = errno;
        else if (bytes->size() > maxSize)
            error = EFBIG;
        else if (n == 0)
            break;
    }
    ::close(fd);
    if (error != 0)
        bytes->clear();
    return {error};
}

FsResult PosixFileSystem::readAt(const QString &path, qint64 offset, qint64 size, QByteArray *bytes)
{
    bytes->clear();
    int fd = -1;
    bool created = false;
    if (const FsResult opened = openPlainFile(path, &fd, &created, false); !opened.ok())
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
    if (const FsResult opened = openPlainFile(path, &fd, &made, true); !opened.ok())
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
