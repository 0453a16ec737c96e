// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/remote/CaptureService.h"

#include "capture/CaptureSession.h"
#include "shell/remote/Taps.h"
#include "shell/settings/ScheduleValues.h"
#include "shell/window/frmMain.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusVariant>
#include <QFile>
#include <QMetaProperty>
#include <QScopedValueRollback>

namespace
{

const QString ChangeRefused =
    QStringLiteral("設定中です、設定を変更するには設定をキャンセルしてください");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// Boxes break lines with CR LF; callers on the bus get plain LF.
QString plainLines(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

CaptureService::CaptureService(frmMain &window, TappedMessageBox &box, TappedProcess &process)
    : window_(window), box_(box), process_(process)
{
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
        emitSignal("ShotSaved", jpg);
        announceChanges();
    });
    connect(session, &CaptureSession::shotFailed, this,
            [this](const QString &text) { emitSignal("ShotFailed", plainLines(text)); });
    connect(session, &CaptureSession::runEnded, this,
            [this](qint16 count) { emitSignal("RunEnded", QVariant::fromValue(count)); });
    announced_ = propertyValues();
}

CaptureService::~CaptureService()
{
    box_.beforeShow = nullptr;
    process_.beforeExit = nullptr;
}

bool CaptureService::publish()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.registerVirtualObject(QLatin1String(Path), this))
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

QString CaptureService::introspect(const QString &) const
{
    // The interface element of the description compiled in.
    QFile file(QStringLiteral(":/dbus/org.example.snapsentry.Capture.xml"));
    const QString xml =
        file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    const qsizetype from = xml.indexOf(QLatin1String("<interface "));
    const qsizetype to = xml.indexOf(QLatin1String("</interface>"));
    return from < 0 || to < from ? QString()
                                 : xml.mid(from, to - from) + QLatin1String("</interface>\n");
}

bool CaptureService::handleMessage(const QDBusMessage &message, const QDBusConnection &)
{
    if (message.type() != QDBusMessage::MethodCallMessage)
        return false;
    if (message.interface() == PropertiesInterface)
        properties(message);
    else if (message.interface().isEmpty() || message.interface() == QLatin1String(Interface))
        call(message);
    else
        return false; // introspection and the bus's own interfaces
    return true;
}

void CaptureService::call(const QDBusMessage &message)
{
    const QString member = message.member();
    const QScopedValueRollback remote(remoteCall_, true);
    if (!message.signature().isEmpty()) {
        QDBusConnection::sessionBus().send(
            message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("引数は取りません")));
    } else if (member == QLatin1String("Arm")) {
        arm([this, message](const QString &refusal) { reply(message, refusal); });
    } else if (member == QLatin1String("Disarm")) {
        if (window_.isArmed())
            window_.Sub_Set();
        reply(message, {});
    } else if (member == QLatin1String("Quit")) {
        quit(message);
    } else if (member == QLatin1String("ShowWindow")) {
        window_.Sub_FormShow();
        reply(message, {});
    } else if (member == QLatin1String("HideWindow")) {
        window_.Sub_FormHide();
        reply(message, {});
    } else {
        QDBusConnection::sessionBus().send(message.createErrorReply(
            QDBusError::UnknownMethod, QStringLiteral("No such method: ") + member));
    }
}

void CaptureService::quit(const QDBusMessage &message)
{
    quitCalls_ << message;
    // Ends the process (answered just before) or opens the refusal box
    // (answered with its text), also while the box of an earlier refusal
    // still waits for the user: nobody may be at the window.
    window_.closeNow();
    for (const QDBusMessage &call : std::exchange(quitCalls_, {}))
        reply(call, QStringLiteral("終了できませんでした"));
}

void CaptureService::properties(const QDBusMessage &message)
{
    const QString call = message.member() + QLatin1Char(':') + message.signature();
    const QString interface = message.arguments().value(0).toString();
    const QString name = message.arguments().value(1).toString();
    const QVariantMap values = propertyValues();
    QDBusMessage answer;
    if (call != QLatin1String("GetAll:s") && call != QLatin1String("Get:ss") &&
        call != QLatin1String("Set:ssv"))
        answer = message.createErrorReply(QDBusError::UnknownMethod, message.member());
    // An empty interface name means whichever interface has the property.
    else if (!interface.isEmpty() && interface != QLatin1String(Interface))
        answer = message.createErrorReply(QDBusError::UnknownInterface, interface);
    else if (call == QLatin1String("GetAll:s"))
        answer = message.createReply(values);
    else if (!values.contains(name))
        answer = message.createErrorReply(QDBusError::UnknownProperty, name);
    else if (call == QLatin1String("Get:ss"))
        answer = message.createReply(QVariant::fromValue(QDBusVariant(values.value(name))));
    else
        answer = setProperty(message);
    QDBusConnection::sessionBus().send(answer);
}

QDBusMessage CaptureService::setProperty(const QDBusMessage &message)
{
    const QString name = message.arguments().value(1).toString();
    const QVariant value = message.arguments().value(2).value<QDBusVariant>().variant();
    const auto *writable =
        std::find_if(std::begin(WritableProperties), std::end(WritableProperties),
                     [&](const WritableProperty &w) { return name == QLatin1String(w.name); });
    if (writable == std::end(WritableProperties))
        return message.createErrorReply(QDBusError::PropertyReadOnly, name);
    const QMetaType type =
        writable->number ? QMetaType::fromType<qint16>() : QMetaType::fromType<QString>();
    if (value.metaType() != type)
        return message.createErrorReply(
            QDBusError::InvalidArgs,
            QStringLiteral("%1 の値の型は %2 です").arg(name, writable->number ? "n" : "s"));

    ScheduleValues values;
    const QString bad = values.take(writable->key, value.toString(), name);
    if (!bad.isEmpty())
        return message.createErrorReply(QDBusError::InvalidArgs, bad);
    // The controls are locked while armed, and while the desktop is asked
    // before arming: the run would start with values that were not checked.
    if (window_.isArmed() || window_.armingPending())
        return message.createErrorReply(QLatin1String(RefusedError), ChangeRefused);
    window_.setSchedule(values); // announced by the controls' change
    return message.createReply();
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

QVariantMap CaptureService::propertyValues() const
{
    QVariantMap map;
    const QMetaObject *meta = metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
        map.insert(QLatin1String(meta->property(i).name()), meta->property(i).read(this));
    return map;
}

void CaptureService::announceChanges()
{
    const QVariantMap now = propertyValues();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (announced_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    announced_ = now;
    if (changed.isEmpty() || !published_)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(Path), PropertiesInterface,
                                                     QStringLiteral("PropertiesChanged"));
    signal << QLatin1String(Interface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

void CaptureService::emitSignal(const char *name, const QVariant &argument)
{
    if (!published_)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(Path), QLatin1String(Interface),
                                                     QLatin1String(name));
    signal << argument;
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

QString CaptureService::endAction() const
{
    return endActionName(window_.runSettings().endAction);
}
