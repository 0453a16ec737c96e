// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "FakePlatform.h"
#include "Table.h"
#include "capture/CaptureSession.h"
#include "shell/window/frmMain.h"

#include <QtTest>
#include <QtWidgets>
#include <algorithm>

inline int minuteOf(const QString &hhnn)
{
    return hhnn.left(2).toInt() * 60 + hhnn.mid(2).toInt();
}

// A capture run on the fake platform into a fresh folder, recording what it signals.
struct SessionHarness {
    FakePlatform fake;
    QTemporaryDir shots;
    capture::CaptureSession s{fake.platform()};
    QList<qint16> counts;
    QList<QPair<capture::EndAction, qint16>> ends;

    SessionHarness()
    {
        using S = capture::CaptureSession;
        QObject::connect(&s, &S::shotCounted, [this](qint16 n) { counts << n; });
        QObject::connect(&s, &S::endActionRequested,
                         [this](capture::EndAction a, qint16 n) { ends << qMakePair(a, n); });
    }
    // Arms at the start of the start minute ("hhnn" start and end).
    void arm(const QString &start, const QString &end, int step,
             capture::EndAction action = capture::EndAction::Nothing,
             const QString &prefix = QString())
    {
        fake.setTime(minuteOf(start) / 60, minuteOf(start) % 60);
        s.arm({start, end, qint16(step), shots.path(), prefix, action});
    }
    bool active(const char *timer) const
    {
        return s.findChild<QTimer *>(QLatin1String(timer))->isActive();
    }
    // One second of the clock: the timers that are on tick, and a shot is let finish.
    void tick(int minute, int second)
    {
        fake.setTime(minute / 60, minute % 60, second);
        if (active("StartTimer"))
            s.StartTimer_Timer();
        if (active("CapTimer"))
            s.CapTimer_Timer();
        waitForShot();
    }
    void waitForShot()
    {
        QVERIFY(QTest::qWaitFor([this] { return !s.shotInFlight(); }, 5000));
        QCoreApplication::processEvents();
    }
    QStringList files() const { return QDir(shots.path()).entryList(QDir::Files); }
};

inline void showActive(QWidget &w)
{
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// A loaded main window; without a settings file, a fresh folder is typed in.
struct WindowHarness {
    FakePlatform fake;
    QTemporaryDir shots;
    frmMain w{fake.platform()};
    bool loaded = false;

    explicit WindowHarness(const QByteArray &iniLines = {})
    {
        if (!iniLines.isEmpty()) {
            QFile ini(fake.dataFile("Snapsentry.ini"));
            QVERIFY(ini.open(QIODevice::WriteOnly) && ini.write("[Main]\n" + iniLines) > 0);
        }
        loaded = w.Form_Load();
        if (iniLines.isEmpty())
            set("txtSaveFolder", shots.path());
    }
    template <class T = QWidget> T *child(const QString &name) const
    {
        return w.findChild<T *>(name);
    }
    void set(const char *edit, const QString &text) const { child<QLineEdit>(edit)->setText(text); }
    void pressConfirm() const { child<QPushButton>("cmdTmSet")->click(); }
    QByteArray ini() const
    {
        QFile f(fake.dataFile("Snapsentry.ini"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The status bar's panels as the user sees them, left to right.
    QStringList panels() const
    {
        QList<QLabel *> labels = w.statusBar()->findChildren<QLabel *>();
        std::ranges::sort(labels, {}, [](QLabel *l) { return l->mapToGlobal(QPoint()).x(); });
        QStringList texts;
        for (QLabel *l : labels)
            texts << l->text();
        return texts;
    }
    // Sets the schedule ("hhnn" start and end) and arms with the button in the start minute.
    void arm(const QString &start, const QString &end, int step, int endAction = 0)
    {
        const char *lists[] = {"cmbStTm_0", "cmbStTm_1", "cmbEdTm_0", "cmbEdTm_1", "cmbStep"};
        const QString texts[] = {start.left(2), start.mid(2), end.left(2), end.mid(2),
                                 QString::number(step).rightJustified(2, QLatin1Char('0'))};
        for (int i = 0; i < 5; ++i)
            child<QComboBox>(lists[i])->setCurrentText(texts[i]);
        child<QRadioButton>(QStringLiteral("opEnd_%1").arg(endAction))->setChecked(true);
        fake.setTime(minuteOf(start) / 60, minuteOf(start) % 60);
        pressConfirm();
    }
    // The start watch and one tick of the capture cycle in the current minute.
    void shootNow()
    {
        w.session().StartTimer_Timer();
        w.session().CapTimer_Timer();
        QVERIFY(QTest::qWaitFor([this] { return !w.session().shotInFlight(); }, 5000));
    }
    bool controlsEnabled(bool enabled) const
    {
        const char *names[] = {"cmbStTm_0", "cmbStTm_1",     "cmbEdTm_0",       "cmbEdTm_1",
                               "cmbStep",   "txtSaveFolder", "cmdSelectFolder", "txtTopNm",
                               "opEnd_0",   "opEnd_1",       "opEnd_2"};
        return std::ranges::all_of(names, [&](auto n) { return child(n)->isEnabled() == enabled; });
    }
    // Whether the tray shows this tip and the named picture of the resources.
    bool trayShows(const char *picture, const QString &tip) const
    {
        auto argb = [](const QImage &i) { return i.convertToFormat(QImage::Format_ARGB32); };
        return fake.trayData.tip == tip &&
               argb(fake.trayData.icon.pixmap(32, 32).toImage()) ==
                   argb(QImage(QStringLiteral(":/icons/%1.png").arg(QLatin1String(picture))));
    }
};
