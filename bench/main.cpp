// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// Times the program's capture path (screen grab to BMP, SavetoJPEG, delete the
// BMP) against a direct TurboJPEG encode of the same grab and against scrot and
// ImageMagick, interleaved shot by shot, on a busy full-screen picture.
#include "BenchShot.h"
#include "ImageCompare.h"
#include "ReferenceShot.h"
#include "platform/grab/SaveJpgLibrary.h"
#include "platform/grab/x11/X11ScreenGrab.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace
{

struct Method {
    QString name;
    std::function<QString(const QString &jpg)> shot;
    QList<double> wall, cpu; // milliseconds per shot
    double psnr = 0;
};

double cpuMs()
{
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(who, &u);
        total += (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
                 (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    }
    return total;
}

long rssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

QString runProcess(const QString &program, const QStringList &args)
{
    const int rc = QProcess::execute(program, args);
    return rc == 0 ? QString() : QStringLiteral("%1 failed (%2)").arg(program).arg(rc);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser cli;
    cli.addHelpOption();
    cli.addOption({QStringLiteral("shots"), QStringLiteral("Shots per method."),
                   QStringLiteral("n"), QStringLiteral("40")});
    cli.addOption({QStringLiteral("memory-shots"),
                   QStringLiteral("Capture-path shots for the memory check."), QStringLiteral("n"),
                   QStringLiteral("500")});
    cli.addOption({QStringLiteral("dir"), QStringLiteral("Folder for the shot files."),
                   QStringLiteral("path")});
    cli.addOption({QStringLiteral("app-dir"), QStringLiteral("Folder holding libSaveJPG.so."),
                   QStringLiteral("path"), QStringLiteral(SNAPSENTRY_APP_DIR)});
    cli.process(app);
    const int shots = cli.value(QStringLiteral("shots")).toInt();
    const int memoryShots = cli.value(QStringLiteral("memory-shots")).toInt();

    // A busy desktop-like picture over the whole screen.
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    const QImage picture = testsupport::busyDesktopPicture(size, 3);
    QLabel screen;
    screen.setWindowFlags(Qt::FramelessWindowHint);
    screen.setGeometry(QRect(QPoint(0, 0), size));
    screen.setPixmap(QPixmap::fromImage(picture));
    screen.show();
    if (!QTest::qWaitForWindowExposed(&screen))
        return 1;
    QTest::qWait(300);

    QTemporaryDir dir(cli.isSet(QStringLiteral("dir"))
                          ? cli.value(QStringLiteral("dir")) + QStringLiteral("/bench-XXXXXX")
                          : QString());
    if (!dir.isValid())
        return 1;
    platform::X11ScreenGrab grab;
    platform::SaveJpgLibrary converter(cli.value(QStringLiteral("app-dir")));
    ReferenceShot reference;
    QList<double> grabMs, convertMs, deleteMs, grabCpu, convertCpu;

    auto capturePath = [&](const QString &jpg) -> QString {
        const QString bmp = dir.filePath(QStringLiteral("scr0905.bmp"));
        QElapsedTimer t;
        t.start();
        double c = cpuMs();
        QString error = grab.grabNow(bmp);
        grabMs << t.nsecsElapsed() / 1e6;
        grabCpu << cpuMs() - c;
        if (!error.isEmpty())
            return error;
        t.restart();
        c = cpuMs();
        int result = -1;
        if (!converter.saveToJpeg(bmp, jpg, 100, -1, &result, &error))
            return error;
        if (result != 0)
            return QStringLiteral("SavetoJPEG returned %1").arg(result);
        convertMs << t.nsecsElapsed() / 1e6;
        convertCpu << cpuMs() - c;
        t.restart();
        QFile::remove(bmp);
        deleteMs << t.nsecsElapsed() / 1e6;
        return {};
    };
    QList<Method> methods{
        {QStringLiteral("capture path (grab>BMP>SavetoJPEG>delete)"), capturePath, {}, {}},
        {QStringLiteral("reference (grab + tjCompress2 4:4:4 q100 + write)"),
         [&](const QString &jpg) { return reference.take(jpg); },
         {},
         {}},
        {QStringLiteral("scrot -q 100 (whole process)"),
         [](const QString &jpg) {
             return runProcess(QStringLiteral("scrot"), {QStringLiteral("-o"), QStringLiteral("-q"),
                                                         QStringLiteral("100"), jpg});
         },
         {},
         {}},
        {QStringLiteral("import -window root -quality 100 (whole process)"),
         [](const QString &jpg) {
             return runProcess(QStringLiteral("import"),
                               {QStringLiteral("-window"), QStringLiteral("root"),
                                QStringLiteral("-quality"), QStringLiteral("100"), jpg});
         },
         {},
         {}},
    };

    for (int i = 0; i < shots; ++i) {
        // Rotate the order so that no method always runs after the same neighbour.
        for (int k = 0; k < methods.size(); ++k) {
            Method &m = methods[(i + k) % methods.size()];
            const QString jpg =
                dir.filePath(QStringLiteral("m%1.jpg").arg((i + k) % methods.size()));
            QElapsedTimer t;
            const double cpu0 = cpuMs();
            t.start();
            const QString error = m.shot(jpg);
            const double wall = t.nsecsElapsed() / 1e6;
            if (!error.isEmpty()) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(m.name), qPrintable(error));
                return 1;
            }
            m.wall << wall;
            m.cpu << cpuMs() - cpu0;
            if (i == shots - 1)
                m.psnr = testsupport::psnr(picture, QImage(jpg, "JPEG"));
            QFile::remove(jpg);
        }
    }

    std::printf("Screen %dx%d, %d shots per method, interleaved; files in %s\n\n", size.width(),
                size.height(), shots, qPrintable(dir.path()));
    std::printf("%-52s %10s %10s %8s\n", "method (median per shot)", "wall ms", "cpu ms",
                "PSNR dB");
    for (const Method &m : methods)
        std::printf("%-52s %10.1f %10.1f %8.1f\n", qPrintable(m.name), median(m.wall),
                    median(m.cpu), m.psnr);
    std::printf(
        "  capture path steps (wall/cpu): grab to BMP %.1f/%.1f ms, SavetoJPEG %.1f/%.1f ms, "
        "delete BMP %.2f ms\n\n",
        median(grabMs), median(grabCpu), median(convertMs), median(convertCpu), median(deleteMs));
    const double ours = median(methods[0].wall);
    std::printf("capture path / reference      = %.2f  (target <= 1.20)\n",
                ours / median(methods[1].wall));
    std::printf(
        "  same in CPU time            = %.2f  (target <= 1.05; less exposed to other load)\n",
        median(methods[0].cpu) / median(methods[1].cpu));
    std::printf("capture path / scrot -q 100   = %.2f  (target <= 0.80)\n",
                ours / median(methods[2].wall));
    std::printf("capture path / import         = %.2f\n", ours / median(methods[3].wall));
    std::printf(
        "GUI thread blocked per shot   = %.1f ms (the capture path runs on the GUI thread)\n",
        ours);
    std::printf("capture path CPU per shot     = %.1f ms\n\n", median(methods[0].cpu));

    long rss10 = 0;
    for (int i = 1; i <= memoryShots; ++i) {
        const QString error = capturePath(dir.filePath(QStringLiteral("mem.jpg")));
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        if (i == 10)
            rss10 = rssKb();
    }
    const long rssEnd = rssKb();
    std::printf("VmRSS after 10 shots %ld kB, after %d shots %ld kB, growth %ld kB\n", rss10,
                memoryShots, rssEnd, rssEnd - rss10);
    return 0;
}
