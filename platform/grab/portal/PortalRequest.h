// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>
#include <functional>

class QDBusPendingCallWatcher;

namespace platform
{

// The portal's bus name and object.
QString portalService();
QString portalPath();
// The path a portal object of this caller gets for token (kind: "request", "session").
QString portalObjectPath(const QString &kind, const QString &token);
// A token for handle_token and session_handle_token that no other call of this process uses.
QString portalToken();

// One call of the desktop portal that answers through a Request object's
// Response signal. It answers once, on the GUI thread, and never later than
// the time limit: a desktop that refuses a caller may not answer at all.
// The object deletes itself.
class PortalRequest final : public QObject
{
    Q_OBJECT

public:
    // response: 0 done, 1 cancelled by the user, 2 refused or failed. failure
    // is set instead when no response came (no bus, no portal, time limit),
    // as a text for the user.
    struct Reply {
        uint response = 2;
        QVariantMap results;
        QString failure;
    };
    using Answer = std::function<void(const Reply &reply)>;
    using Late = std::function<void(const QVariantMap &results)>;

    // call: the method; its last argument is the options map, to which the
    // request's handle_token is added here.
    PortalRequest(QDBusMessage call, Answer answer, int timeLimitMs, QObject *parent);
    // A response that comes after the time limit is handed to late (a picture
    // that nobody waits for any more is to be deleted, say).
    void setLate(Late late) { late_ = std::move(late); }
    void start();

private Q_SLOTS:
    void onResponse(uint response, const QVariantMap &results);

private:
    void listenOn(const QString &path);
    void callReturned(QDBusPendingCallWatcher *call);
    void finish(const Reply &reply);
    void giveUp();

    QDBusMessage call_;
    Answer answer_;
    Late late_;
    QString path_;
    QTimer limit_;
};

} // namespace platform
