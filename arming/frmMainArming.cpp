// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// Arming and disarming: the confirm/cancel toggle.
#include "arming/PathCheck.h"
#include "arming/UseFileNmCheck.h"
#include "capture/Schedule.h"
#include "platform/FileProbe.h"
#include "shell/frmMain.h"
#include "support/ErrorHandler.h"
#include "ui_frmMain.h"

#include <QTimer>

namespace
{

const QString ConfirmCaption = QStringLiteral("確定");
const QString CancelCaption = QStringLiteral("ｷｬﾝｾﾙ");

} // namespace

void frmMain::cmdTmSet_Click()
{
    Sub_Set();
}

void frmMain::Sub_Set()
{
    support::guarded(p, QStringLiteral("確定/ｷｬﾝｾﾙエラー"), QStringLiteral("[frmMain]-[Sub_Set] "),
                     [this] {
                         if (ui->cmdTmSet->text() == ConfirmCaption)
                             arm();
                         else
                             disarm();
                     });
}

void frmMain::arm()
{
    auto refuse = [this](const QString &warning, QWidget *toCorrect) {
        p.messageBox.show(warning, platform::MsgIcon::Warning);
        toCorrect->setFocus();
    };
    const QString folder = ui->txtSaveFolder->text();
    if (folder.isEmpty())
        return refuse(QStringLiteral("画像保存先を設定してください"), ui->cmdSelectFolder);
    // A plain file passes the existence check but cannot hold the shots.
    if (!mdlCommon::Sub_PathCheck(p, folder, 1) || platform::FileProbe::inspect(folder).isPlainFile)
        return refuse(QStringLiteral("画像保存先が見つかりません"), ui->cmdSelectFolder);
    if (!mdlMain::Fun_UseFileNmCheck(p, ui->txtTopNm->text(), ui->picTaskIcon_1->pixmap()))
        return refuse(QStringLiteral("ファイル名に使用できない文字が含まれています"), ui->txtTopNm);

    ++runGeneration_;
    setSettingsControlsEnabled(false);
    ui->cmdTmSet->setText(CancelCaption);
    setPanelText(1, QStringLiteral("設定中..."));
    setTrayArmed(true);
    run_.CapCount = 0;
    run_.EndFlag = 0;
    run_.StartTime = capture::timeText(ui->cmbStTm_0->currentText(), ui->cmbStTm_1->currentText());
    run_.EndTime = capture::timeText(ui->cmbEdTm_0->currentText(), ui->cmbEdTm_1->currentText());
    run_.StepTime = static_cast<qint16>(capture::leadingNumber(ui->cmbStep->currentText()));
    run_.NextTime = run_.StartTime;
    StartTimer->start();
}

void frmMain::disarm()
{
    ++runGeneration_;
    StartTimer->stop();
    CapTimer->stop();
    setSettingsControlsEnabled(true);
    run_.CapCount = 0;
    run_.EndFlag = 0;
    ui->cmdTmSet->setText(ConfirmCaption);
    setPanelText(1, QString());
    setTrayArmed(false);
}
