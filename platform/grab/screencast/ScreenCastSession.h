// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace platform
{

// One monitor that the portal shares: its PipeWire node and where it lies on
// the desktop (logical coordinates; an empty size when the portal did not say).
struct CastStream {
    std::uint32_t node = 0;
    QRect logical;
};

// How a session's opening ended.
struct CastOpening {
    QString failure;         // "" when the session is open
    bool refused = false;    // the user declined to share
    bool answeredNo = false; // a request was answered with a refusal or a failure
    bool tokenSent = false;  // a restore token went with the request
    std::vector<CastStream> streams;
    QString restoreToken; // the portal's new token, "" when it gave none
    int remoteFd = -1;    // the PipeWire remote, owned by the receiver
};

// One session of org.freedesktop.portal.ScreenCast, GUI thread only:
// CreateSession, SelectSources (every monitor may be chosen, no pointer where
// that is offered, the choice kept with a restore token), Start and
// OpenPipeWireRemote. The first Start shows the desktop's chooser; with a
// restore token a later one does not. Closed by close() or by the portal
// (the user pressed Stop), which the closed() signal tells.
class ScreenCastSession final : public QObject
{
    Q_OBJECT

public:
    struct Settings {
        QString restoreToken;
        QString parentWindow;        // "x11:<id>" where the desktop can place its chooser over us
        bool hideCursor = true;      // where the portal offers it
        int limitMs = 30000;         // for each call
        int chooserLimitMs = 180000; // for Start, while the user may be choosing
    };
    using Answer = std::function<void(CastOpening &opening)>;

    ScreenCastSession(Settings settings, QObject *parent);
    // Opens the session; answer runs once, on the GUI thread.
    void open(Answer answer);
    // Ends the session (the desktop's sharing indicator goes) and deletes it later.
    void close();

Q_SIGNALS:
    void closed();

private Q_SLOTS:
    void onClosed(const QVariantMap &details);

private:
    void request(const QString &method, QList<QVariant> arguments, int limitMs,
                 std::function<void(const QVariantMap &results)> next);
    void watchClosed(bool on);
    void selectSources();
    void start();
    void openRemote();
    void fail(const QString &failure, bool refused = false);

    Settings settings_;
    Answer answer_;
    QString session_;
    CastOpening opening_;
    bool closed_ = false; // by the portal, or by close()
};

} // namespace platform
