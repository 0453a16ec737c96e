// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "shell/settings/ScheduleValues.h"

#include <QDBusMessage>
#include <QDBusVirtualObject>
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
//
// The object answers its messages itself rather than through a generated
// adaptor: a refused or bad property Set must answer with its own error,
// which an adaptor's properties cannot.
class CaptureService : public QDBusVirtualObject
{
    Q_OBJECT
    // Read for Get, GetAll and PropertiesChanged, in this order.
    Q_PROPERTY(bool Armed READ armed)
    Q_PROPERTY(bool Capturing READ capturing)
    Q_PROPERTY(QString NextShot READ nextShot)
    Q_PROPERTY(qint16 ShotCount READ shotCount)
    Q_PROPERTY(QString SaveFolder READ saveFolder)
    Q_PROPERTY(QString Prefix READ prefix)
    Q_PROPERTY(QString StartTime READ startTime)
    Q_PROPERTY(QString EndTime READ endTime)
    Q_PROPERTY(qint16 Step READ step)
    Q_PROPERTY(QString EndAction READ endAction)
    Q_PROPERTY(QString LastShot READ lastShot)
    Q_PROPERTY(QString LastError READ lastError)

public:
    static constexpr const char *Name = "org.example.snapsentry";
    static constexpr const char *Path = "/org/example/snapsentry";
    static constexpr const char *Interface = "org.example.snapsentry.Capture";
    static constexpr const char *RefusedError = "org.example.snapsentry.Error.Refused";

    // The properties a caller may set: the schedule, as the window's controls
    // hold it, in the order the window saves it.
    struct WritableProperty {
        const char *name;
        ScheduleValues::Key key;
        bool number; // "n", else "s"
    };
    static constexpr WritableProperty WritableProperties[] = {
        {"StartTime", ScheduleValues::Key::Start, false},
        {"EndTime", ScheduleValues::Key::End, false},
        {"Step", ScheduleValues::Key::Step, true},
        {"SaveFolder", ScheduleValues::Key::Folder, false},
        {"Prefix", ScheduleValues::Key::Prefix, false},
        {"EndAction", ScheduleValues::Key::EndAction, false}};

    CaptureService(frmMain &window, TappedMessageBox &box, TappedProcess &process);
    ~CaptureService() override;

    // Puts the object and the well-known name on the session bus. False where
    // there is no session bus or another copy holds the name.
    bool publish();

    // Arms as the confirm button does. done gets an empty text once armed (at
    // once when already armed), or the text of the box that refused, with LF
    // line breaks.
    void arm(std::function<void(const QString &refusal)> done);

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

    bool armed() const;
    bool capturing() const;
    QString nextShot() const;
    qint16 shotCount() const;
    QString saveFolder() const;
    QString prefix() const;
    QString startTime() const;
    QString endTime() const;
    qint16 step() const;
    QString endAction() const;
    QString lastShot() const { return lastShot_; }
    QString lastError() const { return lastError_; }

private:
    void call(const QDBusMessage &message);
    void properties(const QDBusMessage &message);
    // A Set of a known property: the schedule's values, checked and refused as the
    // window's locked controls would refuse them.
    QDBusMessage setProperty(const QDBusMessage &message);
    void quit(const QDBusMessage &message);
    // Answers the callers that wait for this box; false when it is not to open.
    bool boxOpening(const QString &text, bool failure);
    void answerArm(const QString &refusal);
    void beforeExit();
    // Announces the properties that differ from what was last announced.
    void announceChanges();
    QVariantMap propertyValues() const;
    void emitSignal(const char *name, const QVariant &argument);
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
