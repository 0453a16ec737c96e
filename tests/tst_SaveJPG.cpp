// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The converter library on its own, loaded from the application folder.
#include "SaveJPG.h"
#include "Table.h"
#include "TmpfsMount.h"
#include "platform/grab/SaveJpgLibrary.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <atomic>
#include <dlfcn.h>
#include <malloc.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{

// A BMP file as a writer of that kind lays it out, and how it is converted; a row
// changes a field or two. The folder holds in.bmp, the JPEG, a FIFO and full/, a full disk.
struct Bmp {
    int width = 5, height = 3; // negative height: rows stored top-down
    quint16 bits = 24, planes = 1;
    quint32 header = 40; // 12 OS/2 core, 40 info, 52 and 56 with masks, 108 V4, 124 V5
    quint32 compression = 0, red = 0xFF0000, blue = 0xFF; // compression 3: bit fields
    const char *signature = "BM";
    int offset = 0; // the pixels' start moved from the end of the headers
    int cut = -1;   // 0 or more: the last row unpadded and so many bytes cut off it
    int keep = -1;  // or: the file cut to its first so many bytes
    const char *in = "in.bmp", *jpg = "out ショット.jpg";
    int quality = 100, options = -1;
};

// Distinct neighbours, so a shifted, flipped or channel-swapped picture shows.
QRgb colourAt(int x, int y)
{
    return qRgb(x * 45 + y * 20 + 30, 200 - x * 25 + y * 70, x * 9 + y * 110 + 40);
}

QByteArray le(quint64 v, int size) // little-endian
{
    v = qToLittleEndian(v);
    return QByteArray(reinterpret_cast<const char *>(&v), size);
}

QByteArray bytes(const Bmp &b)
{
    const int rows = std::abs(b.height), w = std::max(b.width, 0), bpp = b.bits / 8;
    const int pitch = (w * bpp + 3) & ~3, masks = b.header >= 52 || b.compression == 3;
    const int start = 14 + int(b.header) + (b.header == 40 && masks ? 12 : 0);
    QByteArray out = b.signature + le(0, 8) + le(start + b.offset, 4) + le(b.header, 4);
    const int side = b.header == 12 ? 2 : 4; // the OS/2 core header ends after the bit count
    out += le(b.width, side) + le(b.height, side) + le(b.planes, 2) + le(b.bits, 2);
    out += side == 2 ? QByteArray() : le(b.compression, 4) + le(pitch * rows, 4);
    if (masks)
        out = out.leftJustified(54, 0) + le(b.red, 4) + le(0xFF00, 4) + le(b.blue, 4);
    out = out.leftJustified(start, 0);
    for (int i = 0; i < rows; ++i) {
        for (int x = 0; x < w; ++x) // a QRgb is blue, green, red, alpha in little-endian
            out += le(colourAt(x, b.height < 0 ? i : rows - 1 - i), bpp);
        out += QByteArray(b.cut < 0 || i < rows - 1 ? pitch - w * bpp : 0, 0x7F);
    }
    out.chop(std::max(b.cut, 0));
    return b.keep < 0 ? out : out.left(b.keep);
}

void rows(int code, std::initializer_list<std::pair<const char *, Bmp>> list)
{
    for (const auto &[name, bmp] : list)
        QTest::newRow(name) << bmp << code;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// Every file below root, hidden ones too, and how many files this process has open.
QStringList leftovers(const QString &root)
{
    QStringList all{QString::number(QDir(QStringLiteral("/proc/self/fd")).count())};
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        all << it.next();
    return all;
}

} // namespace

Q_DECLARE_METATYPE(Bmp)

