// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "FakePlatform.h"
#include "support/ErrLog.h"
#include "support/Launchers.h"

#include <QtTest>

class tst_Launchers : public QObject
{
    Q_OBJECT

    // The text fields of the log's entries, in record order after the header.
    static QStringList logEntries(const FakePlatform &fake)
    {
        QFile file(fake.appFile(QStringLiteral("Err.log")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray all = file.readAll();
        QStringList entries;
        for (qsizetype at = support::LogRecordSize; at + support::LogRecordSize <= all.size();
             at += support::LogRecordSize) {
            QByteArray text = all.mid(at + 21, support::LogTextSize);
            while (text.endsWith(' '))
                text.chop(1);
            entries << QString::fromUtf8(text);
        }
        return entries;
    }

private Q_SLOTS:
    void refusedReadmeIsShownAndLoggedWithPath_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text");
        QTest::newRow("0 out of memory") << 0 << QStringLiteral("メモリ不足です");
        QTest::newRow("2 missing file") << 2 << QStringLiteral("ファイルが見つかりません");
        QTest::newRow("3 missing folder") << 3 << QStringLiteral("パスが見つかりません");
        QTest::newRow("5 not startable") << 5 << QStringLiteral("エラーNo.=5");
        QTest::newRow("11 invalid file") << 11 << QStringLiteral("ファイルが無効です");
        QTest::newRow("31 no association")
            << 31 << QStringLiteral("関連付けられているファイルがありません");
        QTest::newRow("32 is still a failure") << 32 << QStringLiteral("エラーNo.=32");
    }

    void refusedReadmeIsShownAndLoggedWithPath()
    {
        QFETCH(int, result);
        QFETCH(QString, text);
        FakePlatform fake;
        fake.documentResult = result;
        mdlCommon::Sub_ShowHelpFlie(fake.platform());

        const QString path = fake.appFile(QStringLiteral("Readme.txt"));
        QCOMPARE(fake.openedDocuments, QStringList{path});
        QCOMPARE(fake.messageTexts(), QStringList{QStringLiteral("Readme表示エラー\r\n") + text});
        QCOMPARE(fake.messages.first().icon, platform::MsgIcon::Critical);
        QCOMPARE(logEntries(fake), QStringList{QStringLiteral("[mdlCommon]-[Sub_ShowHelpFlie] ") +
                                               text + QChar(0x3000) + path});
    }

    void openedReadmeSaysNothing_data()
    {
        QTest::addColumn<int>("result");
        QTest::newRow("33") << 33;
        QTest::newRow("42") << 42;
    }

    void openedReadmeSaysNothing()
    {
        QFETCH(int, result);
        FakePlatform fake;
        fake.documentResult = result;
        mdlCommon::Sub_ShowHelpFlie(fake.platform());
        QCOMPARE(fake.openedDocuments.size(), 1);
        QVERIFY(fake.messages.isEmpty());
        QVERIFY(!QFile::exists(fake.appFile(QStringLiteral("Err.log"))));
    }

    void webPage_data()
    {
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("log");
        const QString error = QStringLiteral("xdg-open: No such file or directory");
        QTest::newRow("opener started") << QString() << QStringList() << QStringList();
        QTest::newRow("opener missing")
            << error << QStringList{QStringLiteral("Webページ表示エラー\r\n") + error}
            << QStringList{QStringLiteral("[mdlCommon]-[Sub_ShowWebFlie] ") + error};
    }

    void webPage()
    {
        QFETCH(QString, error);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, log);
        FakePlatform fake;
        fake.urlError = error;
        mdlCommon::Sub_ShowWebFlie(fake.platform());
        QCOMPARE(fake.openedUrls, QStringList{QString::fromUtf8(buildinfo::Url)});
        QCOMPARE(fake.messageTexts(), messages);
        QCOMPARE(logEntries(fake), log);
    }
};

QTEST_MAIN(tst_Launchers)
#include "tst_Launchers.moc"
