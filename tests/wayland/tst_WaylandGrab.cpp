// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The Wayland back-ends on a private headless sway (tests/wayland/with-sway.sh):
// two outputs of different sizes, one left of the origin, each showing its own
// known picture as a wallpaper.
#include "ImageCompare.h"
#include "platform/AutoScreenGrab.h"

#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

struct Output {
    const char *name;
    QRect desktop;
};
// The bounding box runs from x = -1280 to 1024 and y = 0 to 968.
const Output outputs[] = {{"HEADLESS-1", QRect(-1280, 0, 1280, 720)},
                          {"HEADLESS-2", QRect(0, 200, 1024, 768)}};

} // namespace

class tst_WaylandGrab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        int seed = 1;
        for (const Output &o : outputs) {
            const QString png = dir_.filePath(QString::fromLatin1(o.name) + ".png");
            QVERIFY(testsupport::busyDesktopPicture(o.desktop.size(), seed++).save(png));
            // "--": a negative position is not an option.
            const QString command = QString::asprintf("output %s resolution %dx%d position %d %d",
                                                      o.name, o.desktop.width(), o.desktop.height(),
                                                      o.desktop.x(), o.desktop.y());
            QCOMPARE(QProcess::execute("swaymsg", {"--", command + " bg " + png + " stretch"}), 0);
        }
        QTest::qWait(1500); // swaybg draws the wallpapers
    }

    void storesEveryOutputInPlace_data()
    {
        QTest::addColumn<QByteArray>("backend");
        QTest::newRow("chosen for the session (wlr-screencopy)") << QByteArray();
        QTest::newRow("desktop portal") << QByteArray("portal");
    }
    void storesEveryOutputInPlace()
    {
        QFETCH(QByteArray, backend);
        qputenv("SNAPSENTRY_CAPTURE", backend);
        platform::AutoScreenGrab grab;
        QCOMPARE(grab.asksPermission(), backend == "portal");
        const QString bmp = dir_.filePath(QStringLiteral("shot.bmp"));
        QString error = QStringLiteral("no answer");
        grab.grabToBmp(bmp, [&error](const QString &e) { error = e; });
        QTRY_VERIFY_WITH_TIMEOUT(error != QLatin1String("no answer"), 40000);
        QCOMPARE(error, QString());

        QImage shot(bmp, "BMP");
        QCOMPARE(shot.size(), QSize(2304, 968));
        int seed = 1;
        for (const Output &o : outputs) {
            const double quality =
                testsupport::psnr(testsupport::busyDesktopPicture(o.desktop.size(), seed++),
                                  shot.copy(o.desktop.translated(1280, 0)));
            QVERIFY2(quality >= 45,
                     qPrintable(QString::asprintf("%s: PSNR %.1f dB", o.name, quality)));
        }
        // Outside the outputs: below the left one, above the right one.
        for (const QRect gap : {QRect(0, 720, 1280, 248), QRect(1280, 0, 1024, 200)}) {
            QImage black(gap.size(), QImage::Format_RGB32);
            black.fill(Qt::black);
            QCOMPARE(testsupport::psnr(black, shot.copy(gap)), 99.0);
        }
        QVERIFY(QFile::remove(bmp));
        // Nothing of the portal's is left in the picture folders it may use.
        QCOMPARE(QDir(QStringLiteral("/tmp")).entryList({QStringLiteral("*.png")}), QStringList());
    }

    // A compositor that is gone, or one that takes the connection and never answers.
    void failsWithItsReason_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no compositor") << false << QStringLiteral("に接続できません");
        QTest::newRow("silent compositor") << true << QStringLiteral("が応答しません");
    }
    void failsWithItsReason()
    {
        QFETCH(bool, silent);
        QFETCH(QString, reason);
        QLocalServer server;
        const QString socket = dir_.filePath(QStringLiteral("silent-wayland"));
        QVERIFY(!silent || server.listen(socket));
        const QByteArray display = qgetenv("WAYLAND_DISPLAY");
        qputenv("WAYLAND_DISPLAY", socket.toLocal8Bit());
        qputenv("SNAPSENTRY_CAPTURE", "wlr");
        platform::AutoScreenGrab grab;
        QString error = QStringLiteral("no answer");
        grab.grabToBmp(dir_.filePath(QStringLiteral("none.bmp")),
                       [&error](const QString &e) { error = e; });
        QTRY_VERIFY_WITH_TIMEOUT(error != QLatin1String("no answer"), 20000);
        qputenv("WAYLAND_DISPLAY", display);
        QCOMPARE(error, "画面を取り込めません (wlr-screencopy): Wayland のコンポジタ" + reason);
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("none.bmp"))));
    }

private:
    QTemporaryDir dir_{QStringLiteral("/tmp/wl-XXXXXX")};
};

QTEST_MAIN(tst_WaylandGrab)
#include "tst_WaylandGrab.moc"
