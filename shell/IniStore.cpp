// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/IniStore.h"

#include "shell/IniFile.h"
#include "support/Utf8.h"

#include <QFile>
#include <QSaveFile>
#include <unistd.h>

namespace
{

constexpr int ValueLimit = 1023; // bytes, as the profile reader's buffer allows

QString iniPath(const QString &appDir)
{
    return appDir + QStringLiteral("/Snapsentry.ini");
}

IniFile readIni(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IniFile::fromBytes({});
    return IniFile::fromBytes(file.readAll());
}

} // namespace

namespace mdlCommon
{

QString Fun_GetIni(const QString &appDir, const QString &section, const QString &key,
                   const QString &def)
{
    const std::optional<QString> value = readIni(iniPath(appDir)).value(section, key);
    if (!value)
        return def;
    return QString::fromUtf8(support::cutUtf8(value->toUtf8(), ValueLimit));
}

void Sub_PutIni(const QString &appDir, const QString &section, const QString &key,
                const QString &value)
{
    const QString path = iniPath(appDir);
    IniFile ini = readIni(path);
    ini.setValue(section, key, value);

    // Written beside the old file and renamed over it: a crash or a full disk
    // leaves the old settings, never half of the new ones.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QByteArray bytes = ini.toBytes();
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return;
    }
    file.commit();
}

} // namespace mdlCommon
