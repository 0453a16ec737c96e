// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The three timers: status clock, start watch and the capture cycle.
#include "capture/Schedule.h"
#include "capture/ShotPath.h"
#include "shell/frmMain.h"
#include "support/ErrLog.h"
#include "support/ErrorHandler.h"
#include "ui_frmMain.h"

#include <QEventLoop>
#include <QFile>
#include <QScopeGuard>
#include <QTimer>
#include <limits>

namespace
{

QString minuteText(const QDateTime &when)
{
    return when.toString(QStringLiteral("HHmm"));
}

} // namespace

void frmMain::Timer_Timer()
{
    setPanelText(2, p.clock.now().toString(QStringLiteral(" yyyy/MM/dd HH:mm:ss ")));
}

void frmMain::StartTimer_Timer()
{
    if (minuteText(p.clock.now()) == run_.StartTime) {
        StartTimer->stop();
        CapTimer->start();
    }
}

void frmMain::CapTimer_Timer()
{
    // The message boxes of a tick run a nested event loop; a tick arriving there
    // would find NextTime not yet advanced and shoot the same minute again.
    if (captureTickRunning_)
        return;
    captureTickRunning_ = true;
    const auto tickDone = qScopeGuard([this] { captureTickRunning_ = false; });
    const quint64 generation = runGeneration_;

    const bool completed = support::guarded(
        p, QStringLiteral("キャプチャエラー"), QStringLiteral("[frmMain]-[CapTimer_Timer] "),
        [this, generation] {
            run_.NowTime = minuteText(p.clock.now());
            run_.NextTime = capture::catchUpNextTime(run_.StartTime, run_.EndTime, run_.StepTime,
                                                     run_.NextTime, run_.NowTime);
            if (run_.NextTime == run_.NowTime) {
                takeShot();
                // Cancelled while a box of the shot was open: this tick is no longer the run's.
                if (generation != runGeneration_)
                    return;
            }
            if (capture::endMayBeTested(run_.StartTime, run_.EndTime, run_.NowTime))
                run_.EndFlag = 1;
            if (run_.EndFlag == 1 && run_.NowTime >= run_.EndTime)
                endOfRun();
        });
    // A halted run stays armed; only a run cancelled or re-armed inside the error
    // box keeps its own timers.
    if (!completed && generation == runGeneration_)
        CapTimer->stop();
}

void frmMain::takeShot()
{
    const quint64 generation = runGeneration_;
    const QString base =
        capture::shotBasePath(ui->txtSaveFolder->text(), ui->txtTopNm->text(), run_.NowTime);
    const QString bmp = base + QStringLiteral(".bmp");
    const QString jpg = base + QStringLiteral(".jpg");
    QString grabError;
    bool grabbed = false;
    QEventLoop wait;
    p.screenGrab.grabToBmp(bmp, [&](const QString &error) {
        grabError = error;
        grabbed = true;
        wait.quit();
    });
    if (!grabbed)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (!grabError.isEmpty())
        throw support::ProcError{grabError};

    int result = 0;
    QString loadError;
    if (!p.converter.saveToJpeg(bmp, jpg, 100, -1, &result, &loadError))
        throw support::ProcError{loadError};
    // Only the low 16 bits of the converter's answer count.
    const auto jpgAns = static_cast<qint16>(static_cast<quint16>(result & 0xFFFF));
    if (jpgAns != 0) {
        p.messageBox.show(QStringLiteral("JPEG変換エラー\r\nNo.=") + QString::number(jpgAns),
                          platform::MsgIcon::Critical);
        mdlCommon::Sub_ErrLog(p,
                              QStringLiteral("[frmMain]-[CapTimer_Timer] JPEG変換エラー (JpgAns=") +
                                  QString::number(jpgAns) + QLatin1Char(')'));
        if (generation != runGeneration_)
            return;
    } else if (QFile file(bmp); !file.remove()) {
        throw support::ProcError{file.errorString()};
    }

    const QString next = Fun_NextTime(run_.NextTime);
    if (generation != runGeneration_)
        return;
    run_.NextTime = next;
    if (run_.CapCount == std::numeric_limits<qint16>::max())
        throw support::ProcError{QStringLiteral("撮影数が 32767 を超えます")};
    ++run_.CapCount;
    setPanelText(1, QStringLiteral("設定中...  [Capture: %1 ]").arg(run_.CapCount));
    ui->StatusBar->repaint();
}

void frmMain::endOfRun()
{
    CapTimer->stop();
    setSettingsControlsEnabled(true);
    ui->cmdTmSet->setText(QStringLiteral("確定"));
    setPanelText(1, QString());
    setTrayArmed(false);

    const quint64 generation = runGeneration_;
    if (ui->opEnd_1->isChecked()) {
        Sub_FormShow();
        p.messageBox.show(QStringLiteral("キャプチャ終了 [ %1 件]").arg(run_.CapCount),
                          platform::MsgIcon::Information);
    } else if (ui->opEnd_2->isChecked()) {
        close();
    }
    // Armed again while the end message was open: the counters belong to the new run.
    if (generation != runGeneration_)
        return;
    run_.CapCount = 0;
    run_.EndFlag = 0;
}

QString frmMain::Fun_NextTime(const QString &t)
{
    QString next;
    support::guarded(p, QStringLiteral("キャプチャ時間取得エラー"),
                     QStringLiteral("[frmMain]-[Fun_NextTime] "),
                     [&] { next = capture::addMinutes(t, run_.StepTime); });
    return next;
}
