// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The converter library on its own, loaded from the application folder.
#include "ImageCompare.h"
#include "SaveJPG.h"
#include "platform/SaveJpgLibrary.h"

#include "TmpfsMount.h"
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QtEndian>

#include <QtTest>

namespace
{

using SaveFn = decltype(&SavetoJPEG);

struct BmpSpec {
    int bits = 24;
    bool topDown = false;
    bool bitfields = false;
};

// An independent BMP encoder for the test pictures.
QByteArray makeBmp(const QImage &src, const BmpSpec &s)
{
    const QImage img = src.convertToFormat(QImage::Format_RGB32);
    const int bpp = s.bits / 8;
    const int stride = (img.width() * bpp + 3) & ~3;
    const int headers = 54 + (s.bitfields ? 12 : 0);
    QByteArray out(headers + stride * img.height(), '\0');
    uchar *h = reinterpret_cast<uchar *>(out.data());
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(out.size(), h + 2);
    qToLittleEndian<quint32>(headers, h + 10);
    qToLittleEndian<quint32>(40, h + 14);
    qToLittleEndian<qint32>(img.width(), h + 18);
    qToLittleEndian<qint32>(s.topDown ? -img.height() : img.height(), h + 22);
    qToLittleEndian<quint16>(1, h + 26);
    qToLittleEndian<quint16>(s.bits, h + 28);
    qToLittleEndian<quint32>(s.bitfields ? 3 : 0, h + 30);
    if (s.bitfields) {
        qToLittleEndian<quint32>(0x00FF0000, h + 54);
        qToLittleEndian<quint32>(0x0000FF00, h + 58);
        qToLittleEndian<quint32>(0x000000FF, h + 62);
    }
    for (int y = 0; y < img.height(); ++y) {
        const int fileRow = s.topDown ? y : img.height() - 1 - y;
        uchar *d = h + headers + fileRow * stride;
        const QRgb *p = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x, d += bpp) {
            d[0] = uchar(qBlue(p[x]));
            d[1] = uchar(qGreen(p[x]));
            d[2] = uchar(qRed(p[x]));
            if (bpp == 4)
                d[3] = 0xAB; // must be ignored
        }
    }
    return out;
}

QImage testPicture(int w = 97, int h = 61)
{
    return testsupport::busyDesktopPicture(QSize(w, h), 7);
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(data), data.size());
}

QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
}

} // namespace

