// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "WindowHarness.h"
#include "shell/SessionEnd.h"

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
        dataRow("SIGTERM", SIGTERM, false);
        dataRow("SIGHUP while armed", SIGHUP, true);
        dataRow("SIGINT", SIGINT, false);
        dataRow("session end while armed", 0, true);
    }
    void savesAsAnExitWould()
    {
        QFETCH(int, signalNumber);
        QFETCH(bool, armed);
        WindowHarness h("Step=05\n");
        h.w.show();
        if (armed) {
            h.set("txtSaveFolder", h.shots.path());
            h.pressConfirm();
            QVERIFY(h.w.isArmed());
        }
        SessionEnd sessionEnd(h.w, h.fake.platform());
        if (signalNumber != 0) {
            ::raise(signalNumber);
        } else {
            QEvent quit(QEvent::Quit);
            QCoreApplication::sendEvent(qApp, &quit);
        }
        QTRY_COMPARE(h.fake.exitCode, std::optional<int>(signalNumber ? 128 + signalNumber : 0));
        QVERIFY(h.fake.messages.isEmpty()); // no refusal while armed
        QCOMPARE(h.fake.trayCalls.last(), QStringLiteral("remove"));
        QCOMPARE(h.ini(), "[Main]\nStep=05\nStartTimeH=00\nStartTimeN=00\nEndTimeH=00\n"
                          "EndTimeN=00\nSaveFolder=" +
                              (armed ? h.shots.path().toUtf8() : "") + "\nTopName=\nEndType=0\n");
    }
};

QTEST_MAIN(tst_SessionEnd)
#include "tst_SessionEnd.moc"
