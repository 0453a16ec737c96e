// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The confirm/cancel toggle and how the window shows the run and the clock.
#include "arming/ArmingCheck.h"
#include "capture/Schedule.h"
#include "shell/window/frmMain.h"
#include "support/ErrorHandler.h"
#include "ui_frmMain.h"

#include <QShowEvent>
#include <QTimer>

void frmMain::cmdTmSet_Click()
{
    Sub_Set();
}

void frmMain::Sub_Set()
{
    const QString title = QStringLiteral("確定/ｷｬﾝｾﾙエラー");
    const QString where = QStringLiteral("[frmMain]-[Sub_Set] ");
    support::guarded(p, title, where, [&] {
        // A press while the desktop is still asking counts for nothing.
        if (trialGrabRunning_)
            return;
        if (session_.isArmed())
            return session_.disarm();
        const arming::Verdict verdict =
            arming::checkBeforeArming(p, ui->txtSaveFolder->text(), ui->txtTopNm->text());
        if (!verdict.accepted())
            return refuseArming(verdict);
        if (!p.screenGrab.asksPermission())
            return session_.arm(runSettings());
        trialGrabRunning_ = true;
        arming::trialGrab(p, [this, title, where](const arming::Verdict &trial) {
            trialGrabRunning_ = false;
            support::guarded(p, title, where, [&] {
                if (trial.accepted())
                    session_.arm(runSettings());
                else
                    refuseArming(trial);
            });
        });
    });
}

void frmMain::refuseArming(const arming::Verdict &verdict)
{
    p.messageBox.show(verdict.warning, platform::MsgIcon::Warning);
    if (verdict.fixAt == arming::FixAt::Prefix)
        ui->txtTopNm->setFocus();
    else if (verdict.fixAt == arming::FixAt::SaveFolder)
        ui->cmdSelectFolder->setFocus();
}

capture::RunSettings frmMain::runSettings() const
{
    capture::RunSettings s;
    s.startTime = capture::timeText(ui->cmbStTm_0->currentText(), ui->cmbStTm_1->currentText());
    s.endTime = capture::timeText(ui->cmbEdTm_0->currentText(), ui->cmbEdTm_1->currentText());
    s.step = static_cast<qint16>(capture::leadingNumber(ui->cmbStep->currentText()));
    s.saveFolder = ui->txtSaveFolder->text();
    s.prefix = ui->txtTopNm->text();
    s.endAction = ui->opEnd_2->isChecked()   ? capture::EndAction::CloseProgram
                  : ui->opEnd_1->isChecked() ? capture::EndAction::ShowMessage
                                             : capture::EndAction::Nothing;
    return s;
}

void frmMain::showArmed(bool armed)
{
    for (QWidget *control : settingsControls())
        control->setEnabled(!armed);
    ui->cmdTmSet->setText(armed ? QStringLiteral("ｷｬﾝｾﾙ") : QStringLiteral("確定"));
    setPanelText(1, armed ? QStringLiteral("設定中...") : QString());
    const QString title = QStringLiteral("Snapsentry");
    p.tray.modify({QIcon(armed ? QStringLiteral(":/icons/tray_armed.png")
                               : QStringLiteral(":/icons/tray_idle.png")),
                   armed ? title + QStringLiteral(" - 設定中") : title});
}

void frmMain::showShotCount(qint16 count)
{
    setPanelText(1, QStringLiteral("設定中...  [Capture: %1 ]").arg(count));
    ui->StatusBar->repaint();
}

void frmMain::runEndAction(capture::EndAction action, qint16 count)
{
    if (action == capture::EndAction::ShowMessage) {
        Sub_FormShow();
        p.messageBox.show(QStringLiteral("キャプチャ終了 [ %1 件]").arg(count),
                          platform::MsgIcon::Information);
    } else if (action == capture::EndAction::CloseProgram) {
        close();
    }
}

void frmMain::Timer_Timer()
{
    setPanelText(2, p.clock.now().toString(QStringLiteral(" yyyy/MM/dd HH:mm:ss ")));
}

// Nobody sees the clock while the window is in the tray: it rests there, and
// shows the current time the moment the window is back.
void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    Timer_Timer();
    Timer->start();
    if (!event->spontaneous())
        Form_Resize();
}

void frmMain::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    if (!event->spontaneous())
        Timer->stop();
}
