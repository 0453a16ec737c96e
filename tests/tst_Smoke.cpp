// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "FakePlatform.h"
#include "shell/AppFonts.h"
#include "shell/frmMain.h"

#include <QtTest>

class tst_Smoke : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsWithDefaults()
    {
        FakePlatform fake;
        frmMain w(fake.platform());
        QVERIFY(w.Form_Load());
        QVERIFY(!fake.exitCode);
        QVERIFY(!w.isArmed());
    }
};

QTEST_MAIN(tst_Smoke)
#include "tst_Smoke.moc"
