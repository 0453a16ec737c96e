// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/remote/CaptureService.h"

#include "capture/CaptureSession.h"
#include "shell/remote/Taps.h"
#include "shell/window/frmMain.h"
#include "snapsentry_capture_adaptor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMetaProperty>
#include <QScopedValueRollback>

namespace
{

// Boxes break lines with CR LF; callers on the bus get plain LF.
QString plainLines(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

CaptureService::CaptureService(frmMain &window, TappedMessageBox &box, TappedProcess &process)
    : window_(window), box_(box), process_(process)
{
    new CaptureAdaptor(this);
    box_.beforeShow = [this](const QString &text, platform::MsgIcon icon) {
        return boxOpening(text, icon != platform::MsgIcon::Information);
    };
    process_.beforeExit = [this] { beforeExit(); };

    using capture::CaptureSession;
    CaptureSession *session = &window_.session();
    connect(session, &CaptureSession::armedChanged, this, [this](bool armed) {
        if (armed)
            answerArm({});
        announceChanges();
    });
    connect(session, &CaptureSession::shotCounted, this, &CaptureService::announceChanges);
    connect(session, &CaptureSession::runChanged, this, &CaptureService::announceChanges);
    connect(&window_, &frmMain::settingsEdited, this, &CaptureService::announceChanges);
    connect(session, &CaptureSession::shotSaved, this, [this](const QString &jpg) {
        lastShot_ = jpg;
        Q_EMIT ShotSaved(jpg);
        announceChanges();
    });
    connect(session, &CaptureSession::shotFailed, this,
            [this](const QString &text) { Q_EMIT ShotFailed(plainLines(text)); });
    connect(session, &CaptureSession::runEnded, this, &CaptureService::RunEnded);
    announced_ = properties();
}

CaptureService::~CaptureService()
{
    box_.beforeShow = nullptr;
    process_.beforeExit = nullptr;
}

bool CaptureService::publish()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() ||
        !bus.registerObject(QLatin1String(Path), this, QDBusConnection::ExportAdaptors))
        return false;
    // Another copy (from another folder) keeps the name; this one stays off the bus.
    const auto reply = bus.interface()->registerService(
        QLatin1String(Name), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    published_ = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
    if (!published_)
        bus.unregisterObject(QLatin1String(Path));
    return published_;
}

void CaptureService::arm(std::function<void(const QString &)> done)
{
    if (window_.isArmed())
        return done({});
    armWaiters_ << std::move(done);
    window_.Sub_Set();
    // Neither armed nor refused with a box, and no trial grab to wait for.
    if (!armWaiters_.isEmpty() && !window_.armingPending())
        answerArm(window_.isArmed() ? QString() : QStringLiteral("設定できませんでした"));
}

void CaptureService::Arm()
{
    setDelayedReply(true);
    const QDBusMessage call = message();
    const QScopedValueRollback remote(remoteCall_, true);
    arm([this, call](const QString &refusal) { reply(call, refusal); });
}

void CaptureService::Disarm()
{
    if (window_.isArmed())
        window_.Sub_Set();
}

void CaptureService::Quit()
{
    setDelayedReply(true);
    quitCalls_ << message();
    // Ends the process (answered just before) or opens the refusal box
    // (answered with its text), also while the box of an earlier refusal
    // still waits for the user: nobody may be at the window.
    const QScopedValueRollback remote(remoteCall_, true);
    window_.closeNow();
    for (const QDBusMessage &call : std::exchange(quitCalls_, {}))
        reply(call, QStringLiteral("終了できませんでした"));
}

void CaptureService::ShowWindow()
{
    window_.Sub_FormShow();
}

void CaptureService::HideWindow()
{
    window_.Sub_FormHide();
}

bool CaptureService::boxOpening(const QString &text, bool failure)
{
    if (!failure)
        return true;
    lastError_ = plainLines(text);
    answerArm(lastError_);
    for (const QDBusMessage &call : std::exchange(quitCalls_, {}))
        reply(call, lastError_);
    announceChanges();
    // A caller that repeats a refusal (a daily timer, say) adds no box to the
    // one that waits for the user already.
    return !(remoteCall_ && box_.isOpen(text));
}

void CaptureService::answerArm(const QString &refusal)
{
    for (const auto &done : std::exchange(armWaiters_, {}))
        done(refusal);
}

void CaptureService::beforeExit()
{
    for (const QDBusMessage &call : std::exchange(quitCalls_, {}))
        reply(call, {});
    if (!published_)
        return;
    // The bus keeps a connection's messages in order: once it answers this,
    // it has every reply and signal sent before, and the process may end.
    QDBusConnection::sessionBus().interface()->call(QStringLiteral("GetId"));
}

void CaptureService::reply(const QDBusMessage &call, const QString &refusal)
{
    QDBusConnection::sessionBus().send(
        refusal.isEmpty() ? call.createReply()
                          : call.createErrorReply(QLatin1String(RefusedError), refusal));
}

QVariantMap CaptureService::properties() const
{
    QVariantMap map;
    const QMetaObject *meta = metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        map.insert(QLatin1String(meta->property(i).name()), meta->property(i).read(this));
    return map;
}

void CaptureService::announceChanges()
{
    const QVariantMap now = properties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (announced_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    announced_ = now;
    if (changed.isEmpty() || !published_)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QLatin1String(Path), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QLatin1String(Interface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

bool CaptureService::armed() const
{
    return window_.isArmed();
}

bool CaptureService::capturing() const
{
    return window_.session().isCapturing();
}

QString CaptureService::nextShot() const
{
    return armed() ? window_.session().runVariables().NextTime : QString();
}

qint16 CaptureService::shotCount() const
{
    return window_.session().runVariables().CapCount;
}

QString CaptureService::saveFolder() const
{
    return window_.runSettings().saveFolder;
}

QString CaptureService::prefix() const
{
    return window_.runSettings().prefix;
}

QString CaptureService::startTime() const
{
    return window_.runSettings().startTime;
}

QString CaptureService::endTime() const
{
    return window_.runSettings().endTime;
}

qint16 CaptureService::step() const
{
    return window_.runSettings().step;
}
