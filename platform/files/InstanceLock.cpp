// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/files/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

// A folder that is this user's alone: owned by us, no access for anyone else.
bool isPrivateFolder(const QByteArray &path)
{
    struct stat st = {};
    return !path.isEmpty() && ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

QByteArray privateCacheFolder()
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (!QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    const QByteArray base = QFile::encodeName(cache);
    const QByteArray folder = base + "/snapsentry";
    ::mkdir(base.constData(), 0700);
    if (::mkdir(folder.constData(), 0700) != 0 && errno == EEXIST) {
        struct stat st = {};
        // Ours but made with a looser umask: tighten it.
        if (::lstat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
            st.st_uid == ::geteuid())
            ::chmod(folder.constData(), 0700);
    }
    return folder;
}

QByteArray lockFolder()
{
    const QByteArray runtime = QFile::encodeName(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    if (runtime.startsWith('/') && isPrivateFolder(runtime))
        return runtime;
    const QByteArray cache = privateCacheFolder();
    return isPrivateFolder(cache) ? cache : QByteArray();
}

} // namespace

InstanceLock::InstanceLock(const QString &executablePath)
{
    const QString canonical = QFileInfo(executablePath).canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    name_ = QStringLiteral("snapsentry-%1.lock").arg(QString::fromLatin1(hash));
}

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool InstanceLock::acquire()
{
    const QByteArray folder = lockFolder();
    if (folder.isEmpty())
        return true;
    const QByteArray path = folder + '/' + QFile::encodeName(name_);
    const int fd =
        ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
        return true;
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return true;
    }
    int rc;
    do
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        fd_ = fd;
        return true;
    }
    const bool heldElsewhere = errno == EWOULDBLOCK;
    ::close(fd);
    return !heldElsewhere;
}

} // namespace platform
