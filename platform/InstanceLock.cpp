// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/InstanceLock.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalServer>
#include <unistd.h>

namespace platform
{

InstanceLock::InstanceLock(const QString &executablePath)
{
    const QString canonical = QFileInfo(executablePath).canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    name_ = QStringLiteral("snapsentry-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::acquire()
{
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    if (server_->listen(name_))
        return true;
    server_.reset();
    return false;
}

} // namespace platform
