// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The real screen grab and converter against a known picture on a private Xvfb.
#include "ImageCompare.h"
#include "platform/SaveJpgLibrary.h"
#include "platform/x11/X11ScreenGrab.h"

#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

// Sets environment variables for one scope and puts the old values back.
class EnvOverride
{
public:
    void set(const char *name, const QByteArray &value) // empty value: unset
    {
        saved_.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvOverride()
    {
        for (const auto &s : saved_) {
            if (s.wasSet)
                qputenv(s.name, s.value);
            else
                qunsetenv(s.name);
        }
    }

private:
    struct Saved {
        const char *name;
        QByteArray value;
        bool wasSet;
    };
    QList<Saved> saved_;
};

} // namespace

class tst_X11ScreenGrab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        const QSize size = QGuiApplication::primaryScreen()->geometry().size();
        label_.setWindowFlags(Qt::FramelessWindowHint);
        label_.setGeometry(QRect(QPoint(0, 0), size));
        label_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label_));
    }

    void grabsTheScreenAndConvertsIt_data()
    {
        QTest::addColumn<int>("seed");
        // The second shot reuses the shared image and the BMP buffer: it must show the new picture.
        QTest::newRow("first shot") << 1;
        QTest::newRow("picture changed") << 2;
    }
    void grabsTheScreenAndConvertsIt()
    {
        QFETCH(int, seed);
        const QImage picture = show(seed);
        const QString bmp = dir_.filePath(QStringLiteral("scr0905.bmp"));
        const QString jpg = dir_.filePath(QStringLiteral("scr0905.jpg"));
        QCOMPARE(grab_.grabToBmp(bmp), QString());
        const QImage grabbed(bmp, "BMP");
        QCOMPARE(grabbed.size(), picture.size());
        QVERIFY2(testsupport::psnr(picture, grabbed) >= 99, "the BMP is not the screen");

        platform::SaveJpgLibrary converter(qEnvironmentVariable("SNAPSENTRY_APP_DIR"));
        int result = -1;
        QString error;
        QVERIFY2(converter.saveToJpeg(bmp, jpg, 100, -1, &result, &error), qPrintable(error));
        QCOMPARE(result, 0);
        const double quality = testsupport::psnr(picture, QImage(jpg, "JPEG"));
        QVERIFY2(quality >= 50, qPrintable(QStringLiteral("PSNR %1 dB").arg(quality)));
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void noUsableDisplay_data()
    {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("wayland");
        QTest::newRow("DISPLAY unset") << QByteArray() << QByteArray();
        QTest::newRow("no server at DISPLAY") << QByteArray(":54321") << QByteArray();
        QTest::newRow("Wayland session") << qgetenv("DISPLAY") << QByteArray("wayland-0");
    }
    void noUsableDisplay()
    {
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, wayland);
        QString error;
        {
            EnvOverride env;
            env.set("DISPLAY", display);
            env.set("WAYLAND_DISPLAY", wayland);
            env.set("XDG_SESSION_TYPE", wayland.isEmpty() ? QByteArray("x11") : "wayland");
            platform::X11ScreenGrab grab;
            error = grab.grabToBmp(dir_.filePath(QStringLiteral("none.bmp")));
        }
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("none.bmp"))));
    }

    // A second, private X server shows the paths the usual test display does not take.
    void otherServers_data()
    {
        QTest::addColumn<QStringList>("serverArgs");
        QTest::addColumn<bool>("grabs");
        QTest::newRow("no MIT-SHM: plain XGetImage")
            << QStringList{QStringLiteral("-extension"), QStringLiteral("MIT-SHM"),
                           QStringLiteral("-screen"), QStringLiteral("0"),
                           QStringLiteral("320x200x24")}
            << true;
        QTest::newRow("16-bit screen")
            << QStringList{QStringLiteral("-screen"), QStringLiteral("0"),
                           QStringLiteral("320x200x16")}
            << false;
    }
    void otherServers()
    {
        QFETCH(QStringList, serverArgs);
        QFETCH(bool, grabs);
        QProcess server;
        // -displayfd picks a free display number and prints it once the server is ready.
        server.start(QStringLiteral("Xvfb"),
                     QStringList{QStringLiteral("-displayfd"), QStringLiteral("1"),
                                 QStringLiteral("-retro"), QStringLiteral("-nolisten"),
                                 QStringLiteral("tcp")} +
                         serverArgs);
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
        const QByteArray display = ':' + server.readLine().trimmed();
        const QString bmp = dir_.filePath(QStringLiteral("other.bmp"));
        QFile::remove(bmp);
        QString error;
        {
            EnvOverride env;
            env.set("DISPLAY", display);
            platform::X11ScreenGrab grab;
            error = grab.grabToBmp(bmp);
        }
        server.terminate();
        server.waitForFinished();
        if (!grabs) {
            QVERIFY(error.contains(QStringLiteral("16")));
            QVERIFY(!QFile::exists(bmp));
            return;
        }
        QCOMPARE(error, QString());
        // -retro gives the root the old weave: one white pixel in each row of four,
        // at x = 3, 1, 2, 0 in rows 0..3; a flipped picture starts with the last row.
        const QImage image(bmp, "BMP");
        QCOMPARE(image.size(), QSize(320, 200));
        const int whiteAt[] = {3, 1, 2, 0};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(image.pixel(x, y),
                         whiteAt[y % 4] == x % 4 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        QVERIFY(QFile::remove(bmp));
    }

    void unwritablePathWritesNothing()
    {
        const QString error = grab_.grabToBmp(dir_.filePath(QStringLiteral("gone/scr.bmp")));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("gone"))));
    }

private:
    QImage show(int seed)
    {
        const QImage picture = testsupport::busyDesktopPicture(label_.size(), seed);
        label_.setPixmap(QPixmap::fromImage(picture));
        label_.repaint();
        QTest::qWait(100);
        return picture;
    }

    QTemporaryDir dir_;
    QLabel label_;
    platform::X11ScreenGrab grab_;
};

QTEST_MAIN(tst_X11ScreenGrab)
#include "tst_X11ScreenGrab.moc"
