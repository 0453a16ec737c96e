// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "TmpfsMount.h"
#include "arming/UseFileNmCheck.h"

#include <QtTest>
#include <cerrno>
#include <cstring>

class tst_UseFileNmCheck : public QObject
{
    Q_OBJECT

    static bool check(FakePlatform &fake, const QString &prefix)
    {
        return mdlMain::Fun_UseFileNmCheck(fake.platform(), prefix, QPixmap(32, 32));
    }

    static QStringList entries(const QString &dir)
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private Q_SLOTS:
    void answersSilentlyAndLeavesNoFile_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty prefix") << QString() << true;
        QTest::newRow("ordinary") << QStringLiteral("cap") << true;
        QTest::newRow("slash") << QStringLiteral("a/b") << false;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
        QTest::newRow("name too long") << QString(300, QLatin1Char('x')) << false;
    }

    void answersSilentlyAndLeavesNoFile()
    {
        QFETCH(QString, prefix);
        QFETCH(bool, accepted);
        FakePlatform fake;
        QCOMPARE(check(fake, prefix), accepted);
        QCOMPARE(fake.messageTexts(), QStringList());
        QCOMPARE(entries(fake.dataDir()), QStringList());
    }

    void usersFileOfTheTestNameIsLeftAlone()
    {
        FakePlatform fake;
        const QByteArray mine("the user's own picture\0\xFF", 24);
        QFile file(fake.dataFile("cap0000.bmp"));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.write(mine) == mine.size() && file.flush());
        QVERIFY(check(fake, "cap"));
        QVERIFY(file.seek(0));
        QCOMPARE(file.readAll(), mine);
        QCOMPARE(fake.messageTexts(), QStringList());
    }

    // Root ignores permission bits, so a read-only mount stands for a protected folder.
    void readOnlyApplicationFolderRefusesSilently()
    {
        FakePlatform fake;
        const TmpfsMount mount(fake.dataDir(), QStringLiteral("ro,size=1m"));
        if (!mount.ok())
            QSKIP("mounting a read-only tmpfs is not allowed here");
        QVERIFY(!check(fake, "cap") && !check(fake, "画面"));
        QCOMPARE(fake.messageTexts(), QStringList());
    }

    // No inode is left for the test file, while the existing log can still grow.
    void unexpectedFailureIsReportedAndLogged()
    {
        FakePlatform fake;
        const TmpfsMount mount(fake.dataDir(), QStringLiteral("size=1m,nr_inodes=2"));
        if (!mount.ok())
            QSKIP("mounting a tmpfs is not allowed here");
        QFile log(fake.dataFile("Err.log"));
        QVERIFY(log.open(QIODevice::ReadWrite)); // takes the last free inode
        const QString description = QString::fromLocal8Bit(std::strerror(ENOSPC));
        QVERIFY(!check(fake, "cap"));
        QCOMPARE(fake.messageTexts(), QStringList{"ファイル名チェックエラー\r\n" + description});
        QVERIFY(log.readAll().contains(("[mdlMain]-[Fun_UseFileNmCheck] " + description).toUtf8()));
    }
};

QTEST_MAIN(tst_UseFileNmCheck)
#include "tst_UseFileNmCheck.moc"
