// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "SessionHarness.h"
#include "support/Launchers.h"

class tst_Launchers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusedReadmeIsShownAndLoggedWithPath_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text"); // empty: opened
        dataRow("0 out of memory", 0, "メモリ不足です");
        dataRow("2 missing file", 2, "ファイルが見つかりません");
        dataRow("3 missing folder", 3, "パスが見つかりません");
        dataRow("5 not startable", 5, "エラーNo.=5");
        dataRow("11 invalid file", 11, "ファイルが無効です");
        dataRow("31 no association", 31, "関連付けられているファイルがありません");
        dataRow("32 is still a failure", 32, "エラーNo.=32");
        dataRow("33 opened", 33, "");
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
        QCOMPARE(fake.messageTexts(),
                 text.isEmpty() ? QStringList() : QStringList{"Readme表示エラー\r\n" + text});
        if (text.isEmpty())
            return;
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
