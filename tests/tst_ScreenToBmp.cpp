// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// A screen's pixels, in whatever layout the X server sends them, to a BMP file.
#include "Table.h"
#include "platform/grab/AutoScreenGrab.h"
#include "platform/grab/BmpWriter.h"
#include "platform/grab/ImageBmp.h"
#include "platform/grab/OutputLayout.h"
#include "platform/grab/screencast/FrameImage.h"
#include "platform/grab/x11/PixelConverter.h"

#include <QTemporaryDir>
#include <cstring>

using platform::CaptureBackend;
using platform::FrameLayout;
using platform::PixelLayout;
using platform::PixelOrder;
Q_DECLARE_METATYPE(CaptureBackend)
Q_DECLARE_METATYPE(FrameLayout)
Q_DECLARE_METATYPE(PixelLayout)

class tst_ScreenToBmp : public QObject
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
        dataRow("16-bit red", PixelLayout{32, false, 0xFFFF0000, 0xFF00, 0xFF},
                B("78563412cdabffff 785612cdabff"));
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

    // A screen-cast frame out of its buffer: 2x2 pixels, rows 1 byte longer than needed
    // (BGRx and RGB frames come from a real stream in the ScreenCast test).
    void copiesFrames_data()
    {
        // buffer: hex; want: the top-left and bottom-right pixels, or the start of the refusal
        columns<FrameLayout, QByteArray, QString>("layout", "buffer", "want");
        const QByteArray four = "0a0b0c0d 1a1b1c1d ff 2a2b2c2d 3a3b3c3d ff";
        const QByteArray three = "0a0b0c 1a1b1c ff 2a2b2c 3a3b3c ff";
        dataRow("BGRA, alpha ignored", FrameLayout{PixelOrder::BGRA, 2, 2, 9, 0}, four,
                "#0c0b0a #3c3b3a");
        dataRow("RGBx", FrameLayout{PixelOrder::RGBx, 2, 2, 9, 0}, four, "#0a0b0c #3a3b3c");
        dataRow("RGBA", FrameLayout{PixelOrder::RGBA, 2, 2, 9, 0}, four, "#0a0b0c #3a3b3c");
        dataRow("BGR at an offset", FrameLayout{PixelOrder::BGR, 2, 2, 7, 1}, "ee" + three,
                "#0c0b0a #3c3b3a");
        dataRow("last row cut short", FrameLayout{PixelOrder::BGRx, 2, 2, 9, 0},
                QByteArray("0a0b0c0d 1a1b1c1d ff 2a2b2c2d 3a3b3c"), "画面のバッファが小さすぎます");
        dataRow("offset past the end", FrameLayout{PixelOrder::RGB, 2, 2, 7, 15}, three,
                "画面のバッファが小さすぎます");
        dataRow("stride under a row", FrameLayout{PixelOrder::BGRx, 2, 2, 7, 0}, four,
                "画面の行の長さ");
        dataRow("no width", FrameLayout{PixelOrder::BGRx, 0, 2, 9, 0}, four, "画面の大きさ");
    }
    void copiesFrames()
    {
        const auto [layout, buffer, want] =
            fetch<FrameLayout, QByteArray, QString>("layout", "buffer", "want");
        const QByteArray bytes = QByteArray::fromHex(QByteArray(buffer).replace(' ', ""));
        QImage image;
        const QString error = platform::copyFrame(reinterpret_cast<const uchar *>(bytes.data()),
                                                  std::size_t(bytes.size()), layout, &image);
        if (!want.startsWith('#')) {
            QVERIFY2(error.startsWith(want) && image.isNull(), qPrintable(error));
            return;
        }
        QCOMPARE(error, QString());
        QCOMPARE(image.pixelColor(0, 0).name() + " " + image.pixelColor(1, 1).name(), want);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 255);
    }

    // Which way a shot is taken, from the session and SNAPSENTRY_CAPTURE.
    void choosesBackend_data()
    {
        columns<QString, bool, QString, bool, CaptureBackend>("forced", "x11", "desktops", "wlr",
                                                              "chosen");
        dataRow("X11 session", "", true, "GNOME", false, CaptureBackend::X11);
        dataRow("GNOME on Wayland", "", false, "ubuntu:GNOME", true, CaptureBackend::ScreenCast);
        dataRow("sway", "", false, "sway", true, CaptureBackend::Wlr);
        dataRow("KDE", "", false, "KDE", false, CaptureBackend::Portal);
        dataRow("forced portal on GNOME", "portal", false, "GNOME", false, CaptureBackend::Portal);
        dataRow("forced screencast", "screencast", true, "KDE", false, CaptureBackend::ScreenCast);
        dataRow("forced nonsense", "flash", false, "GNOME", false, CaptureBackend::Invalid);
    }
    void choosesBackend()
    {
        const auto [forced, x11, desktops, wlr, chosen] =
            fetch<QString, bool, QString, bool, CaptureBackend>("forced", "x11", "desktops", "wlr",
                                                                "chosen");
        QCOMPARE(platform::chooseCaptureBackend(forced, x11, desktops, [wlr = wlr] { return wlr; }),
                 chosen);
    }

    // Outputs of two densities: the desktop takes the finer one, the coarser is enlarged.
    void composesOutputsOfMixedDensity()
    {
        QImage fine(200, 100, QImage::Format_RGB32), coarse(100, 50, QImage::Format_RGB32);
        fine.fill(Qt::red);
        coarse.fill(Qt::green);
        const QImage desktop = platform::composeDesktop(
            {{fine, QRect(0, 0, 100, 50)}, {coarse, QRect(100, 0, 100, 50)}});
        QCOMPARE(desktop.size(), QSize(400, 100));
        QCOMPARE(desktop.pixel(199, 99), qRgb(255, 0, 0));
        QCOMPARE(desktop.pixel(399, 99), qRgb(0, 255, 0));
    }
};

QTEST_MAIN(tst_ScreenToBmp)
#include "tst_ScreenToBmp.moc"
