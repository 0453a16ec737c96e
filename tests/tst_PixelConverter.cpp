// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/x11/PixelConverter.h"

#include <QtTest>

using platform::PixelLayout;
Q_DECLARE_METATYPE(PixelLayout)

class tst_PixelConverter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertsScreenLayouts_data()
    {
        QTest::addColumn<PixelLayout>("layout");
        QTest::addColumn<QByteArray>("pixel"); // red 0x12, green 0x34, blue 0x56 as sent
        QTest::newRow("32-bit BGRX") << PixelLayout{} << QByteArray::fromHex("563412ff");
        QTest::newRow("24-bit packed, big-endian")
            << PixelLayout{24, true, 0xFF0000, 0xFF00, 0xFF} << QByteArray::fromHex("123456");
        QTest::newRow("30-bit deep colour") << PixelLayout{32, false, 0x3FF00000, 0xFFC00, 0x3FF}
                                            << QByteArray::fromHex("584183c4");
    }
    void convertsScreenLayouts()
    {
        QFETCH(PixelLayout, layout);
        QFETCH(QByteArray, pixel);
        platform::PixelConverter conv;
        QCOMPARE(conv.setLayout(layout), QString());
        const int width = 5; // odd, past any unrolled block
        QByteArray out(width * 3 + 1, '\x5A');
        conv.toBgr(reinterpret_cast<const uchar *>(pixel.repeated(width).constData()), width,
                   reinterpret_cast<uchar *>(out.data()));
        // Blue, green, red; the last byte shows nothing was written past the row.
        QCOMPARE(out, QByteArray::fromHex("563412").repeated(width) + '\x5A');
    }

    void refuses16BitScreens()
    {
        platform::PixelConverter conv;
        QVERIFY(!conv.setLayout(PixelLayout{16, false, 0xF800, 0x7E0, 0x1F}).isEmpty());
    }
};

QTEST_MAIN(tst_PixelConverter)
#include "tst_PixelConverter.moc"
