// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The checks made before a run is armed: the save folder, and the file names.
#include "FakePlatform.h"
#include "Table.h"
#include "arming/PathCheck.h"
#include "arming/UseFileNmCheck.h"

#include <cerrno>
#include <cstring>

class tst_ArmingChecks : public QObject
{
    Q_OBJECT

    QTemporaryDir tree_;

    void row(const char *name, const QString &relative, qint16 flag, bool found,
             const QString &report = {})
    {
        const QString path = relative.isEmpty() ? QString() : tree_.filePath(relative);
        QTest::newRow(name) << path << flag << found << report;
    }

    static bool check(FakePlatform &fake, const QString &prefix)
    {
        return mdlMain::Fun_UseFileNmCheck(fake.platform(), prefix, QPixmap(32, 32));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QDir root(tree_.path());
        QVERIFY(root.mkdir("shots"));
        QVERIFY(QFile(root.filePath("plain.txt")).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(root.filePath("loop"), root.filePath("loop")));
    }

    void pathCheck_data()
    {
        // report empty: no message, no log
        columns<QString, qint16, bool, QString>("path", "flag", "found", "report");
        row("folder", "shots", 1, true);
        row("folder/", "shots/", 1, true);
        row("missing", "nowhere", 1, false);
        row("plain file, flag 1", "plain.txt", 1, true);
        row("plain file, flag 0", "plain.txt", 0, true);
        row("folder, flag 0", "shots", 0, false);
        row("empty path", "", 1, false);
        row("name too long", QString(300, 'n'), 1, false);
        row("symlink loop is reported", "loop", 1, false, QString::fromLocal8Bit(strerror(ELOOP)));
    }

    void pathCheck()
    {
        const auto [path, flag, found, report] =
            fetch<QString, qint16, bool, QString>("path", "flag", "found", "report");
        FakePlatform fake;
        QCOMPARE(mdlCommon::Sub_PathCheck(fake.platform(), path, flag), found);
        QCOMPARE(fake.messageTexts().join(""),
                 report.isEmpty() ? "" : "存在チェックエラー\r\n" + report);
        QCOMPARE(fake.logEntries(), report.isEmpty()
                                        ? QStringList()
                                        : QStringList{"[mdlCommon]-[Sub_PathCheck] " + report});
    }

    // No test file left, a user's file of its name untouched; refused access is a silent no.
    void fileNameCheck_data()
    {
        // error: creating the test file fails with it; EEXIST: the user's file
        columns<QString, int, bool>("prefix", "error", "accepted");
        dataRow("empty prefix", "", 0, true);
        dataRow("ordinary", "cap", 0, true);
        dataRow("slash", "a/b", 0, false);
        dataRow("backslash", "a\\b", 0, false);
        dataRow("name too long", QString(300, QLatin1Char('x')), 0, false);
        dataRow("user's file of that name", "cap", EEXIST, true);
        dataRow("read-only folder", "画面", EROFS, false);
        dataRow("permission denied", "画面", EACCES, false);
        dataRow("disk full", "画面", ENOSPC, false);
    }
    void fileNameCheck()
    {
        const auto [prefix, error, accepted] =
            fetch<QString, int, bool>("prefix", "error", "accepted");
        FakePlatform fake;
        const QString testFile = prefix + "0000.bmp";
        const QByteArray mine("the user's own picture\0\xFF", 24);
        if (error == EEXIST)
            QVERIFY(fake.writeDataFile(testFile, mine));
        else if (error)
            fake.failFs(QStringLiteral("create"), fake.dataFile(testFile), error);
        QCOMPARE(check(fake, prefix), accepted);
        QCOMPARE(fake.dataBytes(testFile), error == EEXIST ? mine : QByteArray());
        const QString description = QString::fromLocal8Bit(std::strerror(error));
        const bool reported = error == ENOSPC;
        QCOMPARE(fake.messageTexts(),
                 reported ? QStringList{"ファイル名チェックエラー\r\n" + description}
                          : QStringList());
        QCOMPARE(fake.logEntries(),
                 reported ? QStringList{"[mdlMain]-[Fun_UseFileNmCheck] " + description}
                          : QStringList());
    }

    // The test file carries the picture; it stays only where it cannot be removed.
    void testFileCarriesThePicture()
    {
        FakePlatform fake;
        fake.failFs(QStringLiteral("remove"), fake.dataFile("cap0000.bmp"), EBUSY);
        QVERIFY(check(fake, "cap"));
        QCOMPARE(QImage::fromData(fake.dataBytes("cap0000.bmp"), "BMP").size(), QSize(32, 32));
    }
};

QTEST_MAIN(tst_ArmingChecks)
#include "tst_ArmingChecks.moc"
