// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/desktop/XdgLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

namespace platform
{

namespace
{

const QString Opener = QStringLiteral("xdg-open");

// False only when xdg-mime says for sure that nothing opens this type. An
// unknown type, a missing xdg-mime or a slow answer leave it to xdg-open.
bool hasAssociation(const QString &path)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    if (!type.isValid() || type.isDefault())
        return true;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), type.name()});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(500);
        return true;
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

// Empty when xdg-open was started, otherwise why it could not be.
QString startOpener(const QString &argument)
{
    if (QStandardPaths::findExecutable(Opener).isEmpty())
        return QStringLiteral("%1: %2").arg(Opener, QString::fromLocal8Bit(std::strerror(ENOENT)));
    QProcess opener;
    opener.setProgram(Opener);
    opener.setArguments({argument});
    opener.setStandardInputFile(QProcess::nullDevice());
    if (!opener.startDetached())
        return opener.errorString();
    return {};
}

} // namespace

int XdgLauncher::openDocument(const QString &path)
{
    const QFileInfo file(path);
    if (!file.absoluteDir().exists())
        return PathNotFound;
    if (!file.exists())
        return FileNotFound;
    if (!hasAssociation(path))
        return NoAssociation;
    return startOpener(path).isEmpty() ? Started : CannotStart;
}

QString XdgLauncher::openUrl(const QString &address)
{
    return startOpener(address);
}

QString XdgLauncher::openFolder(const QString &path)
{
    return startOpener(path);
}

} // namespace platform
