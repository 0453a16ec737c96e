// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/files/AppLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

// Like mkdir -p, but every folder it makes is the user's alone. Folders that
// exist keep their mode: they are the user's business.
void makePrivatePath(const QString &path)
{
    QString done;
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        done += QLatin1Char('/') + part;
        const QByteArray native = QFile::encodeName(done);
        if (::mkdir(native.constData(), 0700) == 0)
            ::chmod(native.constData(), 0700); // whatever the umask took away
    }
}

} // namespace

// Only an absolute XDG_CONFIG_HOME counts; a relative one is ignored.
QString configHome()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.config");
}

bool isInstalledTree(const QString &appDir)
{
    return QFileInfo(appDir + QStringLiteral("/../lib/snapsentry")).isDir();
}

QString dataDir(const QString &appDir)
{
    // access() rather than the mode bits: a read-only mount refuses even root.
    // An installed tree never gets files beside its executable, even where
    // root or the owner of a prefix such as ~/.local could write there.
    if (!isInstalledTree(appDir) &&
        ::access(QFile::encodeName(appDir).constData(), W_OK | X_OK) == 0)
        return appDir;
    const QString dir = configHome() + QStringLiteral("/snapsentry");
    makePrivatePath(dir);
    return dir;
}

QString readmePath(const QString &appDir)
{
    if (isInstalledTree(appDir))
        return QDir::cleanPath(appDir + QStringLiteral("/../share/doc/snapsentry/Readme.txt"));
    return appDir + QStringLiteral("/Readme.txt");
}

} // namespace platform
