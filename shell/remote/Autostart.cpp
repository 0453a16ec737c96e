// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/remote/Autostart.h"

#include "platform/files/AppLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace autostart
{

namespace
{

// One argument of an Exec line: quoted where it holds anything but plain
// path characters, then escaped as a string value of a desktop entry.
QString execArgument(const QString &arg)
{
    static const QString plain =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._+-,:@");
    QString quoted = arg;
    if (!std::ranges::all_of(arg, [](QChar c) { return plain.contains(c); })) {
        quoted.clear();
        for (QChar c : arg) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    quoted.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    quoted.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
}

} // namespace

QString entryPath()
{
    return platform::configHome() + QStringLiteral("/autostart/org.example.snapsentry.desktop");
}

QByteArray entryText(const QString &program)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Snapsentry\n"
                          "Comment=Photograph the screen on the saved schedule from login\n"
                          "Comment[ja]=ログイン時に保存されている設定で撮影を確定します\n"
                          "Exec=%1 --arm --tray\n"
                          "Icon=org.example.snapsentry\n"
                          "Terminal=false\n")
        .arg(execArgument(program))
        .toUtf8();
}

QString set(bool on, const QString &program, QString *error)
{
    const QString path = entryPath();
    if (!on) {
        QFile entry(path);
        if (!entry.exists())
            return {};
        if (!entry.remove()) {
            *error = path + QStringLiteral(": ") + entry.errorString();
            return {};
        }
        return path;
    }
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder)) {
        *error = folder + QStringLiteral(": フォルダを作成できません");
        return {};
    }
    QSaveFile entry(path);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(entryText(program)) < 0 ||
        !entry.commit()) {
        *error = path + QStringLiteral(": ") + entry.errorString();
        return {};
    }
    return path;
}

} // namespace autostart
