// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "capture/RunVariables.h"
#include "platform/Platform.h"

#include <QMainWindow>
#include <memory>

class QLabel;
class QMenu;
class QTimer;

namespace Ui
{
class frmMain;
}

// The main window. Its handlers keep the names users of the program's
// documentation know them by; each is implemented in the subsystem it belongs to:
// shell/ (load, unload, menus, tray, folder), capture/ (timers), arming/ (Sub_Set).
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
    QString Fun_NextTime(const QString &t);

    // Saves the settings as closing the window does, armed or not: the end of
    // the desktop session or a termination signal cannot be refused.
    void saveSettingsForSessionEnd();

    // The armed state is the confirm button's caption, nothing else.
    bool isArmed() const;
    const RunVariables &runVariables() const { return run_; }
    QString panelText(int panel) const;
    QMenu *taskBarMenu() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private Q_SLOTS:
    void Form_Resize();
    void Form_MouseMove(int message);
    void cmdTmSet_Click();
    void cmdSelectFolder_Click();
    void Timer_Timer();
    void StartTimer_Timer();
    void CapTimer_Timer();
    void M_File_Click(int index);
    void M_Help_Click(int index);
    void M_TaskBar_Click(int index);

private:
    void connectHandlers();
    void Form_Unload(bool &cancel);
    void fillLists();
    void showSavedSettings();
    void saveSettings();

    // Shared by disarming and the end of a run.
    QList<QWidget *> settingsControls() const;
    void setSettingsControlsEnabled(bool enabled);
    void setTrayArmed(bool armed);
    void setPanelText(int panel, const QString &text);

    // Arming (arming/frmMainArming.cpp).
    void arm();
    void disarm();

    // Capture cycle steps (capture/frmMainCapture.cpp).
    void takeShot();
    void endOfRun();

    std::unique_ptr<Ui::frmMain> ui;
    Platform p;
    QTimer *Timer = nullptr;
    QTimer *StartTimer = nullptr;
    QTimer *CapTimer = nullptr;
    QLabel *statusPanel1 = nullptr;
    QLabel *statusPanel2 = nullptr;
    RunVariables run_;
    // A capture tick that is still running (inside one of its message boxes)
    // makes later ticks do nothing.
    bool captureTickRunning_ = false;
    // Bumped by every arming and disarming, so a tick can tell that the run it
    // belongs to was cancelled while it waited in a message box.
    quint64 runGeneration_ = 0;
};
