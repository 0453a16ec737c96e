// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/settings/ScheduleValues.h"

#include <QRegularExpression>
#include <algorithm>

namespace
{

constexpr int PrefixLimit = 30;   // characters, as the prefix box takes them
constexpr int FolderLimit = 1023; // bytes: the settings file keeps no longer value

const std::pair<const char *, capture::EndAction> EndActions[] = {
    {"none", capture::EndAction::Nothing},
    {"message", capture::EndAction::ShowMessage},
    {"exit", capture::EndAction::CloseProgram}};

// "hhnn" from "HHMM" or "HH:MM", a time of day; nothing for anything else.
std::optional<QString> timeOfDay(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([01][0-9]|2[0-3]):?([0-5][0-9])$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1) + m.captured(2);
}

std::optional<int> minutes(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,2}$"));
    const int n = digits.match(text).hasMatch() ? text.toInt() : 0;
    return n >= 1 && n <= 60 ? std::optional<int>(n) : std::nullopt;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString ScheduleValues::take(Key key, const QString &text, const QString &name)
{
    // A line break would end the settings line early; a NUL marks a text
    // that was not valid UTF-8 where it came from.
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
        text.contains(QChar(0)))
        return QStringLiteral("%1 の値に使用できない文字 (改行など) が含まれています").arg(name);
    switch (key) {
    case Key::Folder:
        if (text.toUtf8().size() > FolderLimit)
            return QStringLiteral("%1 の値が長すぎます (%2 バイトまで)").arg(name).arg(FolderLimit);
        folder = text;
        break;
    case Key::Prefix:
        if (text.size() > PrefixLimit)
            return QStringLiteral("%1 は %2 文字までです").arg(name).arg(PrefixLimit);
        prefix = text;
        break;
    case Key::Start:
    case Key::End: {
        const std::optional<QString> hhnn = timeOfDay(text);
        if (!hhnn)
            return QStringLiteral("%1 には時刻を HHMM か HH:MM で指定してください: %2")
                .arg(name, text);
        (key == Key::Start ? startTime : endTime) = hhnn;
        break;
    }
    case Key::Step:
        if (const std::optional<int> n = minutes(text))
            step = n;
        else
            return QStringLiteral("%1 には 1 から 60 までの分を指定してください: %2")
                .arg(name, text);
        break;
    case Key::EndAction: {
        const auto *found =
            std::find_if(std::begin(EndActions), std::end(EndActions),
                         [&](const auto &e) { return text == QLatin1String(e.first); });
        if (found == std::end(EndActions))
            return QStringLiteral("%1 には none、message、exit のいずれかを指定してください: %2")
                .arg(name, text);
        endAction = found->second;
        break;
    }
    }
    return {};
}

QList<std::pair<QString, QString>> ScheduleValues::iniEntries() const
{
    QList<std::pair<QString, QString>> entries;
    auto add = [&](const char *key, const QString &value) {
        entries.append({QLatin1String(key), value});
    };
    if (startTime) {
        add("StartTimeH", startTime->left(2));
        add("StartTimeN", startTime->mid(2));
    }
    if (endTime) {
        add("EndTimeH", endTime->left(2));
        add("EndTimeN", endTime->mid(2));
    }
    if (step)
        add("Step", twoDigits(*step));
    if (folder)
        add("SaveFolder", *folder);
    if (prefix)
        add("TopName", *prefix);
    if (endAction)
        add("EndType", QString::number(int(*endAction)));
    return entries;
}

QString endActionName(capture::EndAction action)
{
    for (const auto &[name, value] : EndActions)
        if (value == action)
            return QLatin1String(name);
    return {};
}
