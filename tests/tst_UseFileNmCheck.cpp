// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
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

private Q_SLOTS:
    // The test file is never left behind. Of the file system's refusals, access
    // refused is a silent no; anything else is reported and logged.
    void answers_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("error"); // what creating the test file fails with
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty prefix") << QString() << 0 << true;
        QTest::newRow("ordinary") << QStringLiteral("cap") << 0 << true;
        QTest::newRow("slash") << QStringLiteral("a/b") << 0 << false;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << 0 << false;
        QTest::newRow("name too long") << QString(300, QLatin1Char('x')) << 0 << false;
        QTest::newRow("read-only folder") << QStringLiteral("画面") << EROFS << false;
        QTest::newRow("permission denied") << QStringLiteral("画面") << EACCES << false;
        QTest::newRow("disk full") << QStringLiteral("画面") << ENOSPC << false;
    }
    void answers()
    {
        QFETCH(QString, prefix);
        QFETCH(int, error);
        QFETCH(bool, accepted);
        FakePlatform fake;
        const QString testFile = fake.dataFile(prefix + "0000.bmp");
        if (error)
            fake.failFs(QStringLiteral("create"), testFile, error);
        QCOMPARE(check(fake, prefix), accepted);
        QVERIFY(!QFileInfo::exists(testFile));
        const QString description = QString::fromLocal8Bit(std::strerror(error));
        const bool reported = error == ENOSPC;
        QCOMPARE(fake.messageTexts(),
                 reported ? QStringList{"ファイル名チェックエラー\r\n" + description}
                          : QStringList());
        QCOMPARE(fake.logEntries(),
                 reported ? QStringList{"[mdlMain]-[Fun_UseFileNmCheck] " + description}
                          : QStringList());
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
};

QTEST_MAIN(tst_UseFileNmCheck)
#include "tst_UseFileNmCheck.moc"
