// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The real screen grab against a known picture on a private Xvfb.
#include "ImageCompare.h"
#include "Table.h"
#include "platform/grab/x11/X11ScreenGrab.h"
#include "platform/grab/x11/X11Session.h"

#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
// Xlib last: its macros clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace
{

// Grabs with the session described, then puts the test display back.
QString grabWith(const QByteArray &display, const QByteArray &wayland, const QString &bmp,
                 const QByteArray &sessionType = "x11", bool *native = nullptr)
{
    const QByteArray testDisplay = qgetenv("DISPLAY");
    if (display == "unset")
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", display);
    qputenv("WAYLAND_DISPLAY", wayland);
    qputenv("XDG_SESSION_TYPE", sessionType);
    if (native)
        *native = platform::nativeX11Session();
    const QString error = platform::X11ScreenGrab().grabNow(bmp);
    qputenv("DISPLAY", testDisplay);
    qunsetenv("WAYLAND_DISPLAY");
    return error;
}

} // namespace

class tst_X11ScreenGrab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        label_.setWindowFlags(Qt::FramelessWindowHint);
        label_.setGeometry(QGuiApplication::primaryScreen()->geometry());
        label_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label_));
    }

    void grabsTheScreen_data()
    {
        columns<int>("seed");
        // The second shot reuses the shared image and the BMP buffer: it must show the new picture.
        dataRow("first shot", 1);
        dataRow("picture changed", 2);
    }
    void grabsTheScreen()
    {
        const auto [seed] = fetch<int>("seed");
        const QImage picture = testsupport::busyDesktopPicture(label_.size(), seed);
        label_.setPixmap(QPixmap::fromImage(picture));
        label_.repaint();
        QTest::qWait(100);
        const QString bmp = dir_.filePath(QStringLiteral("画面0905.bmp"));
        QCOMPARE(grab_.grabNow(bmp), QString());
        QCOMPARE(testsupport::psnr(picture, QImage(bmp, "BMP")), 99.0);
    }

    // Only an X server that is not Xwayland is grabbed; a refusal writes nothing.
    void session_data()
    {
        // DISPLAY (test, empty or unset), WAYLAND_DISPLAY, XDG_SESSION_TYPE
        columns<QString, QString>("env", "refusal"); // refusal: part of the error; empty: grabbed
        dataRow("X11", "test - x11", "");
        dataRow("empty DISPLAY", "- - x11", "DISPLAY が未設定");
        dataRow("no DISPLAY", "unset - x11", "DISPLAY が未設定");
        dataRow("WAYLAND_DISPLAY alone: Xwayland", "test wayland-0 x11", "Xwayland");
        dataRow("XDG_SESSION_TYPE alone decides nothing", "test - wayland", "");
    }
    void session()
    {
        const auto [env, refusal] = fetch<QString, QString>("env", "refusal");
        QList<QByteArray> e = env.toLatin1().split(' ');
        for (QByteArray &v : e)
            v = v == "-" ? QByteArray() : v;
        const QString bmp = dir_.filePath(QStringLiteral("session.bmp"));
        QFile::remove(bmp);
        bool native = false;
        const QString error =
            grabWith(e[0] == "test" ? qgetenv("DISPLAY") : e[0], e[1], bmp, e[2], &native);
        QVERIFY2(refusal.isEmpty() ? error.isEmpty() : error.contains(refusal), qPrintable(error));
        QCOMPARE(native, refusal.isEmpty());
        QCOMPARE(QFile::exists(bmp), refusal.isEmpty());
    }

    // Servers that share no memory with the program: the shot goes over the wire;
    // one with a colour palette is refused.
    void otherServers_data()
    {
        columns<QString, QString>("server", "error");
        const char *screen = " -screen 0 320x200x24";
        dataRow("without MIT-SHM", QStringLiteral("Xvfb -extension MIT-SHM") + screen, "");
        // Another IPC namespace, as in some containers: the server refuses the attach.
        dataRow("that cannot reach the program's memory",
                QStringLiteral("unshare -r --ipc Xvfb") + screen, "");
        dataRow("with a colour palette", "Xvfb -screen 0 320x200x8",
                "画面を取り込めません (X11): 対応していない画面の色の形式です (8 ビット)");
    }
    void otherServers()
    {
        const auto [command, expected] = fetch<QString, QString>("server", "error");
        if (command.startsWith("unshare") && QProcess::execute("unshare", {"-r", "--ipc", "true"}))
            QSKIP("this machine makes no namespaces");
        const int segments = sharedSegmentsOfMine();
        QProcess server; // -displayfd: a free display, printed once the server is ready
        // The server ends with this program even when a check crashes it.
        server.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        server.startCommand(command + " -displayfd 1 -retro -nolisten tcp");
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
        const QString bmp = dir_.filePath(QStringLiteral("other.bmp"));
        const QString error = grabWith(':' + server.readLine().trimmed(), QByteArray(), bmp);
        server.terminate();
        server.waitForFinished();
        QCOMPARE(error, expected);
        QCOMPARE(sharedSegmentsOfMine(), segments); // a refused segment is let go
        if (!expected.isEmpty())
            return;
        // -retro gives the root the old weave: one white pixel in each row of four,
        // at x = 3, 1, 2, 0 in rows 0..3; a flipped picture starts with the last row.
        const QImage image(bmp, "BMP");
        QCOMPARE(image.size(), QSize(320, 200));
        const int whiteAt[] = {3, 1, 2, 0};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(image.pixel(x, y),
                         whiteAt[y % 4] == x % 4 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }

    // A desktop made narrower (a monitor taken away) is shot at its new size, and
    // the X server lets go of the shared image of the old size.
    void followsANarrowerDesktop()
    {
        const QString bmp = dir_.filePath(QStringLiteral("narrower.bmp"));
        QCOMPARE(grab_.grabNow(bmp), QString());
        const QSize was = QImage(bmp, "BMP").size();
        const int segments = sharedSegmentsOfMine();
        QVERIFY(segments > 0); // the server shares the shot's memory
        // The one monitor is switched off first: the desktop may not be smaller than it.
        Display *display = XOpenDisplay(nullptr);
        const Window root = DefaultRootWindow(display);
        XRRScreenResources *screen = XRRGetScreenResources(display, root);
        XRRCrtcInfo *monitor = XRRGetCrtcInfo(display, screen, screen->crtcs[0]);
        XRRSetCrtcConfig(display, screen, screen->crtcs[0], CurrentTime, 0, 0, 0, RR_Rotate_0,
                         nullptr, 0);
        XRRSetScreenSize(display, root, was.width() - 3, was.height(), 300, 200);
        XSync(display, False);
        const QString error = grab_.grabNow(bmp);
        const int segmentsAfter = sharedSegmentsOfMine();
        XRRSetScreenSize(display, root, was.width(), was.height(), 300, 200);
        XRRSetCrtcConfig(display, screen, screen->crtcs[0], CurrentTime, 0, 0, monitor->mode,
                         monitor->rotation, monitor->outputs, monitor->noutput);
        XRRFreeCrtcInfo(monitor);
        XRRFreeScreenResources(screen);
        XCloseDisplay(display);
        QCOMPARE(error, QString());
        QCOMPARE(QImage(bmp, "BMP").size(), was - QSize(3, 0));
        QCOMPARE(segmentsAfter, segments);
    }

private:
    // System V shared memory segments this process made that still exist.
    static int sharedSegmentsOfMine()
    {
        QFile table(QStringLiteral("/proc/sysvipc/shm"));
        int count = 0;
        if (table.open(QIODevice::ReadOnly))
            for (const QByteArray &line : table.readAll().split('\n'))
                count += line.simplified().split(' ').value(4).toInt() == getpid();
        return count;
    }

    QTemporaryDir dir_;
    QLabel label_;
    platform::X11ScreenGrab grab_;
};

QTEST_MAIN(tst_X11ScreenGrab)
#include "tst_X11ScreenGrab.moc"