class tst_SaveJPG : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertsBmpVariants_data()
    {
        columns<Bmp, int>("bmp", "code");
        for (int w = 1; w <= 8; ++w) // every row padding
            QTest::addRow("24-bit, %d wide", w) << Bmp{.width = w} << SAVEJPG_OK;
        rows(SAVEJPG_OK, {{"24-bit top-down", {.height = -3}},
                          {"32-bit", {.width = 3, .bits = 32}},
                          {"32-bit bit fields", {.bits = 32, .compression = 3}},
                          {"V2 header", {.header = 52}},
                          {"V3 header", {.header = 56}},
                          {"V4 header, bit fields", {.bits = 32, .header = 108, .compression = 3}},
                          {"V5 header", {.header = 124}},
                          {"last row unpadded", {.cut = 0}},
                          {"65500 wide", {.width = 65500, .height = 2}},
                          {"65500 high", {.width = 1, .height = -65500}},
                          {"quality 1", {.quality = 1}}});
        rows(SAVEJPG_E_BMP_UNSUPPORTED,
             {{"65501 wide", {.width = 65501, .height = 1}},
              {"65501 high", {.width = 1, .height = -65501}},
              {"OS/2 core header, file ending after its size", {.header = 12, .keep = 18}},
              {"8-bit palette", {.bits = 8}},
              {"24-bit bit fields", {.compression = 3}},
              {"red mask elsewhere", {.bits = 32, .compression = 3, .red = 1}},
              {"blue mask elsewhere", {.bits = 32, .compression = 3, .blue = 1}}});
        rows(SAVEJPG_E_BMP_FORMAT,
             {{"one byte", {.keep = 1}},
              {"OS/2 bitmap array", {.signature = "BA"}},
              {"two planes", {.planes = 2}},
              {"no width", {.width = 0}},
              {"no height", {.height = 0}},
              {"pixels over the masks", {.bits = 32, .compression = 3, .offset = -1}}});
        rows(SAVEJPG_E_BMP_TRUNCATED,
             {{"only the signature", {.keep = 2}},
              {"cut in the file header", {.keep = 17}},
              {"cut in the V5 header", {.header = 124, .keep = 100}},
              {"cut in the masks", {.bits = 32, .compression = 3, .keep = 60}},
              {"last pixel one byte short", {.cut = 1}}});
        rows(SAVEJPG_E_ARGUMENT, {{"quality 0", {.quality = 0}},
                                  {"quality 101", {.quality = 101}},
                                  {"options 0", {.options = 0}},
                                  {"no BMP path", {.in = ""}},
                                  {"no JPEG path", {.jpg = ""}}});
        rows(SAVEJPG_E_BMP_OPEN,
             {{"missing BMP", {.in = "gone"}}, {"FIFO as BMP", {.in = "fifo"}}});
        rows(SAVEJPG_E_JPEG_WRITE, {{"JPEG folder missing", {.jpg = "gone/out.jpg"}},
                                    {"disk full", {.jpg = "full/out.jpg"}}});
    }
    // A failure leaves the JPEG that was there before, nothing else, and no file open.
    void convertsBmpVariants()
    {
        const auto [bmp, code] = fetch<Bmp, int>("bmp", "code");
        QTemporaryDir dir;
        const auto path = [&](const char *name) {
            return *name ? dir.filePath(QString::fromUtf8(name)) : QString();
        };
        const QString jpg = path(Bmp().jpg);
        QVERIFY(writeFile(path("in.bmp"), bytes(bmp)) && writeFile(jpg, "an older picture"));
        QVERIFY(::mkfifo(QFile::encodeName(path("fifo")), 0600) == 0 &&
                QDir(dir.path()).mkdir("full"));
        std::optional<TmpfsMount> mount;
        if (QByteArray(bmp.jpg).startsWith("full/")) {
            if (!mount.emplace(path("full"), QStringLiteral("size=64k")).ok())
                QSKIP("cannot mount a tmpfs here");
            mount->fill();
        }
        const QStringList before = leftovers(dir.path());
        QCOMPARE(save(path(bmp.in), path(bmp.jpg), bmp.quality, bmp.options), code);
        QCOMPARE(leftovers(dir.path()), before);
        QFile file(jpg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (code != SAVEJPG_OK) {
            QCOMPARE(file.readAll(), "an older picture");
            return;
        }
        const QImage jpeg = QImage::fromData(file.readAll(), "JPEG");
        QCOMPARE(jpeg.size(), QSize(bmp.width, std::abs(bmp.height)));
        int worst = 0; // the largest difference of a channel
        for (int i = 0; i < jpeg.width() * jpeg.height(); ++i) {
            const QRgb got = jpeg.pixel(i % bmp.width, i / bmp.width);
            const QRgb want = colourAt(i % bmp.width, i / bmp.width);
            for (int shift : {0, 8, 16})
                worst =
                    std::max(worst, std::abs(int(got >> shift & 255) - int(want >> shift & 255)));
        }
        QVERIFY2(worst <= 8 || bmp.quality < 100, qPrintable(QString::number(worst)));
    }

    // Another process cuts the BMP short and restores it, again and again, while it is
    // converted: a result code every time, never a crash.
    void bmpCutShortMeanwhile()
    {
        QTemporaryFile file;
        const QByteArray whole = bytes(Bmp{.width = 1200, .height = 800});
        QVERIFY(file.open() && file.write(whole) == whole.size() && file.flush());
        std::atomic<bool> stop{false};
        std::thread cutter([&] {
            for (qint64 size = 100; !stop; size = size == 100 ? whole.size() : 100) {
                (void)!::ftruncate(file.handle(), size);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        QList<int> results; // until some conversions have run on the whole file
        for (QDeadlineTimer limit(5000); results.count(SAVEJPG_OK) < 5 && !limit.hasExpired();)
            results << save(file.fileName(), file.fileName() + QStringLiteral(".jpg"));
        stop = true;
        cutter.join();
        QCOMPARE(results.count(SAVEJPG_OK) + results.count(SAVEJPG_E_BMP_TRUNCATED),
                 results.size());
        QFile::remove(file.fileName() + QStringLiteral(".jpg"));
    }

    // The program converts on pool threads that end between shots: each takes its
    // encoder and buffers along, also those it outgrew.
    void endingThreadsLeaveNoMemory()
    {
        QTemporaryDir dir;
        const QString small = dir.filePath("s.bmp"), big = dir.filePath("b.bmp");
        QVERIFY(writeFile(small, bytes(Bmp{.width = 100, .height = 100})) &&
                writeFile(big, bytes(Bmp{.width = 600, .height = 400})));
        const auto shots = [&] { // both codes, 0 when converted
            int codes = -1;
            std::thread([&] {
                codes = save(small, small + ".jpg") + save(big, big + ".jpg");
            }).join();
            return codes;
        };
        const auto inUse = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
        QCOMPARE(shots(), 0); // what stays loaded
        const std::size_t before = inUse();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(shots(), 0);
        QVERIFY2(inUse() < before + 10000, qPrintable(QString::number(inUse() - before)));
    }

    void adapterWithoutLibraryFails()
    {
        QTemporaryDir dir;
        const QString library = dir.filePath(QStringLiteral("libSaveJPG.so.1"));
        // Missing, then a library without the converter's function (zlib, which
        // Qt loads), which is let go again.
        Dl_info zlib = {};
        QVERIFY(dladdr(dlsym(RTLD_DEFAULT, "zlibVersion"), &zlib) != 0);
        for (const bool present : {false, true}) {
            QVERIFY(!present || QFile::copy(QFile::decodeName(zlib.dli_fname), library));
            int result = -1;
            QString error;
            QVERIFY(
                !platform::SaveJpgLibrary(dir.path()).saveToJpeg({}, {}, 100, -1, &result, &error));
            QVERIFY2(error.contains(present ? "SavetoJPEG" : "libSaveJPG.so"), qPrintable(error));
            QVERIFY(!dlopen(QFile::encodeName(library).constData(), RTLD_NOW | RTLD_NOLOAD));
        }
    }

private:
    // The library's result code, or -1 where it cannot be loaded.
    int save(const QString &bmp, const QString &jpg, int quality = 100, int options = -1)
    {
        int result = -1;
        QString error;
        library_.saveToJpeg(bmp, jpg, std::uint8_t(quality), options, &result, &error);
        return result;
    }

    platform::SaveJpgLibrary library_{qEnvironmentVariable("SNAPSENTRY_APP_DIR")};
};

QTEST_MAIN(tst_SaveJPG)
#include "tst_SaveJPG.moc"
