// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// What the benchmark programs share: the median of their timings, and a
// screen grab waited for as the program's shot would be.
#pragma once

#include "platform/grab/ScreenGrab.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <algorithm>

inline double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

// Grabs to bmp and waits for the answer, at most limitMs: "" or the failure.
inline QString shootAndWait(platform::ScreenGrab &grab, const QString &bmp, int limitMs)
{
    QString error = QStringLiteral("no answer");
    grab.grabToBmp(bmp, [&error](const QString &e) { error = e; });
    QElapsedTimer t;
    t.start();
    while (error == QLatin1String("no answer") && t.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    return error;
}
