// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "FakePlatform.h"
#include "capture/CaptureSession.h"

#include <QtTest>

// One row of a QtTest table on a single line.
template <class... T> void dataRow(const char *name, T... columns)
{
    (QTest::newRow(name) << ... << columns);
}

inline int minuteOf(const QString &hhnn)
{
    return hhnn.left(2).toInt() * 60 + hhnn.mid(2).toInt();
}

// A capture run on the fake platform, saving into a fresh folder, with what it
// told the window recorded.
struct SessionHarness {
    FakePlatform fake;
    QTemporaryDir shots;
    capture::CaptureSession s{fake.platform()};
    QList<bool> armedChanges;
    QList<qint16> counts;
    QList<QPair<capture::EndAction, qint16>> ends;
    std::function<void()> onEnd; // runs inside the end request, as a modal box would

    SessionHarness()
    {
        QObject::connect(&s, &capture::CaptureSession::armedChanged,
                         [this](bool armed) { armedChanges << armed; });
        QObject::connect(&s, &capture::CaptureSession::shotCounted,
                         [this](qint16 n) { counts << n; });
        QObject::connect(&s, &capture::CaptureSession::endActionRequested,
                         [this](capture::EndAction a, qint16 n) {
                             ends << qMakePair(a, n);
                             if (onEnd)
                                 onEnd();
                         });
    }
    // Arms at the start of the start minute ("hhnn" start and end).
    void arm(const QString &start, const QString &end, int step,
             capture::EndAction action = capture::EndAction::Nothing,
             const QString &prefix = QString())
    {
        fake.setTime(minuteOf(start) / 60, minuteOf(start) % 60);
        s.arm({start, end, qint16(step), shots.path(), prefix, action});
    }
    bool active(const char *timer) const
    {
        return s.findChild<QTimer *>(QLatin1String(timer))->isActive();
    }
    // One second of the clock: the timers that are on tick, and a shot is let finish.
    void tick(int minute, int second)
    {
        fake.setTime(minute / 60, minute % 60, second);
        if (active("StartTimer"))
            s.StartTimer_Timer();
        if (active("CapTimer"))
            s.CapTimer_Timer();
        waitForShot();
    }
    void waitForShot()
    {
        QVERIFY(QTest::qWaitFor([this] { return !s.shotInFlight(); }, 5000));
        QCoreApplication::processEvents();
    }
    QStringList files() const { return QDir(shots.path()).entryList(QDir::Files); }
};
