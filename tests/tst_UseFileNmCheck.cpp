// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "Table.h"
#include "arming/UseFileNmCheck.h"

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
    // No test file left, a user's file of its name untouched; refused access is a silent no.
    void answers_data()
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
    void answers()
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

QTEST_MAIN(tst_UseFileNmCheck)
#include "tst_UseFileNmCheck.moc"
