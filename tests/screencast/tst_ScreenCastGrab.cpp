// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The ScreenCast grab against a stand-in portal on a private bus whose streams
// are real PipeWire nodes on a private daemon (with-pipewire.sh).
#include "ImageCompare.h"
#include "PipeWireSource.h"
#include "Table.h"
#include "platform/grab/screencast/ScreenCastGrab.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QLocalSocket>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

struct Shared {
    uint node = 0;
    QVariantMap properties;
};
Q_DECLARE_METATYPE(Shared)
QDBusArgument &operator<<(QDBusArgument &arg, const Shared &s)
{
    arg.beginStructure();
    arg << s.node << s.properties;
    arg.endStructure();
    return arg;
}
const QDBusArgument &operator>>(const QDBusArgument &arg, Shared &s)
{
    arg.beginStructure();
    arg >> s.node >> s.properties;
    arg.endStructure();
    return arg;
}

// A session's own object, which the program closes after its shot.
class FakeSession : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Session")

public:
    int closes = 0;

public Q_SLOTS:
    void Close() { ++closes; }
};

// Answers the ScreenCast calls as scripted, with the test's PipeWire nodes.
class FakeScreenCast : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.ScreenCast")
    Q_PROPERTY(uint version MEMBER version)
    Q_PROPERTY(uint AvailableCursorModes MEMBER cursorModes)

public:
    uint version = 4, cursorModes = 7;
    uint startResponse = 0;
    bool closeWhenStarted = false; // the user presses Stop in the desktop's indicator
    QList<Shared> streams;
    QString newToken;
    QVariantMap selected; // SelectSources' options, the last
    int sessions = 0;
    FakeSession session;

public Q_SLOTS:
    QDBusObjectPath CreateSession(const QVariantMap &options, const QDBusMessage &call)
    {
        ++sessions;
        session_ = path(call, "session", options.value("session_handle_token").toString());
        bus().unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop/session"),
                               QDBusConnection::UnregisterTree);
        bus().registerObject(session_, &session, QDBusConnection::ExportAllSlots);
        return respond(call, options, 0, {});
    }
    QDBusObjectPath SelectSources(const QDBusObjectPath &, const QVariantMap &options,
                                  const QDBusMessage &call)
    {
        selected = options;
        return respond(call, options, 0, {});
    }
    QDBusObjectPath Start(const QDBusObjectPath &, const QString &, const QVariantMap &options,
                          const QDBusMessage &call)
    {
        QVariantMap results{{"streams", QVariant::fromValue(streams)}};
        if (!newToken.isEmpty())
            results.insert("restore_token", newToken);
        const QDBusObjectPath request = respond(call, options, startResponse, results);
        if (closeWhenStarted)
            QTimer::singleShot(100, this, [this] {
                bus().send(
                    QDBusMessage::createSignal(session_, "org.freedesktop.portal.Session", "Closed")
                    << QVariantMap());
            });
        return request;
    }
    // A plain connection to the private daemon, as the portal hands out.
    QDBusUnixFileDescriptor OpenPipeWireRemote(const QDBusObjectPath &, const QVariantMap &)
    {
        QLocalSocket daemon;
        daemon.connectToServer(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/pipewire-0");
        daemon.waitForConnected();
        return QDBusUnixFileDescriptor(int(daemon.socketDescriptor())); // a copy
    }

private:
    static QDBusConnection bus() { return QDBusConnection(QStringLiteral("fake")); }
    static QString path(const QDBusMessage &call, const char *kind, const QString &token)
    {
        return QStringLiteral("/org/freedesktop/portal/desktop/%1/%2/%3")
            .arg(kind, call.service().mid(1).replace('.', '_'), token);
    }
    QDBusObjectPath respond(const QDBusMessage &call, const QVariantMap &options, uint response,
                            const QVariantMap &results)
    {
        const QString request = path(call, "request", options.value("handle_token").toString());
        bus().send(QDBusMessage::createSignal(request, "org.freedesktop.portal.Request", "Response")
                   << response << results);
        return QDBusObjectPath(request);
    }
    QString session_;
};

