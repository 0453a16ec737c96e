// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// Times the two portal grabs of a GNOME session per shot, interleaved: a
// ScreenCast session with one frame against the Screenshot call. Run inside a
// desktop session (bench/gnome/with-gnome.sh); the last picture of each is
// kept in the folder given, and compared with each other.
#include "BenchShot.h"
#include "ImageCompare.h"
#include "platform/grab/portal/PortalScreenGrab.h"
#include "platform/grab/screencast/ScreenCastGrab.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>

namespace
{

QString shoot(platform::ScreenGrab &grab, const QString &bmp)
{
    return shootAndWait(grab, bmp, 200000); // the first may wait for the user's answer
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString out = args.value(1, QDir::currentPath());
    const int shots = args.value(2, QStringLiteral("10")).toInt();
    platform::ScreenCastGrab::Settings settings;
    settings.tokenPath = out + QStringLiteral("/ScreenCast.token");
    platform::ScreenCastGrab cast(std::move(settings));
    platform::PortalScreenGrab screenshot;
    struct Way {
        const char *name;
        platform::ScreenGrab &grab;
        QString bmp;
        QList<double> ms;
    } ways[] = {
        {"ScreenCast session, one frame", cast, out + QStringLiteral("/screencast.bmp"), {}},
        {"Screenshot call", screenshot, out + QStringLiteral("/screenshot.bmp"), {}}};
    // The first of each starts services or asks the user: not a shot to time.
    for (Way &w : ways)
        if (const QString error = shoot(w.grab, w.bmp); !error.isEmpty()) {
            std::fprintf(stderr, "%s: %s\n", w.name, qPrintable(error));
            return 1;
        }
    for (int i = 0; i < shots; ++i)
        for (int k = 0; k < 2; ++k) {
            Way &w = ways[(i + k) % 2];
            QElapsedTimer t;
            t.start();
            if (const QString error = shoot(w.grab, w.bmp); !error.isEmpty()) {
                std::fprintf(stderr, "%s: %s\n", w.name, qPrintable(error));
                return 1;
            }
            w.ms << t.nsecsElapsed() / 1e6;
        }
    std::printf("%d shots each, interleaved; median wall time per shot\n", shots);
    for (const Way &w : ways)
        std::printf("%-32s %8.1f ms\n", w.name, median(w.ms));
    std::printf("ScreenCast / Screenshot = %.2f\n", median(ways[0].ms) / median(ways[1].ms));
    const QImage a(ways[0].bmp), b(ways[1].bmp);
    // The top bar differs (the sharing indicator): compare below it too.
    const QRect below(0, 40, a.width(), a.height() - 40);
    std::printf("PSNR ScreenCast vs Screenshot: whole %.1f dB, below the top bar %.1f dB\n",
                testsupport::psnr(a, b), testsupport::psnr(a.copy(below), b.copy(below)));
    return 0;
}
