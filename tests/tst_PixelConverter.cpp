// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "Table.h"
#include "platform/grab/x11/PixelConverter.h"

using platform::PixelLayout;
Q_DECLARE_METATYPE(PixelLayout)

class tst_PixelConverter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertsScreenRows_data()
    {
        // pixels: hex as the screen sends them, then blue, green, red
        columns<PixelLayout, QByteArray>("layout", "pixels");
        using B = QByteArray;
        dataRow("32-bit BGRX", PixelLayout{},
                B("0b30557a9fc4e90e33587da2c7ec11365b80a5caef14395e83a8cdf2"
                  " 0b30559fc4e933587dc7ec115b80a5ef143983a8cd"));
        dataRow("24-bit, big-endian", PixelLayout{24, true, 0xFF0000, 0xFF00, 0xFF},
                B("123456abcdef 563412efcdab"));
        dataRow("24-bit", PixelLayout{24, false, 0xFF0000, 0xFF00, 0xFF},
                B("563412efcdab 563412efcdab"));
        dataRow("30-bit deep colour", PixelLayout{32, false, 0x3FF00000, 0xFFC00, 0x3FF},
                B("5b4993040100f83f 5634120080ff"));
        dataRow("5-6-5 channels", PixelLayout{32, false, 0xF800, 0x7E0, 0x1F},
                B("01fc0000fe070000 0881fff6ff00"));
    }
    // Every width up to the row's: each tail after a block of four, with distinct pixels.
    void convertsScreenRows()
    {
        const auto [layout, pixels] = fetch<PixelLayout, QByteArray>("layout", "pixels");
        platform::PixelConverter conv;
        QCOMPARE(conv.setLayout(layout), QString());
        const QByteArray src = QByteArray::fromHex(pixels.split(' ')[0]);
        const QByteArray want = QByteArray::fromHex(pixels.split(' ')[1]);
        for (int width = 1; width <= want.size() / 3; ++width) {
            const QByteArray row = src.left(src.size() * 3 / want.size() * width);
            QByteArray out(width * 3 + 1, '\x5A'); // the last byte must stay
            conv.toBgr(reinterpret_cast<const uchar *>(row.constData()), width,
                       reinterpret_cast<uchar *>(out.data()));
            QCOMPARE(out, want.left(width * 3) + '\x5A');
        }
    }

    void refusesLayouts()
    {
        platform::PixelConverter conv;
        QCOMPARE(conv.setLayout({16, false, 0xF800, 0x7E0, 0x1F}),
                 QStringLiteral("対応していない画面の形式です (16 ビット/画素)"));
        // No blue; red past a 24-bit pixel; a gap in green.
        for (const PixelLayout &layout : {PixelLayout{32, false, 0xFF0000, 0xFF00, 0},
                                          PixelLayout{24, false, 0xFF000000, 0xFF00, 0xFF},
                                          PixelLayout{32, false, 0xFF0000, 0xF0F0, 0xF}})
            QCOMPARE(conv.setLayout(layout), QStringLiteral("対応していない画面の色の形式です"));
    }
};

QTEST_MAIN(tst_PixelConverter)
#include "tst_PixelConverter.moc"
