// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The converter library on its own, loaded from the application folder.
#include "ImageCompare.h"
#include "SaveJPG.h"
#include "TmpfsMount.h"
#include "platform/SaveJpgLibrary.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <atomic>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{

// An independent BMP encoder; 97 pixels make 24-bit rows need padding.
QByteArray makeBmp(const QImage &src, int bits = 24, bool topDown = false)
{
    const QImage img = src.convertToFormat(QImage::Format_RGB32);
    const int bpp = bits / 8, stride = (img.width() * bpp + 3) & ~3, h = img.height();
    QByteArray out("BM");
    QDataStream s(&out, QIODevice::Append);
    s.setByteOrder(QDataStream::LittleEndian);
    s << quint32(54 + stride * h) << quint32(0) << quint32(54) << quint32(40) << qint32(img.width())
      << qint32(topDown ? -h : h) << quint16(1) << quint16(bits) << quint32(0)
      << quint32(stride * h) << quint64(0) << quint64(0);
    for (int y = 0; y < h; ++y) {
        const uchar *row = img.constScanLine(topDown ? y : h - 1 - y);
        for (int x = 0; x < img.width(); ++x) // a little-endian QRgb is blue, green, red, alpha
            s.writeRawData(reinterpret_cast<const char *>(row + x * 4), bpp);
        s.writeRawData("\0\0\0", stride - img.width() * bpp);
    }
    return out;
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.jpg"), QStringLiteral("*.tmp")},
                                  QDir::Files | QDir::Hidden);
}

} // namespace

