// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "TmpfsMount.h"
#include "arming/UseFileNmCheck.h"

#include <QDir>
#include <QtTest>
#include <cerrno>
#include <cstring>

class tst_UseFileNmCheck : public QObject
{
    Q_OBJECT

    static QPixmap armedPicture()
    {
        QPixmap picture(32, 32);
        picture.fill(Qt::red);
        return picture;
    }

    static QStringList entries(const QString &dir)
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private Q_SLOTS:
    void acceptedWithoutLeavingFiles_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::newRow("empty prefix touches nothing") << QString();
        QTest::newRow("ordinary") << QStringLiteral("cap");
        QTest::newRow("japanese") << QStringLiteral("画面");
        QTest::newRow("blanks and wildcards") << QStringLiteral("a b*?");
    }

    void acceptedWithoutLeavingFiles()
    {
        QFETCH(QString, prefix);
        FakePlatform fake;
        QVERIFY(mdlMain::Fun_UseFileNmCheck(fake.platform(), prefix, armedPicture()));
        QCOMPARE(entries(fake.appDir()), QStringList());
        QCOMPARE(fake.messageTexts(), QStringList());
    }

    void refusedSilently_data()
    {
        QTest::addColumn<QString>("prefix");
        QTest::newRow("slash") << QStringLiteral("a/b");
        QTest::newRow("backslash") << QStringLiteral("a\\b");
        QTest::newRow("leading slash") << QStringLiteral("/cap");
        QTest::newRow("name too long") << QString(300, QLatin1Char('x'));
        QTest::newRow("NUL inside") << QStringLiteral("ca") + QChar(0) + QStringLiteral("p");
    }

    void refusedSilently()
    {
        QFETCH(QString, prefix);
        FakePlatform fake;
        QDir(fake.appDir()).mkdir(QStringLiteral("a")); // "a/b" must not land in here
        QVERIFY(!mdlMain::Fun_UseFileNmCheck(fake.platform(), prefix, armedPicture()));
        QCOMPARE(fake.messageTexts(), QStringList());
        QCOMPARE(entries(fake.appDir()), QStringList{QStringLiteral("a")});
        QCOMPARE(entries(fake.appFile(QStringLiteral("a"))), QStringList());
    }

    void existingFileOfTheTestNameIsLeftAlone()
    {
        FakePlatform fake;
        const QByteArray mine("the user's own picture\0\xFF", 24);
        QFile file(fake.appFile(QStringLiteral("cap0000.bmp")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(mine);
        file.close();
        const QDateTime modified = QFileInfo(file).lastModified();

        QVERIFY(
            mdlMain::Fun_UseFileNmCheck(fake.platform(), QStringLiteral("cap"), armedPicture()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), mine);
        QCOMPARE(QFileInfo(file).lastModified(), modified);
        QCOMPARE(entries(fake.appDir()), QStringList{QStringLiteral("cap0000.bmp")});
        QCOMPARE(fake.messageTexts(), QStringList());
    }

    // Root ignores permission bits, so a read-only mount stands for a protected folder.
    void readOnlyApplicationFolderRefusesSilently()
    {
        FakePlatform fake;
        const QString dir = fake.appDir();
        const TmpfsMount mount(dir, QStringLiteral("ro,size=1m"));
        if (!mount.ok())
            QSKIP("mounting a read-only tmpfs is not allowed here");
        for (const QString &prefix :
             {QStringLiteral("cap"), QStringLiteral("画面"), QStringLiteral("x")})
            QVERIFY2(!mdlMain::Fun_UseFileNmCheck(fake.platform(), prefix, armedPicture()),
                     qPrintable(prefix));
        QCOMPARE(fake.messageTexts(), QStringList());
        QVERIFY(mdlMain::Fun_UseFileNmCheck(fake.platform(), QString(), armedPicture()));
    }

    // The test file is made but cannot be written: reported, and not left behind.
    void fullDiskIsReportedAndLeavesNoTestFile()
    {
        FakePlatform fake;
        const QString dir = fake.appDir();
        const TmpfsMount mount(dir, QStringLiteral("size=64k"));
        if (!mount.ok())
            QSKIP("mounting a tmpfs is not allowed here");
        mount.fill();

        QVERIFY(
            !mdlMain::Fun_UseFileNmCheck(fake.platform(), QStringLiteral("cap"), armedPicture()));
        QVERIFY(!fake.messages.isEmpty());
        QCOMPARE(fake.messages.first().text, QStringLiteral("ファイル名チェックエラー\r\n") +
                                                 QString::fromLocal8Bit(std::strerror(ENOSPC)));
        QVERIFY(!entries(dir).contains(QStringLiteral("cap0000.bmp")));
    }

    void unexpectedFailureIsReported()
    {
        FakePlatform fake;
        Platform p = fake.platform();
        p.appDir = fake.appFile(QStringLiteral("gone")); // the application folder vanished
        QVERIFY(!mdlMain::Fun_UseFileNmCheck(p, QStringLiteral("cap"), armedPicture()));
        QVERIFY(!fake.messages.isEmpty());
        QCOMPARE(fake.messages.first().text, QStringLiteral("ファイル名チェックエラー\r\n") +
                                                 QString::fromLocal8Bit(std::strerror(ENOENT)));
        QCOMPARE(fake.messages.first().icon, platform::MsgIcon::Critical);
    }
};

QTEST_MAIN(tst_UseFileNmCheck)
#include "tst_UseFileNmCheck.moc"
