// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "FakePlatform.h"
#include "shell/frmMain.h"
#include "support/ErrLog.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

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
    void set(const char *edit, const QString &text) const
    {
        child<QLineEdit>(QLatin1String(edit))->setText(text);
    }
    bool active(const char *timer) const { return child<QTimer>(QLatin1String(timer))->isActive(); }
    void pressConfirm() const { child<QPushButton>(QStringLiteral("cmdTmSet"))->click(); }
    static int minuteOf(const QString &hhnn)
    {
        return hhnn.left(2).toInt() * 60 + hhnn.right(2).toInt();
    }

    // Sets the schedule ("hhnn" start and end) and arms at the start of the start minute.
    void arm(const QString &start, const QString &end, int step, int endAction = 0)
    {
        const QString lists[] = {"cmbStTm_0", "cmbStTm_1", "cmbEdTm_0", "cmbEdTm_1", "cmbStep"};
        const QString texts[] = {start.left(2), start.right(2), end.left(2), end.right(2),
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
    // Arms and lets the run take its first shot.
    void startRun(const QString &start, const QString &end, int step, int endAction = 0)
    {
        arm(start, end, step, endAction);
        tick(minuteOf(start), 0);
        tick(minuteOf(start), 1);
    }

    QString shotPath(const QString &name) const { return shots.path() + QLatin1Char('/') + name; }
    QStringList shotMinutes() const
    {
        QStringList minutes;
        for (const QString &path : fake.grabs)
            minutes << path.right(8).left(4);
        return minutes;
    }
    bool controlsEnabled(bool enabled) const
    {
        for (const char *name :
             {"cmbStTm_0", "cmbStTm_1", "cmbEdTm_0", "cmbEdTm_1", "cmbStep", "txtSaveFolder",
              "cmdSelectFolder", "txtTopNm", "opEnd_0", "opEnd_1", "opEnd_2"}) {
            if (child(QLatin1String(name))->isEnabled() != enabled)
                return false;
        }
        return true;
    }
    // The texts of the Err.log entries, oldest first (the ring never wraps in a test).
    QStringList logEntries() const
    {
        QFile file(fake.appFile(QStringLiteral("Err.log")));
        QStringList entries;
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        for (qsizetype at = support::LogRecordSize; at < bytes.size(); at += support::LogRecordSize)
            entries << QString::fromUtf8(bytes.mid(at + 21, support::LogTextSize)).trimmed();
        return entries;
    }
};
