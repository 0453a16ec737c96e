// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/screencast/RestoreToken.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/PosixFileSystem.h"

#include <QFile>
#include <QRegularExpression>

namespace platform
{

namespace
{

// Portals hand out UUIDs; anything of another shape was not written by us.
bool plausible(const QString &token)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z0-9._-]{1,200}$"));
    return shape.match(token).hasMatch();
}

} // namespace

QString RestoreToken::load() const
{
    QByteArray bytes;
    if (!PosixFileSystem().read(path_, 4096, &bytes).ok())
        return {};
    const QString token = QString::fromLatin1(bytes).trimmed();
    return plausible(token) ? token : QString();
}

void RestoreToken::store(const QString &token) const
{
    if (!plausible(token)) {
        QFile::remove(path_);
        return;
    }
    const QByteArray bytes = token.toLatin1() + '\n';
    writeFileAtomically(QFile::encodeName(path_).constData(), bytes.constData(),
                        std::size_t(bytes.size()), false, 0600);
}

} // namespace platform
