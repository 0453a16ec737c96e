// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "capture/RunSettings.h"
#include "capture/RunVariables.h"
#include "platform/Platform.h"

#include <QObject>
#include <QThreadPool>

class QTimer;

namespace capture
{

// One capture run: the start watch, the capture cycle and the run variables.
// It knows no widget; the window shows what its signals tell. A shot (grab, BMP,
// JPEG, BMP removed) runs off the GUI thread and the tick goes on when it is done.
class CaptureSession : public QObject
{
    Q_OBJECT

public:
    explicit CaptureSession(const Platform &platform, QObject *parent = nullptr);
    ~CaptureSession() override;

    bool isArmed() const { return armed_; }
    bool shotInFlight() const { return shotInFlight_; }
    // Armed and past the start minute: the capture cycle runs (or stopped on an error).
    bool isCapturing() const;
    const RunVariables &runVariables() const { return run_; }

    void arm(const RunSettings &settings);
    void disarm();
    // Before the program ends: no tick goes on, and a shot in flight gets up to
    // timeoutMs to finish and remove its BMP.
    void finishForExit(int timeoutMs);

    // The timers' handlers. Their names appear in Err.log entries.
    void StartTimer_Timer();
    void CapTimer_Timer();

Q_SIGNALS:
    // Emitted before the run variables change on arming, after the timers stop on
    // disarming and at the end of a run.
    void armedChanged(bool armed);
    void shotCounted(qint16 count);
    // The run ended; the window carries out the action (it may open a modal box).
    void endActionRequested(capture::EndAction action, qint16 count);
    // For those who watch the run from outside the window: a JPEG stored; a shot
    // that failed, with the text of its box; the run's end, before its end action
    // (which may end the program); the start minute reached or the next shot moved.
    void shotSaved(const QString &jpg);
    void shotFailed(const QString &text);
    void runEnded(qint16 count);
    void runChanged();

private:
    struct ShotResult {
        QString error;       // the grab, the converter library or removing the BMP failed
        qint16 jpgAns = 0;   // the converter's answer, low 16 bits
        bool stored = false; // the JPEG was written (even if the BMP then stayed)
    };

    void startShot(quint64 generation);
    ShotResult convert(const QString &bmp, const QString &jpg);
    void shotDone(quint64 generation, const QString &bmp, const QString &jpg,
                  const ShotResult &result);
    void countShot(quint64 generation, const ShotResult &result);
    void testEnd();
    void endTick(bool completed, quint64 generation);
    void endOfRun();
    QString Fun_NextTime(const QString &t);

    Platform p;
    QTimer *StartTimer = nullptr;
    QTimer *CapTimer = nullptr;
    RunSettings settings_;
    RunVariables run_;
    bool armed_ = false;
    // A tick that is not finished (its shot in flight, or one of its message boxes
    // open) makes later ticks do nothing: they would shoot the same minute again.
    bool tickRunning_ = false;
    bool shotInFlight_ = false;
    // Bumped by every arming and disarming, so a tick can tell that the run it
    // belongs to was cancelled while it waited.
    quint64 generation_ = 0;
    QThreadPool converter_; // declared last: drained before the rest goes away
};

} // namespace capture
