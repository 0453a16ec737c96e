// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "FakePlatform.h"
#include "support/Launchers.h"

#include <QtTest>

class tst_Launchers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusedReadmeIsShownAndLoggedWithPath_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text");
        QTest::newRow("2 missing file") << 2 << QStringLiteral("ファイルが見つかりません");
        QTest::newRow("3 missing folder") << 3 << QStringLiteral("パスが見つかりません");
        QTest::newRow("5 not startable") << 5 << QStringLiteral("エラーNo.=5");
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
        QCOMPARE(fake.logEntries(), QStringList{QStringLiteral("[mdlCommon]-[Sub_ShowHelpFlie] ") +
                                                text + QChar(0x3000) + path});
    }

    void failingWebPageIsShown()
    {
        FakePlatform fake;
        fake.urlError = QStringLiteral("xdg-open: No such file or directory");
        mdlCommon::Sub_ShowWebFlie(fake.platform());
        QCOMPARE(fake.openedUrls, QStringList{QString::fromUtf8(buildinfo::Url)});
        QCOMPARE(fake.messageTexts(),
                 QStringList{QStringLiteral("Webページ表示エラー\r\n") + fake.urlError});
    }
};

QTEST_MAIN(tst_Launchers)
#include "tst_Launchers.moc"
