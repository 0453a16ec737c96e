// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/settings/IniStore.h"

#include "shell/settings/IniFile.h"
#include "support/Utf8.h"

namespace
{

constexpr int ValueLimit = 1023; // bytes, as the profile reader's buffer allows

constexpr qint64 FileLimit = 1 << 20; // far beyond any settings file the program writes

// The file's lines; nothing when something other than a readable settings file
// stands at path (a FIFO, a device, a huge file, a UTF-16 file cut short): it
// reads as missing and is never replaced. A missing file reads as empty.
std::optional<IniFile> readIni(platform::FileSystem &files, const QString &path)
{
    QByteArray bytes;
    const platform::FsResult read = files.read(path, FileLimit, &bytes);
    if (!read.ok() && !read.notFound())
        return std::nullopt;
    return IniFile::fromBytes(bytes);
}

} // namespace

namespace mdlCommon
{

QString iniPath(const QString &dataDir)
{
    return dataDir + QStringLiteral("/Snapsentry.ini");
}

QString Fun_GetIni(const Platform &p, const QString &section, const QString &key,
                   const QString &def)
{
    const std::optional<IniFile> ini = readIni(p.files, iniPath(p.dataDir));
    const std::optional<QString> value = ini ? ini->value(section, key) : std::nullopt;
    if (!value)
        return def;
    return QString::fromUtf8(support::cutUtf8(value->toUtf8(), ValueLimit));
}

void Sub_PutIni(const Platform &p, const QString &section, const QString &key, const QString &value)
{
    putIniValues(p.files, iniPath(p.dataDir), section, {{key, value}});
}

bool putIniValues(platform::FileSystem &files, const QString &path, const QString &section,
                  const QList<std::pair<QString, QString>> &values)
{
    std::optional<IniFile> ini = readIni(files, path);
    if (!ini)
        return false;
    // A value the reader would give back cut names something else (a shorter
    // path, perhaps an existing folder): stored empty, it is visibly unset instead.
    for (const auto &[key, value] : values)
        ini->setValue(section, key, value.toUtf8().size() <= ValueLimit ? value : QString());

    // Written beside the old file and renamed over it: a crash or a full disk
    // leaves the old settings, never half of the new ones.
    return files.replaceAtomically(path, ini->toBytes()).ok();
}

} // namespace mdlCommon
