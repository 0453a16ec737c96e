// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The Wayland back-ends on a private headless sway (tests/wayland/with-sway.sh):
// two outputs of different sizes, one left of the origin, each showing its own
// known picture as a wallpaper.
#include "ImageCompare.h"
#include "Table.h"
#include "platform/grab/AutoScreenGrab.h"

#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <malloc.h>
#include <optional>

namespace
{

struct Output {
    const char *name, *transform;
    QRect desktop; // a turned output lies on its side: its mode is 1024x768
};
// Two outputs of different sizes, one left of the origin; turned, the left one
// upside down and the right one on its side and mirrored.
QList<Output> layout(bool turned)
{
    return {{"HEADLESS-1", turned ? "180" : "normal", QRect(-1280, 0, 1280, 720)},
            {"HEADLESS-2", turned ? "flipped-270" : "normal",
             turned ? QRect(0, 200, 768, 1024) : QRect(0, 200, 1024, 768)}};
}

} // namespace

class tst_WaylandGrab : public QObject
{
    Q_OBJECT

    // scale: of every output; positions and pictures stay in device pixels.
    void setUp(bool turned, int scale = 1)
    {
        int seed = 1;
        for (const Output &o : layout(turned)) {
            const QString png = dir_.filePath(QString::fromLatin1(o.name) + ".png");
            QVERIFY(testsupport::busyDesktopPicture(o.desktop.size(), seed++).save(png));
            const QSize mode = o.desktop.width() < o.desktop.height()
                                   ? o.desktop.size().transposed()
                                   : o.desktop.size();
            // "--": a negative position is not an option.
            const QString command =
                QString::asprintf("output %s resolution %dx%d position %d %d scale %d transform %s",
                                  o.name, mode.width(), mode.height(), o.desktop.x() / scale,
                                  o.desktop.y() / scale, scale, o.transform);
            QCOMPARE(QProcess::execute("swaymsg", {"--", command + " bg " + png + " stretch"}), 0);
        }
        QTest::qWait(1500); // swaybg draws the wallpapers
        shown_ = {turned, scale};
    }

private Q_SLOTS:
    void storesEveryOutputInPlace_data()
    {
        columns<QByteArray, bool, int>("backend", "turned", "scale");
        dataRow("chosen for the session (wlr-screencopy)", QByteArray(), false, 1);
        dataRow("desktop portal", QByteArray("portal"), false, 1);
        dataRow("turned and mirrored outputs", QByteArray(), true, 1);
        dataRow("high-density outputs", QByteArray(), false, 2);
    }
    void storesEveryOutputInPlace()
    {
        const auto [backend, turned, scale] =
            fetch<QByteArray, bool, int>("backend", "turned", "scale");
        if (shown_ != std::pair(turned, scale))
            setUp(turned, scale);
        qputenv("SNAPSENTRY_CAPTURE", backend);
        platform::AutoScreenGrab grab(QDir::tempPath());
        QCOMPARE(grab.asksPermission(), backend == "portal");
        const QString bmp = dir_.filePath(QStringLiteral("shot.bmp"));
        QString error = QStringLiteral("no answer");
        grab.grabToBmp(bmp, [&error](const QString &e) { error = e; });
        QTRY_VERIFY_WITH_TIMEOUT(error != QLatin1String("no answer"), 40000);
        QCOMPARE(error, QString());

        const QImage shot(bmp, "BMP");
        QRect box;
        for (const Output &o : layout(turned))
            box |= o.desktop;
        QCOMPARE(shot.size(), box.size());
        QRegion outside(box);
        int seed = 1;
        for (const Output &o : layout(turned)) {
            const double quality =
                testsupport::psnr(testsupport::busyDesktopPicture(o.desktop.size(), seed++),
                                  shot.copy(o.desktop.translated(-box.topLeft())));
            QVERIFY2(quality >= 45,
                     qPrintable(QString::asprintf("%s: PSNR %.1f dB", o.name, quality)));
            outside -= o.desktop;
        }
        for (const QRect &gap : outside) {
            QImage black(gap.size(), QImage::Format_RGB32);
            black.fill(Qt::black);
            QCOMPARE(testsupport::psnr(black, shot.copy(gap.translated(-box.topLeft()))), 99.0);
        }
        QVERIFY(QFile::remove(bmp));
        // Nothing of the portal's is left in the picture folders it may use.
        QCOMPARE(QDir(QStringLiteral("/tmp")).entryList({QStringLiteral("*.png")}), QStringList());
    }

