// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// Times the Wayland screen grabs (wlr-screencopy, the desktop portal) per shot
// against grim's whole process, interleaved, on the headless sway that
// bench/run_wayland.sh starts; every picture is compared with grim's.
#include "BenchShot.h"
#include "ImageCompare.h"
#include "platform/grab/portal/PortalScreenGrab.h"
#include "platform/grab/wayland/WlrScreenGrab.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace
{

struct Method {
    const char *name;
    std::function<QString(const QString &file)> shot;
    QList<double> wall; // milliseconds per shot
    double psnr = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser cli;
    cli.addOption({QStringLiteral("shots"), QStringLiteral("Shots per method."),
                   QStringLiteral("n"), QStringLiteral("20")});
    cli.addOption({QStringLiteral("transform"),
                   QStringLiteral("Output transform (normal, 90, flipped-270...): the PSNR column "
                                  "then checks that rotated outputs come out upright."),
                   QStringLiteral("t"), QStringLiteral("normal")});
    cli.process(app);
    const int shots = cli.value(QStringLiteral("shots")).toInt();
    QTemporaryDir dir;
    // A busy picture as the wallpaper of the one 1920x1080 output.
    const QString wallpaper = dir.filePath(QStringLiteral("wallpaper.png"));
    testsupport::busyDesktopPicture({1920, 1080}, 3).save(wallpaper);
    QProcess::execute(QStringLiteral("swaymsg"),
                      {QStringLiteral("output HEADLESS-1 resolution "
                                      "1920x1080 position 0 0 transform %2 bg %1 stretch")
                           .arg(wallpaper, cli.value(QStringLiteral("transform")))});
    QTest::qWait(1500);

    platform::WlrScreenGrab wlr;
    platform::PortalScreenGrab portal;
    auto portalShot = [&portal](const QString &bmp) { return shootAndWait(portal, bmp, 40000); };
    auto grim = [](const QString &ppm) {
        const int rc = QProcess::execute(QStringLiteral("grim"),
                                         {QStringLiteral("-t"), QStringLiteral("ppm"), ppm});
        return rc == 0 ? QString() : QStringLiteral("grim failed (%1)").arg(rc);
    };
    const QString reference = dir.filePath(QStringLiteral("reference.ppm"));
    if (const QString error = grim(reference); !error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QList<Method> methods{
        {"wlr-screencopy grab to BMP", [&wlr](const QString &f) { return wlr.grabNow(f); }, {}, 0},
        {"desktop portal grab to BMP", portalShot, {}, 0},
        {"grim -t ppm (whole process)", grim, {}, 0}};
    // The portal's first call starts its services: not a shot to time.
    portalShot(dir.filePath(QStringLiteral("warm.bmp")));

    for (int i = 0; i < shots; ++i) {
        for (int k = 0; k < methods.size(); ++k) {
            Method &m = methods[(i + k) % methods.size()];
            const QString file = dir.filePath(QStringLiteral("m%1.img").arg((i + k) % 3));
            QElapsedTimer t;
            t.start();
            const QString error = m.shot(file);
            m.wall << t.nsecsElapsed() / 1e6;
            if (!error.isEmpty()) {
                std::fprintf(stderr, "%s: %s\n", m.name, qPrintable(error));
                return 1;
            }
            if (i == shots - 1)
                m.psnr = testsupport::psnr(QImage(reference), QImage(file));
            QFile::remove(file);
        }
    }
    const QSize size = QImage(reference).size();
    std::printf("Desktop %dx%d, %d shots per method, interleaved\n\n", size.width(), size.height(),
                shots);
    std::printf("%-40s %10s %14s\n", "method (median per shot)", "wall ms", "PSNR vs grim");
    for (const Method &m : methods)
        std::printf("%-40s %10.1f %14.1f\n", m.name, median(m.wall), m.psnr);
    std::printf("\nwlr-screencopy / grim = %.2f  (target <= 1.00)\n",
                median(methods[0].wall) / median(methods[2].wall));
    std::printf("portal / grim         = %.2f\n",
                median(methods[1].wall) / median(methods[2].wall));
    return 0;
}