class tst_ScreenCastGrab : public QObject
{
    Q_OBJECT

    // Takes one shot and answers its error.
    QString shoot(int monitors = 0, std::unique_ptr<platform::ScreenGrab> fallback = {})
    {
        platform::ScreenCastGrab::Settings settings;
        settings.tokenPath = tokenPath_;
        settings.frameLimitMs = 2000;
        settings.desktopMonitors = [monitors] { return monitors; };
        settings.fallback = std::move(fallback);
        platform::ScreenCastGrab grab(std::move(settings));
        std::optional<QString> error;
        grab.grabToBmp(bmp_, [&error](const QString &e) { error = e; });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(error.has_value(), 10000); }();
        return error.value_or("no answer");
    }

private Q_SLOTS:
    void initTestCase()
    {
        qDBusRegisterMetaType<Shared>();
        qDBusRegisterMetaType<QList<Shared>>();
        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake"));
        QVERIFY(bus.registerObject("/org/freedesktop/portal/desktop", &portal_,
                                   QDBusConnection::ExportAllSlots |
                                       QDBusConnection::ExportAllProperties) &&
                bus.registerService("org.freedesktop.portal.Desktop"));
        QVERIFY(QDBusConnection::sessionBus().isConnected()); // opened once, for good
        tokenPath_ = dir_.filePath("ScreenCast.token");
        bmp_ = dir_.filePath("shot.bmp");
        // The first shot loads PipeWire's modules for good; the rows count descriptors after it.
        testsupport::PipeWireSource warm(testsupport::busyDesktopPicture({640, 400}),
                                         {SPA_VIDEO_FORMAT_BGRx});
        QCOMPARE(warm.start(), QString());
        portal_.streams = {{warm.nodeId(), {}}};
        QCOMPARE(shoot(), QString());
    }

    void init()
    {
        portal_.startResponse = 0;
        portal_.closeWhenStarted = false;
        portal_.newToken.clear();
        QFile::remove(bmp_);
    }

    void shots_data()
    {
        // formats: one source per letter (B: BGRx, r: RGB with padded rows, N: NV12 only,
        // s: silent); want: "" for the picture, else a part of the error
        columns<QString, uint, bool, int, QString>("formats", "response", "stop", "monitors",
                                                   "want");
        dataRow("one monitor", "B", 0u, false, 1, "");
        dataRow("two monitors side by side", "Br", 0u, false, 2, "");
        dataRow("only formats it cannot read", "N", 0u, false, 0, "秒以内に始まりません");
        dataRow("a stream without frames", "s", 0u, false, 0, "秒以内に画面を渡しません");
        dataRow("the user declines", "B", 1u, false, 0, "画面の撮影が許可されていません");
        dataRow("stopped by the user during the shot", "s", 0u, true, 0,
                "画面を取り込めません (ScreenCast ポータル): ポータルが画面の共有を終えました");
        dataRow("fewer monitors shared than the desktop has", "B", 0u, false, 2,
                "画面の一部しか共有されていません");
    }
    void shots()
    {
        const auto [formats, response, stop, monitors, want] =
            fetch<QString, uint, bool, int, QString>("formats", "response", "stop", "monitors",
                                                     "want");
        const auto descriptors = [] { return QDir("/proc/self/fd").count(); };
        const auto open = descriptors();
        std::vector<std::unique_ptr<testsupport::PipeWireSource>> sources;
        QImage expected(640 * formats.size(), 400, QImage::Format_RGB32);
        QPainter painter(&expected);
        portal_.streams.clear();
        portal_.startResponse = response;
        portal_.closeWhenStarted = stop;
        for (int i = 0; i < formats.size(); ++i) {
            const QImage picture = testsupport::busyDesktopPicture({640, 400}, i + 1);
            painter.drawImage(640 * i, 0, picture);
            const char f = formats[i].toLatin1();
            const auto format = f == 'N'   ? SPA_VIDEO_FORMAT_NV12
                                : f == 'r' ? SPA_VIDEO_FORMAT_RGB
                                           : SPA_VIDEO_FORMAT_BGRx;
            sources.push_back(std::make_unique<testsupport::PipeWireSource>(
                picture, std::vector<std::uint32_t>{format}, f == 's', f == 'r' ? 12 : 0));
            QCOMPARE(sources.back()->start(), QString());
            portal_.streams.append({sources.back()->nodeId(),
                                    {{"position", QPoint(640 * i, 0)}, {"size", QSize(640, 400)}}});
        }
        painter.end();
        const int closes = portal_.session.closes;

        const QString error = shoot(monitors);
        if (want.isEmpty()) {
            QCOMPARE(error, QString());
            QCOMPARE(testsupport::psnr(expected, QImage(bmp_, "BMP")), 99.0);
        } else {
            QVERIFY2(error.contains(want), qPrintable(error));
            QVERIFY(!QFile::exists(bmp_));
        }
        // Asked without a pointer, for monitors, and never left open.
        QCOMPARE(portal_.selected.value("types"), QVariant(1u));
        QCOMPARE(portal_.selected.value("cursor_mode"), QVariant(1u));
        QCOMPARE(portal_.selected.value("persist_mode"), QVariant(2u));
        QTRY_COMPARE(portal_.session.closes, closes + (stop ? 0 : 1));
        sources.clear();
        QCOMPARE(descriptors(), open); // the program runs all day: no connection is left open
    }

    // The desktop's answer is kept, sent again, replaced, and dropped when refused.
    void restoreToken_data()
    {
        columns<QByteArray, uint, QString, QString, QByteArray>("stored", "response", "newToken",
                                                                "sent", "kept");
        dataRow("first use", QByteArray(), 0u, "aa-1", "", QByteArray("aa-1\n"));
        dataRow("sent again, replaced", QByteArray("aa-1\n"), 0u, "bb-2", "aa-1",
                QByteArray("bb-2\n"));
        dataRow("no longer accepted", QByteArray("aa-1\n"), 2u, "", "aa-1", QByteArray());
        dataRow("not remembered", QByteArray("aa-1\n"), 0u, "", "aa-1", QByteArray());
        dataRow("a damaged file", QByteArray("\xff\x00zz/..", 7), 0u, "cc-3", "",
                QByteArray("cc-3\n"));
    }
    void restoreToken()
    {
        const auto [stored, response, newToken, sent, kept] =
            fetch<QByteArray, uint, QString, QString, QByteArray>("stored", "response", "newToken",
                                                                  "sent", "kept");
        QFile::remove(tokenPath_);
        QFile file(tokenPath_);
        QVERIFY(stored.isNull() || (file.open(QIODevice::WriteOnly) && file.write(stored)));
        file.close();
        testsupport::PipeWireSource source(testsupport::busyDesktopPicture({64, 40}),
                                           {SPA_VIDEO_FORMAT_BGRx});
        QCOMPARE(source.start(), QString());
        portal_.streams = {{source.nodeId(), {}}};
        portal_.startResponse = response;
        portal_.newToken = newToken;
        QCOMPARE(shoot().isEmpty(), response == 0);
        QCOMPARE(portal_.selected.value("restore_token").toString(), sent);
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), kept);
        const auto owner =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        QVERIFY(kept.isEmpty() || QFile::permissions(tokenPath_) == owner);
    }

    // A portal without ScreenCast 4 leaves the shot to the Screenshot call.
    void olderPortal()
    {
        struct Fallback : platform::ScreenGrab {
            void grabToBmp(const QString &, Done done) override { done("fallback"); }
        };
        portal_.version = 3;
        const int sessions = portal_.sessions;
        QCOMPARE(shoot(0, std::make_unique<Fallback>()), QString("fallback"));
        QVERIFY(shoot().contains("(版 4 以降) がありません"));
        portal_.version = 4;
        QCOMPARE(portal_.sessions, sessions);
    }

private:
    FakeScreenCast portal_;
    QTemporaryDir dir_;
    QString tokenPath_, bmp_;
};

QTEST_MAIN(tst_ScreenCastGrab)
#include "tst_ScreenCastGrab.moc"
