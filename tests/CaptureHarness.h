// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "FakePlatform.h"
#include "shell/frmMain.h"

#include <QtTest>
#include <QtWidgets>
#include <algorithm>

// One row of a QtTest table on a single line.
template <class... T> void dataRow(const char *name, T... columns)
{
    (QTest::newRow(name) << ... << columns);
}

// A loaded main window on the fake platform, saving into a fresh folder.
struct CaptureHarness {
    FakePlatform fake;
    QTemporaryDir shots;
    frmMain w{fake.platform()};

    CaptureHarness()
    {
        w.Form_Load();
        set("txtSaveFolder", shots.path());
    }
    template <class T = QWidget> T *child(const QString &name) const
    {
        return w.findChild<T *>(name);
    }
    void set(const char *edit, const QString &text) const { child<QLineEdit>(edit)->setText(text); }
    bool active(const char *timer) const { return child<QTimer>(timer)->isActive(); }
    void pressConfirm() const { child<QPushButton>("cmdTmSet")->click(); }
    static int minuteOf(const QString &hhnn)
    {
        return hhnn.left(2).toInt() * 60 + hhnn.mid(2).toInt();
    }

    // Sets the schedule ("hhnn" start and end) and arms at the start of the start minute.
    void arm(const QString &start, const QString &end, int step, int endAction = 0)
    {
        const char *lists[] = {"cmbStTm_0", "cmbStTm_1", "cmbEdTm_0", "cmbEdTm_1", "cmbStep"};
        const QString texts[] = {start.left(2), start.mid(2), end.left(2), end.mid(2),
                                 QString::number(step).rightJustified(2, QLatin1Char('0'))};
        for (int i = 0; i < 5; ++i)
            child<QComboBox>(lists[i])->setCurrentText(texts[i]);
        child<QRadioButton>(QStringLiteral("opEnd_%1").arg(endAction))->setChecked(true);
        fake.setTime(minuteOf(start) / 60, minuteOf(start) % 60);
        w.Sub_Set();
    }
    // One second of the clock: the start watch and the capture timer tick if enabled.
    void tick(int minute, int second)
    {
        fake.setTime(minute / 60, minute % 60, second);
        if (active("StartTimer"))
            QMetaObject::invokeMethod(&w, "StartTimer_Timer");
        if (active("CapTimer"))
            QMetaObject::invokeMethod(&w, "CapTimer_Timer");
    }

    bool controlsEnabled(bool enabled) const
    {
        const char *names[] = {"cmbStTm_0", "cmbStTm_1",     "cmbEdTm_0",       "cmbEdTm_1",
                               "cmbStep",   "txtSaveFolder", "cmdSelectFolder", "txtTopNm",
                               "opEnd_0",   "opEnd_1",       "opEnd_2"};
        return std::ranges::all_of(names, [&](auto n) { return child(n)->isEnabled() == enabled; });
    }
    // Whether the tray shows this tip and the picture of the named label.
    bool trayShows(const char *picture, const QString &tip) const
    {
        auto argb = [](const QImage &i) { return i.convertToFormat(QImage::Format_ARGB32); };
        return fake.trayData.tip == tip && argb(fake.trayData.icon.pixmap(32, 32).toImage()) ==
                                               argb(child<QLabel>(picture)->pixmap().toImage());
    }
    QStringList logEntries() const { return fake.logEntries(); }
};
