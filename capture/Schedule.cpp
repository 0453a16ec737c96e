// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "capture/Schedule.h"

#include "support/ErrorHandler.h"

#include <limits>

namespace
{

constexpr int MinutesPerDay = 24 * 60;

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

namespace capture
{

int leadingNumber(const QString &text)
{
    int value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || value > 99999)
            break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QString timeText(const QString &hour, const QString &minute)
{
    auto format = [](const QString &entry) {
        bool ok = false;
        const int n = entry.trimmed().toInt(&ok);
        return ok ? twoDigits(n) : entry;
    };
    return format(hour) + format(minute);
}

QString addMinutes(const QString &t, qint16 step)
{
    bool ok = false;
    const int minutes = t.right(2).trimmed().toInt(&ok);
    if (!ok)
        throw support::ProcError{QStringLiteral("時刻 \"%1\" の分を数値として読めません").arg(t)};
    const int sum = leadingNumber(t.left(2)) * 60 + minutes + step;
    if (sum < std::numeric_limits<qint16>::min() || sum > std::numeric_limits<qint16>::max())
        throw support::ProcError{QStringLiteral("時刻の計算が桁あふれしました")};
    const auto total = static_cast<qint16>(sum);
    const int h = total / 60;
    const int m = total % 60;
    // With a step of at most 60 minutes the total never reaches 48 hours.
    return twoDigits(h >= 24 ? h - 24 : h) + twoDigits(m);
}

int minuteOfDay(const QString &t)
{
    if (t.size() != 4)
        return -1;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    }
    const int h = t.left(2).toInt();
    const int m = t.right(2).toInt();
    return h < 24 && m < 60 ? h * 60 + m : -1;
}

QString catchUpNextTime(const QString &start, const QString &end, qint16 step, const QString &next,
                        const QString &now)
{
    const int s = minuteOfDay(start);
    const int e = minuteOfDay(end);
    const int n = minuteOfDay(next);
    const int w = minuteOfDay(now);
    // An empty next time (a failed advance) stays empty: that run takes no more shots.
    if (s < 0 || e < 0 || n < 0 || w < 0 || step < 1)
        return next;
    // Minutes since the start of the run; a run across midnight keeps counting up.
    auto sinceStart = [s](int t) { return (t - s + MinutesPerDay) % MinutesPerDay; };
    const int nowOffset = sinceStart(w);
    // Past the end of the run's span (asleep over its end) there is nothing left to
    // catch up; the end test finishes the run. A next time at or after now is on time;
    // one that wrapped past midnight beyond the end counts as after now here, too.
    if (nowOffset > sinceStart(e) || sinceStart(n) >= nowOffset)
        return next;
    const int due = (nowOffset + step - 1) / step * step;
    const int t = (s + due) % MinutesPerDay;
    return twoDigits(t / 60) + twoDigits(t % 60);
}

bool endMayBeTested(const QString &start, const QString &end, const QString &now)
{
    // Across midnight, any minute before the start time lies after midnight, so a
    // run whose midnight minute got no tick still ends at its end time.
    return start <= end || now < start;
}

} // namespace capture
