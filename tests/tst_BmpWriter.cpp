// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/BmpWriter.h"

#include "ImageCompare.h"
#include "TmpfsMount.h"
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cstring>
#include <optional>
#include <unistd.h>

class tst_BmpWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesBottomUpBmpThatToolsRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shot 0905.bmp"));
        const QImage picture =
            testsupport::busyDesktopPicture(QSize(5, 3), 3).convertToFormat(QImage::Format_BGR888);
        platform::BmpWriter w;
        QVERIFY(w.setSize(8, 4)); // a reused writer must lay out the new size completely
        QVERIFY(w.setSize(5, 3)); // rows need padding
        for (int y = 0; y < 3; ++y)
            std::memcpy(w.row(y), picture.constScanLine(y), 5 * 3);
        // In a shared folder someone has taken every temporary name he could guess.
        QStringList taken;
        for (int n = 0; n < 1000; ++n)
            taken << QStringLiteral(".snapsentry-%1-%2.tmp").arg(::getpid()).arg(n);
        for (const QString &name : taken)
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        QCOMPARE(w.save(path), QString());

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.size(), qint64(54 + 16 * 3));
        QCOMPARE(qFromLittleEndian<qint32>(file.readAll().constData() + 22), 3); // bottom-up
        QCOMPARE(QImage(path, "BMP").convertToFormat(QImage::Format_BGR888), picture);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1 + taken.size());
    }

    void failureLeavesNothing_data()
    {
        QTest::addColumn<QString>("mountOptions"); // empty: no mount
        QTest::addColumn<QString>("name");
        QTest::newRow("folder missing") << QString() << QStringLiteral("missing/s.bmp");
        QTest::newRow("read-only") << QStringLiteral("ro,size=1m") << QStringLiteral("s.bmp");
        QTest::newRow("disk full") << QStringLiteral("size=64k") << QStringLiteral("s.bmp");
    }
    void failureLeavesNothing()
    {
        QFETCH(QString, mountOptions);
        QFETCH(QString, name);
        QTemporaryDir dir;
        std::optional<TmpfsMount> mount;
        if (!mountOptions.isEmpty() && !mount.emplace(dir.path(), mountOptions).ok())
            QSKIP("cannot mount a tmpfs here");
        platform::BmpWriter w;
        QVERIFY(w.setSize(300, 200)); // 180 kB, more than the small disk holds
        QVERIFY(!w.save(dir.filePath(name)).isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(tst_BmpWriter)
#include "tst_BmpWriter.moc"
