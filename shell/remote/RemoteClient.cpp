// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/remote/RemoteClient.h"

#include "shell/remote/CaptureService.h"
#include "snapsentry_capture_interface.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>

namespace remote
{

namespace
{

// A copy that does not answer in this time hangs. Arming may wait longer: on
// some desktops it waits for the user's answer to a permission question.
constexpr int AnswerMs = 5000;
constexpr int ArmMs = 40000;

const QString ConnectionName = QStringLiteral("snapsentry-remote");

// A connection of its own: the default session connection, once made, stays
// bound to the application object it was made under, and the program may
// still start with a new one.
QDBusConnection bus()
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, ConnectionName);
}

int statusOf(const QDBusError &error)
{
    if (!error.isValid())
        return CommandLine::Done;
    if (error.name() == QLatin1String(CaptureService::RefusedError)) {
        printText(stderr, error.message() + QLatin1Char('\n'));
        return CommandLine::Refused;
    }
    if (error.type() == QDBusError::InvalidArgs) {
        printText(stderr, QStringLiteral("Snapsentry: %1\n").arg(error.message()));
        return CommandLine::BadUsage;
    }
    printText(stderr, QStringLiteral("Snapsentry: 起動中の Snapsentry が応答しません (%1)\n")
                          .arg(error.message()));
    return CommandLine::NoAnswer;
}

} // namespace

bool copyRuns()
{
    const QDBusConnection session = bus();
    return session.isConnected() &&
           session.interface()->isServiceRegistered(QLatin1String(CaptureService::Name)).value();
}

std::optional<int> forward(const CommandLine &options)
{
    struct Disconnect {
        ~Disconnect() { QDBusConnection::disconnectFromBus(ConnectionName); }
    } atEnd; // declared first: it goes after the proxy that uses the connection
    if (!copyRuns())
        return std::nullopt;
    const QDBusConnection session = bus();
    const QString name = QLatin1String(CaptureService::Name);
    const QString path = QLatin1String(CaptureService::Path);
    OrgExampleSnapsentryCaptureInterface copy(name, path, session);
    copy.setTimeout(AnswerMs);
    QDBusMessage getAll = QDBusMessage::createMethodCall(
        name, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    getAll << QLatin1String(CaptureService::Interface);

    // Asking for the state first tells a copy that hangs before anything waits longer.
    QDBusReply<QVariantMap> state = session.call(getAll, QDBus::Block, AnswerMs);
    if (!state.isValid())
        return statusOf(state.error());

    int result = CommandLine::Done;
    auto step = [&](QDBusPendingReply<> reply) {
        reply.waitForFinished();
        const int status = statusOf(reply.error());
        if (result == CommandLine::Done)
            result = status;
        return status != CommandLine::NoAnswer;
    };
    if (options.disarm && !step(copy.Disarm()))
        return result;
    // A refused or bad value stops the rest: nothing is armed with the old values.
    for (const auto &property : CaptureService::WritableProperties) {
        const std::optional<QString> text = options.schedule.value(property.key);
        if (!text)
            continue;
        const QVariant value =
            property.number ? QVariant::fromValue(qint16(text->toInt())) : QVariant(*text);
        QDBusMessage set = QDBusMessage::createMethodCall(
            name, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
        set << QLatin1String(CaptureService::Interface) << QLatin1String(property.name)
            << QVariant::fromValue(QDBusVariant(value));
        const QDBusMessage answer = session.call(set, QDBus::Block, AnswerMs);
        if (answer.type() == QDBusMessage::ErrorMessage)
            return statusOf(QDBusError(answer));
    }
    if (options.arm) {
        copy.setTimeout(ArmMs);
        const bool answered = step(copy.Arm());
        copy.setTimeout(AnswerMs);
        if (!answered)
            return result;
    }
    if (options.tray && !step(copy.HideWindow()))
        return result;
    if (options.quit) {
        QDBusPendingReply<> reply = copy.Quit();
        reply.waitForFinished();
        // Ending, the copy may leave the bus before its answer arrives.
        if (reply.isError() && !copyRuns())
            return result;
        if (!step(reply))
            return result;
    }
    if (options.status) {
        if (options.quit && !copyRuns()) {
            printText(stdout, QStringLiteral("running=0\n"));
            return result;
        }
        state = session.call(getAll, QDBus::Block, AnswerMs);
        if (!state.isValid())
            return statusOf(state.error());
        printText(stdout, statusLines(state.value()));
    }
    return result;
}

} // namespace remote
