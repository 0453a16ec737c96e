// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <QtGlobal>

// Time arithmetic of a capture run. Times of day are "hhnn" texts, compared as text.
namespace capture
{

// The number the text begins with (its leading decimal digits); no digits give 0.
int leadingNumber(const QString &text);

// "hhnn" from the hour and minute list entries, each written with at least two digits.
QString timeText(const QString &hour, const QString &minute);

// The time text step minutes after t, wrapping past midnight, computed in 16 bits.
// Throws support::ProcError when the last two characters of t are not a number.
QString addMinutes(const QString &t, qint16 step);

// Minutes since midnight of a well-formed "hhnn" text, otherwise -1.
int minuteOfDay(const QString &t);

// The next capture time a tick in minute now should aim at. A next time that the
// run has already passed (the machine slept or was busy through it) moves on to
// the first scheduled time at or after now; any other next time is kept as is.
QString catchUpNextTime(const QString &start, const QString &end, qint16 step, const QString &next,
                        const QString &now);

// Whether a tick in minute now may end the run: a run within one day from its first
// tick on, a run across midnight from its first tick after midnight.
bool endMayBeTested(const QString &start, const QString &end, const QString &now);

} // namespace capture
