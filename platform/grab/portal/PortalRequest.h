// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>
#include <functional>

class QDBusPendingCallWatcher;

namespace platform
{

// One non-interactive org.freedesktop.portal.Screenshot call. It answers once,
// on the GUI thread, with the PNG the portal wrote or a failure text, and
// never later than the time limit: a desktop that refuses a caller may not
// answer at all. A PNG that arrives after the time limit is deleted unread.
// The object deletes itself.
class PortalRequest final : public QObject
{
    Q_OBJECT

public:
    using Answer = std::function<void(const QString &pngPath, const QString &error)>;
    PortalRequest(Answer answer, int timeLimitMs, QObject *parent);
    void start();

private Q_SLOTS:
    void onResponse(uint response, const QVariantMap &results);

private:
    void listenOn(const QString &path);
    void callReturned(QDBusPendingCallWatcher *call);
    void finish(const QString &pngPath, const QString &error);
    void giveUp();

    Answer answer_;
    QString path_;
    QTimer limit_;
};

} // namespace platform
