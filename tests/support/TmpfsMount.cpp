// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "TmpfsMount.h"

#include <QFile>
#include <QProcess>

TmpfsMount::TmpfsMount(const QString &dir, const QString &options) : dir_(dir)
{
    ok_ = QProcess::execute(QStringLiteral("mount"),
                            {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                             options, QStringLiteral("tmpfs"), dir}) == 0;
}

TmpfsMount::~TmpfsMount()
{
    if (ok_)
        QProcess::execute(QStringLiteral("umount"), {dir_});
}

void TmpfsMount::fill() const
{
    QFile filler(dir_ + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    while (filler.write(QByteArray(4096, 'f')) > 0) {
    }
}
