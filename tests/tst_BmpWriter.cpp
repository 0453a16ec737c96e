// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/BmpWriter.h"

#include "TmpfsMount.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <QtTest>
#include <optional>

namespace
{

QRgb colourAt(int x, int y)
{
    return qRgb((x * 37 + y) & 0xFF, (y * 53) & 0xFF, (x * y + 11) & 0xFF);
}

void paint(platform::BmpWriter &w)
{
    for (int y = 0; y < w.height(); ++y) {
        unsigned char *row = w.row(y);
        for (int x = 0; x < w.width(); ++x) {
            row[x * 3] = uchar(qBlue(colourAt(x, y)));
            row[x * 3 + 1] = uchar(qGreen(colourAt(x, y)));
            row[x * 3 + 2] = uchar(qRed(colourAt(x, y)));
        }
    }
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class tst_BmpWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesBottomUpBmpThatToolsRead_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("rows need padding") << 5 << 3;
        QTest::newRow("rows without padding") << 8 << 4;
        QTest::newRow("one pixel") << 1 << 1;
    }
    void writesBottomUpBmpThatToolsRead()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shot 0905.bmp"));
        platform::BmpWriter w;
        // A writer reused for another size must lay out the new one completely.
        QVERIFY(w.setSize(width + 3, height + 2));
        QVERIFY(w.setSize(width, height));
        paint(w);
        QCOMPARE(w.save(path), QString());

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        const int stride = (width * 3 + 3) & ~3;
        QCOMPARE(bytes.size(), 54 + stride * height);
        QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 2), quint32(bytes.size()));
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 22), height); // bottom-up
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(24));
        const QImage img(path, "BMP");
        QCOMPARE(img.size(), QSize(width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                QCOMPARE(img.pixel(x, y), colourAt(x, y));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("shot 0905.bmp")});
    }

    void overwritesAnExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.bmp"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
        old.close();
        platform::BmpWriter w;
        QVERIFY(w.setSize(4, 4));
        paint(w);
        QCOMPARE(w.save(path), QString());
        QCOMPARE(QFileInfo(path).size(), qint64(54 + 12 * 4));
    }

    void refusesImpossibleSizes()
    {
        platform::BmpWriter w;
        QVERIFY(!w.setSize(0, 10));
        QVERIFY(!w.setSize(10, -1));
        QVERIFY(!w.setSize(40000, 40000)); // past the 32-bit size field
    }

    void failureLeavesNothing_data()
    {
        QTest::addColumn<QString>("mountOptions"); // empty: no mount needed
        QTest::addColumn<QString>("name");
        QTest::newRow("folder missing") << QString() << QStringLiteral("missing/s.bmp");
        QTest::newRow("name too long") << QString() << QString(300, QLatin1Char('n')) + ".bmp";
        QTest::newRow("read-only folder")
            << QStringLiteral("ro,size=1m") << QStringLiteral("s.bmp");
        QTest::newRow("disk full") << QStringLiteral("size=64k") << QStringLiteral("s.bmp");
    }
    void failureLeavesNothing()
    {
        QFETCH(QString, mountOptions);
        QFETCH(QString, name);
        QTemporaryDir dir;
        std::optional<TmpfsMount> mount;
        if (!mountOptions.isEmpty()) {
            mount.emplace(dir.path(), mountOptions);
            if (!mount->ok())
                QSKIP("cannot mount a tmpfs here");
        }
        platform::BmpWriter w;
        QVERIFY(w.setSize(300, 200)); // 180 kB, more than the small disk holds
        paint(w);
        const QString error = w.save(dir.filePath(name));
        QVERIFY(!error.isEmpty());
        QCOMPARE(entries(dir.path()), QStringList());
    }
};

QTEST_MAIN(tst_BmpWriter)
#include "tst_BmpWriter.moc"
