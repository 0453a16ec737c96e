// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// A whole run through the real screen grab and the real converter library.
#include "FakePlatform.h"
#include "platform/SaveJpgLibrary.h"
#include "platform/ThreadedGrab.h"
#include "platform/x11/X11ScreenGrab.h"
#include "shell/frmMain.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

class tst_RealCapture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneShotRunStoresAJpegAndNoBmp()
    {
        FakePlatform fake;
        platform::ThreadedGrab grab(std::make_unique<platform::X11ScreenGrab>());
        platform::SaveJpgLibrary converter(qEnvironmentVariable("SNAPSENTRY_APP_DIR"));
        const Platform p{fake, fake, fake, grab,          converter,     fake,
                         fake, fake, fake, fake.appDir(), fake.dataDir()};
        QTemporaryDir shots;

        frmMain w(p);
        QVERIFY(w.Form_Load());
        w.show();
        w.findChild<QLineEdit *>(QStringLiteral("txtSaveFolder"))->setText(shots.path());
        w.findChild<QLineEdit *>(QStringLiteral("txtTopNm"))->setText(QStringLiteral("画面"));
        for (const char *list : {"cmbStTm_0", "cmbEdTm_0"})
            w.findChild<QComboBox *>(QLatin1String(list))->setCurrentText(QStringLiteral("09"));
        w.findChild<QRadioButton *>(QStringLiteral("opEnd_1"))->setChecked(true);
        fake.setTime(9, 0, 1);

        w.Sub_Set();
        QVERIFY(w.isArmed());
        w.session().StartTimer_Timer();
        w.session().CapTimer_Timer();
        QVERIFY(QTest::qWaitFor([&] { return !w.session().shotInFlight(); }, 10000));

        QCOMPARE(fake.messageTexts(), QStringList{QStringLiteral("キャプチャ終了 [ 1 件]")});
        QCOMPARE(QDir(shots.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("画面0900.jpg")});
        const QImage shot(shots.filePath(QStringLiteral("画面0900.jpg")));
        QCOMPARE(shot.size(), QSize(1920, 1080));
        QVERIFY(!w.isArmed());
    }
};

QTEST_MAIN(tst_RealCapture)
#include "tst_RealCapture.moc"
