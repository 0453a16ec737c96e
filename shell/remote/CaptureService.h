// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QVariantMap>
#include <functional>

class frmMain;
class TappedMessageBox;
class TappedProcess;

// The program on the session bus (org.example.snapsentry.Capture, described
// in org.example.snapsentry.Capture.xml). Every call goes the way of the
// window's own controls, so a remote arm and a click cannot drift apart: the
// window, tray and status bar look the same after either. A caller is
// answered before any box opens, never after the user closes it.
class CaptureService : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_PROPERTY(bool Armed READ armed)
    Q_PROPERTY(bool Capturing READ capturing)
    Q_PROPERTY(QString NextShot READ nextShot)
    Q_PROPERTY(qint16 ShotCount READ shotCount)
    Q_PROPERTY(QString SaveFolder READ saveFolder)
    Q_PROPERTY(QString Prefix READ prefix)
    Q_PROPERTY(QString StartTime READ startTime)
    Q_PROPERTY(QString EndTime READ endTime)
    Q_PROPERTY(qint16 Step READ step)
    Q_PROPERTY(QString LastShot READ lastShot)
    Q_PROPERTY(QString LastError READ lastError)

public:
    static constexpr const char *Name = "org.example.snapsentry";
    static constexpr const char *Path = "/org/example/snapsentry";
    static constexpr const char *Interface = "org.example.snapsentry.Capture";
    static constexpr const char *RefusedError = "org.example.snapsentry.Error.Refused";

    CaptureService(frmMain &window, TappedMessageBox &box, TappedProcess &process);
    ~CaptureService() override;

    // Puts the object and the well-known name on the session bus. False where
    // there is no session bus or another copy holds the name.
    bool publish();

    // Arms as the confirm button does. done gets an empty text once armed (at
    // once when already armed), or the text of the box that refused, with LF
    // line breaks.
    void arm(std::function<void(const QString &refusal)> done);

    bool armed() const;
    bool capturing() const;
    QString nextShot() const;
    qint16 shotCount() const;
    QString saveFolder() const;
    QString prefix() const;
    QString startTime() const;
    QString endTime() const;
    qint16 step() const;
    QString lastShot() const { return lastShot_; }
    QString lastError() const { return lastError_; }

public Q_SLOTS:
    void Arm();
    void Disarm();
    void Quit();
    void ShowWindow();
    void HideWindow();

Q_SIGNALS:
    void ShotSaved(const QString &path);
    void ShotFailed(const QString &text);
    void RunEnded(qint16 count);

private:
    // Answers the callers that wait for this box; false when it is not to open.
    bool boxOpening(const QString &text, bool failure);
    void answerArm(const QString &refusal);
    void beforeExit();
    // Announces the properties that differ from what was last announced.
    void announceChanges();
    QVariantMap properties() const;
    // A reply to a call whose answer was put off.
    void reply(const QDBusMessage &call, const QString &refusal);

    frmMain &window_;
    TappedMessageBox &box_;
    TappedProcess &process_;
    QList<std::function<void(const QString &)>> armWaiters_;
    bool remoteCall_ = false; // a call from the bus is being handled
    QList<QDBusMessage> quitCalls_;
    QVariantMap announced_;
    QString lastShot_;
    QString lastError_;
    bool published_ = false;
};
