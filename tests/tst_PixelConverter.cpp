// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/x11/PixelConverter.h"

#include <QtTest>
#include <bit>

using platform::PixelLayout;
Q_DECLARE_METATYPE(PixelLayout)

namespace
{

const unsigned char Colours[][3] = {{0, 0, 0},    {255, 255, 255}, {255, 0, 0},
                                    {0, 255, 0},  {0, 0, 255},     {18, 52, 86},
                                    {200, 7, 99}, {1, 128, 254},   {77, 66, 55}};
constexpr int Count = sizeof Colours / sizeof Colours[0];

std::uint32_t place(unsigned char value, std::uint32_t mask)
{
    const int bits = std::popcount(mask);
    const std::uint32_t v = bits >= 8 ? std::uint32_t(value) << (bits - 8) : value >> (8 - bits);
    return v << std::countr_zero(mask);
}

// Screen bytes for the test colours, laid out as an X server would send them.
QByteArray screenRow(const PixelLayout &l)
{
    QByteArray out;
    const int bytes = l.bitsPerPixel / 8;
    for (const auto &c : Colours) {
        const std::uint32_t v =
            place(c[0], l.redMask) | place(c[1], l.greenMask) | place(c[2], l.blueMask) |
            (bytes == 4 ? 0xEE000000u & ~(l.redMask | l.greenMask | l.blueMask) : 0);
        for (int b = 0; b < bytes; ++b) {
            const int shift = l.msbFirst ? 8 * (bytes - 1 - b) : 8 * b;
            out.append(char(v >> shift));
        }
    }
    return out;
}

} // namespace

class tst_PixelConverter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertsScreenLayouts_data()
    {
        QTest::addColumn<PixelLayout>("layout");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("32-bit BGRX, little-endian") << PixelLayout{} << 0;
        QTest::newRow("32-bit BGRX, big-endian server")
            << PixelLayout{32, true, 0xFF0000, 0xFF00, 0xFF} << 0;
        QTest::newRow("32-bit RGBX") << PixelLayout{32, false, 0xFF, 0xFF00, 0xFF0000} << 0;
        QTest::newRow("24-bit packed") << PixelLayout{24, false, 0xFF0000, 0xFF00, 0xFF} << 0;
        QTest::newRow("24-bit packed, big-endian")
            << PixelLayout{24, true, 0xFF0000, 0xFF00, 0xFF} << 0;
        QTest::newRow("30-bit deep colour")
            << PixelLayout{32, false, 0x3FF00000, 0xFFC00, 0x3FF} << 0;
        QTest::newRow("6 bits per channel") << PixelLayout{32, false, 0x3F000, 0xFC0, 0x3F} << 4;
    }
    void convertsScreenLayouts()
    {
        QFETCH(PixelLayout, layout);
        QFETCH(int, tolerance);
        platform::PixelConverter conv;
        QCOMPARE(conv.setLayout(layout), QString());
        const QByteArray row = screenRow(layout);
        unsigned char out[Count * 3 + 1];
        out[Count * 3] = 0x5A;
        conv.toBgr(reinterpret_cast<const unsigned char *>(row.constData()), Count, out);
        for (int i = 0; i < Count; ++i)
            for (int ch = 0; ch < 3; ++ch)
                QVERIFY2(std::abs(int(out[i * 3 + ch]) - int(Colours[i][2 - ch])) <= tolerance,
                         qPrintable(QStringLiteral("pixel %1 channel %2").arg(i).arg(ch)));
        QCOMPARE(out[Count * 3], 0x5A); // nothing written past the row
    }

    void refusesOtherLayouts_data()
    {
        QTest::addColumn<PixelLayout>("layout");
        QTest::newRow("16-bit") << PixelLayout{16, false, 0xF800, 0x7E0, 0x1F};
        QTest::newRow("8-bit") << PixelLayout{8, false, 0, 0, 0};
        QTest::newRow("no red") << PixelLayout{32, false, 0, 0xFF00, 0xFF};
        QTest::newRow("split mask") << PixelLayout{32, false, 0xF0F00000, 0xFF00, 0xFF};
        QTest::newRow("mask beyond 24 bits") << PixelLayout{24, false, 0xFF000000, 0xFF00, 0xFF};
    }
    void refusesOtherLayouts()
    {
        QFETCH(PixelLayout, layout);
        platform::PixelConverter conv;
        QVERIFY(!conv.setLayout(layout).isEmpty());
    }
};

QTEST_MAIN(tst_PixelConverter)
#include "tst_PixelConverter.moc"
