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

std::optional<capture::EndAction> endActionNamed(const QString &name)
{
    const auto *found = std::find_if(std::begin(EndActions), std::end(EndActions),
                                     [&](const auto &e) { return name == QLatin1String(e.first); });
    return found == std::end(EndActions) ? std::nullopt : std::optional(found->second);
}

// "hhnn" from "HHMM" or "HH:MM", a time of day; nothing for anything else.
std::optional<QString> timeOfDay(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([01][0-9]|2[0-3]):?([0-5][0-9])$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1) + m.captured(2);
}

std::optional<QString> minutes(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,2}$"));
    const int n = digits.match(text).hasMatch() ? text.toInt() : 0;
    return n >= 1 && n <= 60 ? std::optional(QString::number(n)) : std::nullopt;
}

} // namespace

QString ScheduleValues::take(Key key, const QString &text, const QString &name)
{
    // A line break would end the settings line early; a NUL marks a text
    // that was not valid UTF-8 where it came from.
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
        text.contains(QChar(0)))
        return QStringLiteral("%1 の値に使用できない文字 (改行など) が含まれています").arg(name);
    std::optional<QString> value = text;
    switch (key) {
    case Key::Folder:
        if (text.toUtf8().size() > FolderLimit)
            return QStringLiteral("%1 の値が長すぎます (%2 バイトまで)").arg(name).arg(FolderLimit);
        break;
    case Key::Prefix:
        if (text.size() > PrefixLimit)
            return QStringLiteral("%1 は %2 文字までです").arg(name).arg(PrefixLimit);
        break;
    case Key::Start:
    case Key::End:
        if (!(value = timeOfDay(text)))
            return QStringLiteral("%1 には時刻を HHMM か HH:MM で指定してください: %2")
                .arg(name, text);
        break;
    case Key::Step:
        if (!(value = minutes(text)))
            return QStringLiteral("%1 には 1 から 60 までの分を指定してください: %2")
                .arg(name, text);
        break;
    case Key::EndAction:
        if (!endActionNamed(text))
            return QStringLiteral("%1 には none、message、exit のいずれかを指定してください: %2")
                .arg(name, text);
        break;
    }
    values_.insert(key, *value);
    return {};
}

std::optional<QString> ScheduleValues::value(Key key) const
{
    const auto it = values_.constFind(key);
    return it == values_.cend() ? std::nullopt : std::optional(*it);
}

QList<std::pair<QString, QString>> ScheduleValues::iniEntries() const
{
    QList<std::pair<QString, QString>> entries;
    for (auto it = values_.cbegin(); it != values_.cend(); ++it) {
        const QString &v = it.value();
        switch (it.key()) {
        case Key::Start:
            entries += {{QStringLiteral("StartTimeH"), v.left(2)},
                        {QStringLiteral("StartTimeN"), v.mid(2)}};
            break;
        case Key::End:
            entries +=
                {{QStringLiteral("EndTimeH"), v.left(2)}, {QStringLiteral("EndTimeN"), v.mid(2)}};
            break;
        case Key::Step:
            entries += {QStringLiteral("Step"), v.rightJustified(2, QLatin1Char('0'))};
            break;
        case Key::Folder:
            entries += {QStringLiteral("SaveFolder"), v};
            break;
        case Key::Prefix:
            entries += {QStringLiteral("TopName"), v};
            break;
        case Key::EndAction:
            entries += {QStringLiteral("EndType"), QString::number(int(*endActionNamed(v)))};
            break;
        }
    }
    return entries;
}

QString endActionName(capture::EndAction action)
{
    for (const auto &[name, value] : EndActions)
        if (value == action)
            return QLatin1String(name);
    return {};
}