    // A program that shoots all day keeps nothing of a shot: proxies, pools, pictures.
    void repeatedShotsKeepNoMemory()
    {
        if (!shown_)
            setUp(false);
        qputenv("SNAPSENTRY_CAPTURE", "wlr");
        platform::AutoScreenGrab grab(QDir::tempPath());
        const QString bmp = dir_.filePath(QStringLiteral("shot.bmp"));
        const auto shots = [&](int count) {
            for (int i = 0; i < count; ++i) {
                std::optional<QString> error;
                grab.grabToBmp(bmp, [&error](const QString &e) { error = e; });
                QTRY_VERIFY_WITH_TIMEOUT(error.has_value(), 20000);
                QCOMPARE(*error, QString());
            }
        };
        const auto inUse = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
        const auto mappings = [] {
            QFile maps(QStringLiteral("/proc/self/maps"));
            return maps.open(QIODevice::ReadOnly) ? maps.readAll().count('\n') : -1;
        };
        shots(5);
        const std::size_t before = inUse();
        const qsizetype mapped = mappings();
        shots(150);
        const std::size_t after = inUse();
        // Allocation noise stays under 40 bytes a shot; any proxy kept is over 100.
        QVERIFY2(after < before + 150 * 100, qPrintable(QString::number(after - before)));
        QVERIFY(mappings() < mapped + 20); // each shot's shared buffer is unmapped
    }

    // A compositor that is gone, one that never answers, a back-end nobody has.
    void failsWithItsReason_data()
    {
        // silent: the compositor takes the connection, then nothing
        columns<QByteArray, bool, QString>("backend", "silent", "error");
        const QString wlr =
            QStringLiteral("画面を取り込めません (wlr-screencopy): Wayland のコンポジタ");
        dataRow("no compositor", QByteArray("wlr"), false, wlr + "に接続できません");
        dataRow("silent compositor", QByteArray("wlr"), true, wlr + "が応答しません");
        dataRow("unknown back-end", QByteArray("gdi"), false,
                QStringLiteral("画面を取り込めません: SNAPSENTRY_CAPTURE=gdi は使えません "
                               "(x11, wlr, portal, screencast のどれかです)"));
    }
    void failsWithItsReason()
    {
        const auto [backend, silent, error] =
            fetch<QByteArray, bool, QString>("backend", "silent", "error");
        QLocalServer server;
        const QString socket = dir_.filePath(QStringLiteral("silent-wayland"));
        QVERIFY(!silent || server.listen(socket));
        const QByteArray display = qgetenv("WAYLAND_DISPLAY");
        qputenv("WAYLAND_DISPLAY", socket.toLocal8Bit());
        qputenv("SNAPSENTRY_CAPTURE", backend);
        platform::AutoScreenGrab grab(QDir::tempPath());
        QString answer = QStringLiteral("no answer");
        const QString bmp = dir_.filePath(QStringLiteral("none.bmp"));
        grab.grabToBmp(bmp, [&answer](const QString &e) { answer = e; });
        QTRY_VERIFY_WITH_TIMEOUT(answer != QLatin1String("no answer"), 20000);
        qputenv("WAYLAND_DISPLAY", display);
        QCOMPARE(answer, error);
        QVERIFY(!QFile::exists(bmp));
    }

private:
    QTemporaryDir dir_{QStringLiteral("/tmp/wl-XXXXXX")};
    std::optional<std::pair<bool, int>> shown_; // turned, scale
};

QTEST_MAIN(tst_WaylandGrab)
#include "tst_WaylandGrab.moc"
