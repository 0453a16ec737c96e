// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "Table.h"
#include "platform/grab/BmpWriter.h"
#include "platform/grab/ImageBmp.h"

#include <QTemporaryDir>
#include <cstring>

class tst_BmpWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesBmpThatToolsRead_data()
    {
        // before: the reused writer's last size, one side differs; header: up to 96 dpi
        columns<QSize, QSize, QByteArray>("size", "before", "header");
        dataRow(
            "7 wide, rows padded", QSize(7, 2), QSize(8, 2),
            QByteArray(
                "424d660000000000000036000000280000000700000002000000010018000000000030000000"));
        dataRow(
            "8 wide, unpadded, over 64 kB", QSize(8, 3000), QSize(8, 3001),
            QByteArray(
                "424d7619010000000000360000002800000008000000b80b0000010018000000000040190100"));
    }
    void writesBmpThatToolsRead()
    {
        const auto [size, before, header] =
            fetch<QSize, QSize, QByteArray>("size", "before", "header");
        QImage picture(size, QImage::Format_BGR888);
        for (int i = 0; i < picture.sizeInBytes(); ++i)
            picture.bits()[i] = uchar(i * 7 + 1);
        platform::BmpWriter w;
        QVERIFY(w.setSize(before.width(), before.height()));
        QVERIFY(w.setSize(size.width(), size.height()));
        QVERIFY(w.setSize(size.width(), size.height())); // the next shot of the same screen
        QByteArray expected = QByteArray::fromHex(header + "c40e0000c40e00000000000000000000");
        for (int y = 0; y < size.height(); ++y) { // stored bottom-up, rows padded to 4 bytes
            std::memcpy(w.row(y), picture.constScanLine(y), size.width() * 3);
            const uchar *row = picture.constScanLine(size.height() - 1 - y);
            expected.append(reinterpret_cast<const char *>(row), size.width() * 3);
            expected.append(size.width() % 4, '\0');
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shot 0905.bmp"));
        QCOMPARE(w.save(path), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().toHex(), expected.toHex());
        QCOMPARE(QImage(path, "BMP").convertToFormat(QImage::Format_BGR888), picture);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QVERIFY(!w.save(dir.filePath(QStringLiteral("missing/s.bmp"))).isEmpty());
        // Refused: an empty picture, and one over the 2 GB that a BMP file can hold.
        QVERIFY(!w.setSize(0, 1) && !w.setSize(1, 0) && !w.setSize(40000, 20000));
        QCOMPARE(platform::storeImageAsBmp(QImage(), w, path),
                 QStringLiteral("画面が大きすぎます"));
    }
};

QTEST_MAIN(tst_BmpWriter)
#include "tst_BmpWriter.moc"
