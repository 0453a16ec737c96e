// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/IniStore.h"

#include "platform/FileProbe.h"
#include "shell/IniFile.h"
#include "support/Utf8.h"

#include <QSaveFile>
#include <unistd.h>

namespace
{

constexpr int ValueLimit = 1023; // bytes, as the profile reader's buffer allows

QString iniPath(const QString &appDir)
{
    return appDir + QStringLiteral("/Snapsentry.ini");
}

constexpr qint64 FileLimit = 1 << 20; // far beyond any settings file the program writes

// The file's lines; nothing when something other than a readable settings file
// stands at path (a FIFO, a device, a huge file): it reads as missing and is
// never replaced. A missing file reads as empty.
std::optional<IniFile> readIni(const QString &path)
{
    QByteArray bytes;
    const platform::FsResult read = platform::FileProbe::readPlainFile(path, FileLimit, &bytes);
    if (!read.ok() && !read.notFound())
        return std::nullopt;
    return IniFile::fromBytes(bytes);
}

} // namespace

namespace mdlCommon
{

QString Fun_GetIni(const QString &appDir, const QString &section, const QString &key,
                   const QString &def)
{
    const std::optional<IniFile> ini = readIni(iniPath(appDir));
    const std::optional<QString> value = ini ? ini->value(section, key) : std::nullopt;
    if (!value)
        return def;
    return QString::fromUtf8(support::cutUtf8(value->toUtf8(), ValueLimit));
}

void Sub_PutIni(const QString &appDir, const QString &section, const QString &key,
                const QString &value)
{
    const QString path = iniPath(appDir);
    std::optional<IniFile> ini = readIni(path);
    if (!ini)
        return;
    // A value the reader would give back cut names something else (a shorter
    // path, perhaps an existing folder): stored empty, it is visibly unset instead.
    const bool fits = value.toUtf8().size() <= ValueLimit;
    ini->setValue(section, key, fits ? value : QString());

    // Written beside the old file and renamed over it: a crash or a full disk
    // leaves the old settings, never half of the new ones.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QByteArray bytes = ini->toBytes();
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return;
    }
    file.commit();
}

} // namespace mdlCommon
