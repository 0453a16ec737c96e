// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "arming/ArmingCheck.h"
#include "capture/CaptureSession.h"
#include "platform/Platform.h"

#include <QMainWindow>
#include <QSystemTrayIcon>
#include <memory>

class ScheduleValues;
class QLabel;
class QMenu;
class QTimer;

namespace Ui
{
class frmMain;
}

// The main window: the settings controls, the menus, the tray and the status bar.
// The run itself is a CaptureSession; the window shows what it reports. Handler
// names matter: the error boxes' log entries name them ("[frmMain]-[Sub_Set] ").
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(const Platform &platform, QWidget *parent = nullptr);
    ~frmMain() override;

    // Fills the lists, shows the saved settings and registers the tray record.
    // On failure it reports, ends the program and returns false.
    bool Form_Load();

    void Sub_Set();
    void Sub_FormShow();
    void Sub_FormHide();

    // Saves the settings as closing the window does, armed or not: the end of
    // the desktop session or a termination signal cannot be refused.
    void saveSettingsForSessionEnd();
    // Closes as File > Exit does (refused while armed), also while the box
    // of an earlier refusal is open, which a close of the widget would not.
    void closeNow();

    bool isArmed() const { return session_.isArmed(); }
    // Arming waits for the desktop's answer to a trial grab.
    bool armingPending() const { return trialGrabRunning_; }
    // The schedule as the controls show it.
    capture::RunSettings runSettings() const;
    // Puts checked values from outside into the controls, as a person picking
    // them would (the way the saved settings are shown); the caller refuses
    // them while armed (the controls are locked).
    void setSchedule(const ScheduleValues &values);
    // At start-up instead of show(): the window starts put away, in the tray
    // or, where there is none, minimised.
    void showPutAway();
    capture::CaptureSession &session() { return session_; }
    QMenu *taskBarMenu() const;

Q_SIGNALS:
    // A setting control changed its value.
    void settingsEdited();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private Q_SLOTS:
    void Form_Resize();
    void Form_MouseMove(QSystemTrayIcon::ActivationReason reason);
    void cmdTmSet_Click();
    void cmdSelectFolder_Click();
    void Timer_Timer();
    void M_File_Click(int index);
    void M_Help_Click(int index);
    void M_TaskBar_Click(int index);
    void showArmed(bool armed);
    void showShotCount(qint16 count);
    void runEndAction(capture::EndAction action, qint16 count);

private:
    void connectHandlers();
    void Form_Unload(bool &cancel);
    void fillLists();
    void showSavedSettings();
    // Shows one value of the settings file (its key) in its control; a value
    // the control cannot show is an error.
    void showSetting(const QString &key, const QString &value);
    void saveSettings();
    void refuseArming(const arming::Verdict &verdict);

    QList<QWidget *> settingsControls() const;
    void setPanelText(int panel, const QString &text);

    std::unique_ptr<Ui::frmMain> ui;
    Platform p;
    capture::CaptureSession session_;
    QTimer *Timer = nullptr;
    QLabel *statusPanel1 = nullptr;
    QLabel *statusPanel2 = nullptr;
    bool trialGrabRunning_ = false;
};
