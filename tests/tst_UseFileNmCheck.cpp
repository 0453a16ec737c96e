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

    // The file system's refusals of the test file: access refused is a silent
    // no, anything else is reported and logged.
    void refusals_data()
    {
        QTest::addColumn<int>("error");
        QTest::newRow("read-only folder") << EROFS;
        QTest::newRow("permission denied") << EACCES;
        QTest::newRow("disk full") << ENOSPC;
        QTest::newRow("I/O error") << EIO;
    }
    void refusals()
    {
        QFETCH(int, error);
        FakePlatform fake;
        fake.failFs(QStringLiteral("create"), fake.dataFile("画面0000.bmp"), error);
        QVERIFY(!check(fake, "画面"));
        const QString description = QString::fromLocal8Bit(std::strerror(error));
        const bool reported = error == ENOSPC || error == EIO;
        QCOMPARE(fake.messageTexts(),
                 reported ? QStringList{"ファイル名チェックエラー\r\n" + description}
                          : QStringList());
        QCOMPARE(fake.logEntries(),
                 reported ? QStringList{"[mdlMain]-[Fun_UseFileNmCheck] " + description}
                          : QStringList());
    }
};

QTEST_MAIN(tst_UseFileNmCheck)
#include "tst_UseFileNmCheck.moc"
