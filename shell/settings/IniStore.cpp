// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/settings/IniStore.h"

#include "shell/settings/IniFile.h"
#include "support/Utf8.h"

namespace
{

constexpr int ValueLimit = 1023; // bytes, as the profile reader's buffer allows

QString iniPath(const Platform &p)
{
    return p.dataDir + QStringLiteral("/Snapsentry.ini");
}

constexpr qint64 FileLimit = 1 << 20; // far beyond any settings file the program writes

// The file's lines; nothing when something other than a readable settings file
// stands at path (a FIFO, a device, a huge file, a UTF-16 file cut short): it
// reads as missing and is never replaced. A missing file reads as empty.
std::optional<IniFile> readIni(const Platform &p)
{
    QByteArray bytes;
    const platform::FsResult read = p.files.read(iniPath(p), FileLimit, &bytes);
    if (!read.ok() && !read.notFound())
        return std::nullopt;
    return IniFile::fromBytes(bytes);
}

} // namespace

namespace mdlCommon
{

QString Fun_GetIni(const Platform &p, const QString &section, const QString &key,
                   const QString &def)
{
    const std::optional<IniFile> ini = readIni(p);
    const std::optional<QString> value = ini ? ini->value(section, key) : std::nullopt;
    if (!value)
        return def;
    return QString::fromUtf8(support::cutUtf8(value->toUtf8(), ValueLimit));
}

void Sub_PutIni(const Platform &p, const QString &section, const QString &key, const QString &value)
{
    std::optional<IniFile> ini = readIni(p);
    if (!ini)
        return;
    // A value the reader would give back cut names something else (a shorter
    // path, perhaps an existing folder): stored empty, it is visibly unset instead.
    const bool fits = value.toUtf8().size() <= ValueLimit;
    ini->setValue(section, key, fits ? value : QString());

    // Written beside the old file and renamed over it: a crash or a full disk
    // leaves the old settings, never half of the new ones.
    p.files.replaceAtomically(iniPath(p), ini->toBytes());
}

} // namespace mdlCommon
