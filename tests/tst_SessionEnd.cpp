// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "shell/SessionEnd.h"
#include "shell/frmMain.h"

#include <QFile>
#include <QPushButton>
#include <QtTest>
#include <csignal>

class tst_SessionEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A logout or a kill saves what closing the window saves, armed or not.
    void savesAsAnExitWould_data()
    {
        QTest::addColumn<int>("signalNumber"); // 0: the session manager ends the session
        QTest::addColumn<bool>("armed");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("SIGTERM") << SIGTERM << false << 128 + SIGTERM;
        QTest::newRow("SIGHUP while armed") << SIGHUP << true << 128 + SIGHUP;
        QTest::newRow("SIGINT") << SIGINT << false << 128 + SIGINT;
        QTest::newRow("session end while armed") << 0 << true << 0;
    }
    void savesAsAnExitWould()
    {
        QFETCH(int, signalNumber);
        QFETCH(bool, armed);
        QFETCH(int, exitCode);
        FakePlatform fake;
        QFile ini(fake.dataFile("Snapsentry.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Main]\nStep=05\n");
        ini.close();
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        w.show();
        if (armed)
            w.findChild<QPushButton *>(QStringLiteral("cmdTmSet"))
                ->setText(QStringLiteral("ｷｬﾝｾﾙ"));
        SessionEnd sessionEnd(w, fake.platform());

        if (signalNumber != 0) {
            ::raise(signalNumber);
        } else {
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &quit);
        }
        QTRY_COMPARE(fake.exitCode, std::optional<int>(exitCode));
        QVERIFY(fake.messages.isEmpty()); // no refusal while armed
        QCOMPARE(fake.trayCalls.last(), QStringLiteral("remove"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), QByteArray("[Main]\nStep=05\nStartTimeH=00\nStartTimeN=00\n"
                                           "EndTimeH=00\nEndTimeN=00\nSaveFolder=\nTopName=\n"
                                           "EndType=0\n"));
    }
};

QTEST_MAIN(tst_SessionEnd)
#include "tst_SessionEnd.moc"
