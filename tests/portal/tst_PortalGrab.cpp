// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
// The portal grab against a fake portal on a private bus: refusals, a time limit, its PNG deleted.
#include "ImageCompare.h"
#include "Table.h"
#include "platform/grab/portal/PortalScreenGrab.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTemporaryDir>
#include <QtTest>

// Answers Screenshot calls as scripted: response < 0 means never.
class FakePortal : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")

public:
    int response = 0;
    QString png;
    QVariantMap options; // of the last call

public Q_SLOTS:
    QDBusObjectPath Screenshot(const QString &, const QVariantMap &options,
                               const QDBusMessage &call)
    {
        this->options = options;
        QString sender = call.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString path =
            QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                .arg(sender, options.value(QStringLiteral("handle_token")).toString());
        if (response >= 0) {
            QDBusMessage signal = QDBusMessage::createSignal(
                path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            signal << uint(response)
                   << QVariantMap{{QStringLiteral("uri"), QUrl::fromLocalFile(png).toString()}};
            // A quick portal answers before its reply to the call is out.
            QDBusConnection(QStringLiteral("fake")).send(signal);
        }
        return QDBusObjectPath(path);
    }
};

class tst_PortalGrab : public QObject
{
    Q_OBJECT

    const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
    const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");
    static constexpr auto ExportAll = QDBusConnection::ExportAllSlots;

private Q_SLOTS:
    void initTestCase()
    {
        QDBusConnection bus =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake"));
        QVERIFY(bus.registerObject(Path, &portal_, ExportAll) && bus.registerService(Service));
    }

    void answers_data()
    {
        columns<int, bool, bool>("response", "refused", "stored");
        dataRow("granted: picture stored", 0, false, true);
        dataRow("cancelled", 1, true, false);
        dataRow("refused", 2, true, false);
        dataRow("never answered: time limit", -1, false, false);
    }
    void answers()
    {
        const auto [response, refused, stored] =
            fetch<int, bool, bool>("response", "refused", "stored");
        const QImage picture = testsupport::busyDesktopPicture({640, 400});
        portal_.response = response;
        portal_.png = dir_.filePath(QStringLiteral("Screenshot.png"));
        QVERIFY(picture.save(portal_.png));
        const QString bmp = dir_.filePath(QStringLiteral("shot.bmp"));

        platform::PortalScreenGrab grab(1000);
        QString error = QStringLiteral("no answer");
        grab.grabToBmp(bmp, [&error](const QString &e) { error = e; });
        QTRY_VERIFY(error != QLatin1String("no answer"));
        if (response < 0) {
            QTest::qWait(1100); // the time limit gives up once, not again a second later
            QCOMPARE(error, "画面を取り込めません (デスクトップポータル): "
                            "デスクトップポータルが 1 秒以内に応答しません");
        }
        QCOMPARE(error.isEmpty(), stored);
        // Every shot without a dialog, as the user chose once for all.
        QCOMPARE(portal_.options.value("interactive"), QVariant(false));
        QCOMPARE(portal_.options.value("modal"), QVariant(false));
        QCOMPARE(platform::isCaptureRefused(error), refused);
        QCOMPARE(QFile::exists(bmp), stored);
        if (stored) {
            QCOMPARE(testsupport::psnr(picture, QImage(bmp, "BMP")), 99.0);
            QVERIFY2(!QFile::exists(portal_.png), "the portal's PNG was left behind");
        }
        QFile::remove(bmp);
    }

    // What the user reads when the portal gives no picture, after "画面を取り込めません (...): ".
    void failsWithItsReason_data()
    {
        columns<bool, QString>("bare", "why"); // bare: the portal's object has no Screenshot
        dataRow("picture granted but missing", false, "ポータルの画像 %1 がありません");
        dataRow("granted without a picture", false, "ポータルが画像を返しません");
        dataRow("a portal that takes no pictures", true,
                "このデスクトップのポータルには画面撮影のインターフェースがありません");
    }
    void failsWithItsReason()
    {
        auto [bare, why] = fetch<bool, QString>("bare", "why");
        QDBusConnection bus(QStringLiteral("fake"));
        QObject nothing;
        portal_.response = 0;
        portal_.png = why.contains("%1") ? dir_.filePath(QStringLiteral("gone.png")) : QString();
        if (bare) {
            bus.unregisterObject(Path);
            QVERIFY(bus.registerObject(Path, &nothing, ExportAll));
        }
        platform::PortalScreenGrab grab(1000);
        QString error = QStringLiteral("no answer");
        grab.grabToBmp(dir_.filePath(QStringLiteral("shot.bmp")),
                       [&error](const QString &e) { error = e; });
        QTRY_VERIFY(error != QLatin1String("no answer"));
        bus.unregisterObject(Path);
        QVERIFY(bus.registerObject(Path, &portal_, ExportAll));
        QCOMPARE(error, "画面を取り込めません (デスクトップポータル): " +
                            why.replace(QLatin1String("%1"), portal_.png));
    }

private:
    FakePortal portal_;
    QTemporaryDir dir_;
};

QTEST_MAIN(tst_PortalGrab)
#include "tst_PortalGrab.moc"