class tst_SaveJPG : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        lib_.setFileName(qEnvironmentVariable("SNAPSENTRY_APP_DIR") +
                         QStringLiteral("/libSaveJPG.so"));
        QVERIFY2(lib_.load(), qPrintable(lib_.errorString()));
        save_ = reinterpret_cast<SaveFn>(lib_.resolve("SavetoJPEG"));
        QVERIFY(save_);
        QVERIFY(dir_.isValid());
    }

    void convertsFaithfully_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("topDown");
        QTest::addColumn<bool>("bitfields");
        QTest::addColumn<int>("width");
        QTest::newRow("24-bit bottom-up, padded rows") << 24 << false << false << 97;
        QTest::newRow("24-bit top-down") << 24 << true << false << 97;
        QTest::newRow("24-bit bottom-up, no padding") << 24 << false << false << 96;
        QTest::newRow("32-bit bottom-up") << 32 << false << false << 97;
        QTest::newRow("32-bit top-down") << 32 << true << false << 97;
        QTest::newRow("32-bit bitfields BGRX") << 32 << false << true << 97;
    }
    void convertsFaithfully()
    {
        QFETCH(int, bits);
        QFETCH(bool, topDown);
        QFETCH(bool, bitfields);
        QFETCH(int, width);
        const QImage picture = testPicture(width);
        const QString bmp = dir_.filePath(QStringLiteral("in.bmp"));
        const QString jpg = dir_.filePath(QStringLiteral("out ショット.jpg"));
        writeFile(bmp, makeBmp(picture, {bits, topDown, bitfields}));
        QFile::remove(jpg);

        QCOMPARE(save_(QFile::encodeName(bmp), QFile::encodeName(jpg), 100, -1), SAVEJPG_OK);
        const QImage decoded(jpg, "JPEG");
        QCOMPARE(decoded.size(), picture.size());
        // A flipped or channel-swapped picture scores far below this.
        QVERIFY2(testsupport::psnr(picture, decoded) >= 45,
                 qPrintable(QString::number(testsupport::psnr(picture, decoded))));
        QVERIFY(QFile::exists(bmp));
        QCOMPARE(leftovers(dir_.path()), QStringList());
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no BMP file at all
        QTest::addColumn<QString>("jpgName");
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("code");
        const QByteArray good = makeBmp(testPicture(), {});
        const QString jpg = QStringLiteral("out.jpg");
        auto patched = [&](int offset, quint32 value) {
            QByteArray b = good;
            qToLittleEndian<quint32>(value, b.data() + offset);
            return b;
        };
        auto patched16 = [&](int offset, quint16 value) {
            QByteArray b = good;
            qToLittleEndian<quint16>(value, b.data() + offset);
            return b;
        };
        QTest::newRow("missing BMP") << QByteArray() << jpg << 100 << -1 << SAVEJPG_E_BMP_OPEN;
        QTest::newRow("quality 0") << good << jpg << 0 << -1 << SAVEJPG_E_ARGUMENT;
        QTest::newRow("quality 101") << good << jpg << 101 << -1 << SAVEJPG_E_ARGUMENT;
        QTest::newRow("reserved options") << good << jpg << 100 << 0 << SAVEJPG_E_ARGUMENT;
        QTest::newRow("text file")
            << QByteArray("hello, not a picture\n") << jpg << 100 << -1 << SAVEJPG_E_BMP_FORMAT;
        QTest::newRow("signature only")
            << QByteArray("BM") << jpg << 100 << -1 << SAVEJPG_E_BMP_TRUNCATED;
        QTest::newRow("cut in the header")
            << good.left(30) << jpg << 100 << -1 << SAVEJPG_E_BMP_TRUNCATED;
        QTest::newRow("cut in the rows")
            << good.left(good.size() / 2) << jpg << 100 << -1 << SAVEJPG_E_BMP_TRUNCATED;
        QTest::newRow("pixel offset past the end")
            << patched(10, quint32(good.size())) << jpg << 100 << -1 << SAVEJPG_E_BMP_TRUNCATED;
        QTest::newRow("pixel offset inside the header")
            << patched(10, 20) << jpg << 100 << -1 << SAVEJPG_E_BMP_FORMAT;
        QTest::newRow("height far beyond the file")
            << patched(22, 60000) << jpg << 100 << -1 << SAVEJPG_E_BMP_TRUNCATED;
        QTest::newRow("top-down height far beyond the file")
            << patched(22, quint32(-60000)) << jpg << 100 << -1 << SAVEJPG_E_BMP_TRUNCATED;
        QTest::newRow("width beyond JPEG")
            << patched(18, 0x7FFFFFFF) << jpg << 100 << -1 << SAVEJPG_E_BMP_UNSUPPORTED;
        QTest::newRow("most negative height")
            << patched(22, 0x80000000u) << jpg << 100 << -1 << SAVEJPG_E_BMP_UNSUPPORTED;
        QTest::newRow("zero width") << patched(18, 0) << jpg << 100 << -1 << SAVEJPG_E_BMP_FORMAT;
        QTest::newRow("RLE compressed")
            << patched(30, 1) << jpg << 100 << -1 << SAVEJPG_E_BMP_UNSUPPORTED;
        QTest::newRow("8-bit palette")
            << patched16(28, 8) << jpg << 100 << -1 << SAVEJPG_E_BMP_UNSUPPORTED;
        QTest::newRow("OS/2 header")
            << patched(14, 12) << jpg << 100 << -1 << SAVEJPG_E_BMP_UNSUPPORTED;
        QByteArray rgbx = makeBmp(testPicture(), {32, false, true});
        qToLittleEndian<quint32>(0x000000FF, rgbx.data() + 54);
        qToLittleEndian<quint32>(0x00FF0000, rgbx.data() + 62);
        QTest::newRow("bitfields other than BGRX")
            << rgbx << jpg << 100 << -1 << SAVEJPG_E_BMP_UNSUPPORTED;
        QTest::newRow("JPEG folder missing") << good << QStringLiteral("no-such-folder/out.jpg")
                                             << 100 << -1 << SAVEJPG_E_JPEG_WRITE;
        QTest::newRow("JPEG name too long")
            << good << QString(300, QLatin1Char('j')) + ".jpg" << 100 << -1 << SAVEJPG_E_JPEG_WRITE;
    }
    void refusesBadInput()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, jpgName);
        QFETCH(int, quality);
        QFETCH(int, options);
        QFETCH(int, code);
        const QString bmp = dir_.filePath(QStringLiteral("bad.bmp"));
        const QString jpg = dir_.filePath(jpgName);
        QFile::remove(bmp);
        QFile::remove(jpg);
        if (!content.isEmpty())
            writeFile(bmp, content);

        QCOMPARE(save_(QFile::encodeName(bmp), QFile::encodeName(jpg), uchar(quality), options),
                 code);
        QVERIFY(!QFile::exists(jpg));
        QCOMPARE(leftovers(dir_.path()), QStringList());
    }

    void refusesNullPathsAndFolders()
    {
        const QString jpg = dir_.filePath(QStringLiteral("n.jpg"));
        QCOMPARE(save_(nullptr, QFile::encodeName(jpg), 100, -1), SAVEJPG_E_ARGUMENT);
        QCOMPARE(save_(QFile::encodeName(jpg), nullptr, 100, -1), SAVEJPG_E_ARGUMENT);
        QCOMPARE(save_("", QFile::encodeName(jpg), 100, -1), SAVEJPG_E_ARGUMENT);
        QCOMPARE(save_(QFile::encodeName(dir_.path()), QFile::encodeName(jpg), 100, -1),
                 SAVEJPG_E_BMP_OPEN);
        // A folder standing where the JPEG should go is left alone.
        const QString bmp = dir_.filePath(QStringLiteral("f.bmp"));
        writeFile(bmp, makeBmp(testPicture(), {}));
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("taken.jpg")));
        QCOMPARE(
            save_(QFile::encodeName(bmp), QFile::encodeName(dir_.filePath("taken.jpg")), 100, -1),
            SAVEJPG_E_JPEG_WRITE);
        QVERIFY(QFileInfo(dir_.filePath("taken.jpg")).isDir());
        QCOMPARE(leftovers(dir_.path()), QStringList());
    }

    void existingJpegKeptOnFailureReplacedOnSuccess()
    {
        const QString bmp = dir_.filePath(QStringLiteral("e.bmp"));
        const QString jpg = dir_.filePath(QStringLiteral("e.jpg"));
        const QByteArray good = makeBmp(testPicture(), {});
        writeFile(jpg, "the user's old picture");
        writeFile(bmp, good.left(good.size() - 500));
        QCOMPARE(save_(QFile::encodeName(bmp), QFile::encodeName(jpg), 100, -1),
                 SAVEJPG_E_BMP_TRUNCATED);
        QFile old(jpg);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the user's old picture"));
        old.close();

        writeFile(bmp, good);
        QCOMPARE(save_(QFile::encodeName(bmp), QFile::encodeName(jpg), 100, -1), SAVEJPG_OK);
        QCOMPARE(QImage(jpg, "JPEG").size(), testPicture().size());
    }

    void unwritableMount_data()
    {
        QTest::addColumn<QString>("options");
        QTest::newRow("read-only folder") << QStringLiteral("ro,size=1m");
        QTest::newRow("disk full") << QStringLiteral("size=8k");
    }
    void unwritableMount()
    {
        QFETCH(QString, options);
        QTemporaryDir target;
        TmpfsMount mount(target.path(), options);
        if (!mount.ok())
            QSKIP("cannot mount a tmpfs here");
        const QString bmp = dir_.filePath(QStringLiteral("m.bmp"));
        writeFile(bmp, makeBmp(testPicture(400, 300), {}));
        const QString jpg = target.filePath(QStringLiteral("m.jpg"));
        QCOMPARE(save_(QFile::encodeName(bmp), QFile::encodeName(jpg), 100, -1),
                 SAVEJPG_E_JPEG_WRITE);
        QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void adapterReportsResultOrLoadFailure()
    {
        platform::SaveJpgLibrary real(qEnvironmentVariable("SNAPSENTRY_APP_DIR"));
        int result = -7;
        QString error;
        QVERIFY(real.saveToJpeg(dir_.filePath(QStringLiteral("absent ファイル.bmp")),
                                dir_.filePath(QStringLiteral("x.jpg")), 100, -1, &result, &error));
        QCOMPARE(result, SAVEJPG_E_BMP_OPEN);

        QTemporaryDir empty;
        platform::SaveJpgLibrary missing(empty.path());
        QVERIFY(!missing.saveToJpeg(QStringLiteral("a.bmp"), QStringLiteral("a.jpg"), 100, -1,
                                    &result, &error));
        QVERIFY2(error.contains(QStringLiteral("libSaveJPG.so")), qPrintable(error));
    }

private:
    QLibrary lib_;
    SaveFn save_ = nullptr;
    QTemporaryDir dir_;
};

QTEST_MAIN(tst_SaveJPG)
#include "tst_SaveJPG.moc"