class tst_SaveJPG : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { picture_ = testsupport::busyDesktopPicture(QSize(97, 61), 7); }

    void convertsFaithfully_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("topDown");
        QTest::newRow("24-bit bottom-up") << 24 << false;
        QTest::newRow("24-bit top-down") << 24 << true;
        QTest::newRow("32-bit bottom-up") << 32 << false;
        QTest::newRow("32-bit top-down") << 32 << true;
    }
    void convertsFaithfully()
    {
        QFETCH(int, bits);
        QFETCH(bool, topDown);
        const QString bmp = dir_.filePath(QStringLiteral("in.bmp"));
        const QString jpg = dir_.filePath(QStringLiteral("out ショット.jpg"));
        writeFile(bmp, makeBmp(picture_, bits, topDown));
        writeFile(jpg, "an older picture, to be replaced");
        QCOMPARE(save(bmp, jpg), SAVEJPG_OK);
        // A flipped or channel-swapped picture scores far below this.
        const double db = testsupport::psnr(picture_, QImage(jpg, "JPEG"));
        QVERIFY2(db >= 45, qPrintable(QString::number(db)));
        QCOMPARE(leftovers(dir_.path()), QStringList{QFileInfo(jpg).fileName()});
    }

    void failureLeavesNoJpeg_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no BMP file at all; "FIFO": a FIFO
        QTest::addColumn<QString>("jpgName");    // kept.jpg exists beforehand; full.jpg: disk full
        QTest::addColumn<int>("code");
        const QByteArray good = makeBmp(picture_);
        const QString jpg = QStringLiteral("out.jpg");
        QByteArray palette = good;
        qToLittleEndian<quint16>(8, palette.data() + 28);
        QTest::newRow("missing BMP") << QByteArray() << jpg << SAVEJPG_E_BMP_OPEN;
        QTest::newRow("not a BMP") << QByteArray("hello\n") << jpg << SAVEJPG_E_BMP_FORMAT;
        QTest::newRow("cut in the header") << good.left(30) << jpg << SAVEJPG_E_BMP_TRUNCATED;
        QTest::newRow("cut in the rows") << good.chopped(500) << jpg << SAVEJPG_E_BMP_TRUNCATED;
        QTest::newRow("cut, existing JPEG kept")
            << good.chopped(500) << QStringLiteral("kept.jpg") << SAVEJPG_E_BMP_TRUNCATED;
        QTest::newRow("8-bit palette") << palette << jpg << SAVEJPG_E_BMP_UNSUPPORTED;
        QByteArray wide = good;
        qToLittleEndian<qint32>(65501, wide.data() + 18); // JPEG files stop at 65500
        QTest::newRow("65501 pixels wide") << wide << jpg << SAVEJPG_E_BMP_UNSUPPORTED;
        QTest::newRow("FIFO in the BMP's place") << QByteArray("FIFO") << jpg << SAVEJPG_E_BMP_OPEN;
        QTest::newRow("JPEG folder missing")
            << good << QStringLiteral("missing/out.jpg") << SAVEJPG_E_JPEG_WRITE;
        QTest::newRow("disk full") << good << QStringLiteral("full.jpg") << SAVEJPG_E_JPEG_WRITE;
    }
    void failureLeavesNoJpeg()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, jpgName);
        QFETCH(int, code);
        QTemporaryDir out;
        const QString bmp = dir_.filePath(QStringLiteral("bad.bmp"));
        const QString jpg = out.filePath(jpgName);
        QFile::remove(bmp);
        if (content == "FIFO")
            QCOMPARE(::mkfifo(QFile::encodeName(bmp).constData(), 0600), 0);
        else if (!content.isEmpty())
            writeFile(bmp, content);
        const bool kept = jpgName == QStringLiteral("kept.jpg");
        if (kept)
            writeFile(jpg, "the user's old picture");
        std::optional<TmpfsMount> mount;
        if (jpgName == QStringLiteral("full.jpg")) {
            if (!mount.emplace(out.path(), QStringLiteral("size=64k")).ok())
                QSKIP("cannot mount a tmpfs here");
            mount->fill();
        }
        QCOMPARE(save(bmp, jpg), code);
        QCOMPARE(leftovers(QFileInfo(jpg).path()), kept ? QStringList{jpgName} : QStringList());
        QFile old(jpg);
        QVERIFY(!kept ||
                (old.open(QIODevice::ReadOnly) && old.readAll() == "the user's old picture"));
    }

    // Another process cuts the BMP short and restores it again and again while
    // it is converted: a result code every time, never a crash.
    void bmpCutShortMeanwhile()
    {
        const QString bmp = dir_.filePath(QStringLiteral("cut.bmp"));
        const QByteArray whole = makeBmp(picture_.scaled(1200, 800));
        writeFile(bmp, whole);
        QFile file(bmp);
        QVERIFY(file.open(QIODevice::ReadWrite));
        std::atomic<bool> stop{false};
        std::thread cutter([&] {
            for (qint64 size = 100; !stop; size = size == 100 ? whole.size() : 100) {
                (void)!::ftruncate(file.handle(), size);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        // Until some conversions have run on the whole file (well under a second).
        QList<int> results;
        QElapsedTimer clock;
        clock.start();
        while (results.count(SAVEJPG_OK) < 5 && clock.elapsed() < 5000)
            results << save(bmp, dir_.filePath(QStringLiteral("cut.jpg")));
        stop = true;
        cutter.join();
        results.removeAll(SAVEJPG_OK);
        results.removeAll(SAVEJPG_E_BMP_TRUNCATED);
        QCOMPARE(results, QList<int>());
    }

    void adapterWithoutLibraryFails()
    {
        QTemporaryDir empty;
        int result = -1;
        QString error;
        QVERIFY(!platform::SaveJpgLibrary(empty.path())
                     .saveToJpeg(QStringLiteral("a.bmp"), QStringLiteral("a.jpg"), 100, -1, &result,
                                 &error));
        QVERIFY2(error.contains(QStringLiteral("libSaveJPG.so")), qPrintable(error));
    }

private:
    // The library's result code, or -1 where it cannot be loaded.
    int save(const QString &bmp, const QString &jpg)
    {
        int result = -1;
        QString error;
        return library_.saveToJpeg(bmp, jpg, 100, -1, &result, &error) ? result : -1;
    }

    platform::SaveJpgLibrary library_{qEnvironmentVariable("SNAPSENTRY_APP_DIR")};
    QTemporaryDir dir_;
    QImage picture_;
};

QTEST_MAIN(tst_SaveJPG)
#include "tst_SaveJPG.moc"
