// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// How long the GUI thread's event loop stands still while the capture cycle takes
// a shot through the real screen grab and converter: a 1 ms heartbeat timer runs
// beside the run and the longest gap between its beats is printed, next to the
// time a whole shot takes.
#include "FakePlatform.h"
#include "capture/CaptureSession.h"
#include "platform/grab/SaveJpgLibrary.h"
#include "platform/grab/ThreadedGrab.h"
#include "platform/grab/x11/X11ScreenGrab.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace
{

// Runs the event loop for ms milliseconds (QTest::qWait sleeps between rounds,
// which would show up as stalls).
void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int shots = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    FakePlatform fake;
    platform::ThreadedGrab grab(std::make_unique<platform::X11ScreenGrab>());
    platform::SaveJpgLibrary converter(QStringLiteral(SNAPSENTRY_APP_DIR));
    const Platform p{fake, fake, fake, grab,          converter,     fake,
                     fake, fake, fake, fake.appDir(), fake.dataDir()};
    QTemporaryDir dir;
    capture::CaptureSession session(p);

    QElapsedTimer clock;
    clock.start();
    qint64 lastBeat = 0, longestGap = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    heartbeat.setInterval(1);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastBeat);
        lastBeat = now;
    });

    fake.setTime(0, 0);
    session.arm({QStringLiteral("0000"), QStringLiteral("2359"), 1, dir.path(), QStringLiteral("s"),
                 capture::EndAction::Nothing});
    session.StartTimer_Timer();
    QList<double> gaps, totals, idle;
    // The same heartbeat with no shot: what the machine's load alone costs.
    for (int i = 0; i < shots; ++i) {
        heartbeat.start();
        spin(20);
        lastBeat = clock.nsecsElapsed();
        longestGap = 0;
        spin(100);
        heartbeat.stop();
        idle << longestGap / 1e6;
    }
    for (int i = 0; i < shots; ++i) {
        fake.setTime(i / 60, i % 60);
        heartbeat.start();
        spin(20);
        lastBeat = clock.nsecsElapsed();
        longestGap = 0;
        const qint64 started = lastBeat;
        session.CapTimer_Timer();
        while (session.shotInFlight())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        totals << (clock.nsecsElapsed() - started) / 1e6;
        spin(5);
        heartbeat.stop();
        gaps << longestGap / 1e6;
    }
    if (!fake.messages.isEmpty()) {
        std::fprintf(stderr, "shot failed: %s\n", qPrintable(fake.messages.first().text));
        return 1;
    }
    std::sort(gaps.begin(), gaps.end());
    std::sort(totals.begin(), totals.end());
    std::sort(idle.begin(), idle.end());
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    std::printf("%dx%d, %d shots: shot %.1f ms (median); event loop still for at most %.2f ms "
                "(median of the per-shot maxima %.2f ms; target 5 ms); with no shot, in 100 ms: "
                "at most %.2f ms (median %.2f ms)\n",
                size.width(), size.height(), shots, totals[totals.size() / 2], gaps.last(),
                gaps[gaps.size() / 2], idle.last(), idle[idle.size() / 2]);
    return 0;
}
