// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "BuildInfo.h"
#include "Harness.h"
#include "platform/desktop/QtMessageBox.h"
#include "shell/window/AppFonts.h"
#include "support/FitLabels.h"
#include "support/Launchers.h"
#include "support/frmVersion.h"

using KeyList = QList<int>;

class tst_Menus : public QObject
{
    Q_OBJECT

    // What the program did, as far as the menu items can make it do something.
    static QString effect(const WindowHarness &h, QStringList e)
    {
        const char *icons[] = {"(x)", "(!)", "(i)"};
        const std::pair<bool, const char *> states[] = {{!h.w.isVisible(), "hidden"},
                                                        {h.w.isArmed(), "armed"},
                                                        {h.fake.trayShown, "tray"},
                                                        {!h.ini().isEmpty(), "saved"}};
        for (auto [on, state] : states)
            if (on)
                e << QLatin1String(state);
        if (h.fake.exitCode)
            e << QStringLiteral("exit %1").arg(*h.fake.exitCode);
        for (const QString &d : h.fake.openedDocuments)
            e << QFileInfo(d).fileName();
        e << h.fake.openedUrls << h.fake.logEntries();
        for (const FakePlatform::Message &m : h.fake.messages)
            e << icons[int(m.icon)] + m.text;
        return e.join(QStringLiteral(", "));
    }
    static void minimise(WindowHarness &h)
    {
        h.w.setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
    }
    // The tray icon exists exactly while the window is minimised and hidden.
    static bool inTray(const WindowHarness &h)
    {
        return !h.w.isVisible() && h.w.isMinimized() && h.fake.trayShown;
    }

    struct Box {
        FakePlatform fake;
        frmVersion box{fake.platform(), nullptr};
    };
    static QList<QLabel *> lines(const frmVersion &box)
    {
        QList<QLabel *> labels;
        for (const char *name : {"lblTitle", "lblLastUpdate", "lblCopyright", "lblMail", "lblURL"})
            labels << box.findChild<QLabel *>(QLatin1String(name));
        return labels;
    }

private Q_SLOTS:
    // Items by name, keys to the control named before; "failing": web pages fail to open.
    void itemReachesItsProcedure_data()
    {
        columns<QString, QString>("items", "expected");
        const QString refusal = "(x)設定中です、終了するには設定をキャンセルしてください";
        const QString exited = "hidden, saved, exit 0";
        dataRow("confirm", "M_File_1", "armed");
        dataRow("store in tray", "M_File_2", "hidden, tray");
        dataRow("exit", "M_File_4", exited);
        dataRow("exit while armed", "M_File_1 M_File_4", "armed, " + refusal);
        dataRow("Readme", "M_Help_1", "Readme.txt");
        const QString url = QString::fromUtf8(buildinfo::Url);
        dataRow("web page", "M_Help_2", url);
        dataRow(
            "web page, no opener", "failing M_Help_2",
            url + ", [mdlCommon]-[Sub_ShowWebFlie] no opener, (x)Webページ表示エラー\r\nno opener");
        dataRow("About box", "M_Help_4", "About over main");
        dataRow("tray: open", "M_File_2 M_TaskBar_1", "");
        dataRow("tray: exit", "M_File_2 M_TaskBar_3", exited);
        dataRow("tray: exit while armed", "M_File_1 M_File_2 M_TaskBar_3",
                "hidden, armed, tray, " + refusal);
        dataRow("F1, F5 in the hour list", "cmbStTm_0 F1 F5", "armed, Readme.txt");
        // Arming locks the folder box; F1 and F5 still reach the window.
        dataRow("F5, F1, F5 in the folder box", "txtSaveFolder F5 F1 F5", "Readme.txt");
    }
    void itemReachesItsProcedure()
    {
        const auto [items, expected] = fetch<QString, QString>("items", "expected");
        WindowHarness h;
        showActive(h.w);
        QStringList modal;
        QTimer::singleShot(0, &h.w, [&] { // runs inside a modal box's own event loop
            if (auto *box = qobject_cast<frmVersion *>(QApplication::activeModalWidget())) {
                const QPoint off = box->geometry().center() - h.w.geometry().center();
                modal << (box->parentWidget() == &h.w && off.manhattanLength() < 20
                              ? "About over main"
                              : "About");
                box->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
            }
        });
        for (const QString &item : items.split(' ')) {
            if (item == "failing")
                h.fake.urlError = QStringLiteral("no opener");
            else if (auto *action = h.child<QAction>(item))
                action->trigger();
            else if (auto *control = h.child(item))
                control->setFocus();
            else
                QTest::keyClick(h.w.windowHandle(), QKeySequence(item)[0].key());
        }
        QCOMPARE(effect(h, modal), expected);
    }

    // A left click restores; the context click opens the tray menu; others do nothing.
    void activation_data()
    {
        columns<int, QString>("reason", "expected");
        dataRow("left click", int(QSystemTrayIcon::Trigger), "restored");
        dataRow("context click", int(QSystemTrayIcon::Context), "menu");
        dataRow("double click", int(QSystemTrayIcon::DoubleClick), "");
    }
    void activation()
    {
        const auto [reason, expected] = fetch<int, QString>("reason", "expected");
        WindowHarness h;
        showActive(h.w);
        minimise(h);
        QWidget other; // the user works in another program meanwhile
        showActive(other);
        // The status clock rests in the tray and is current the moment the window is back.
        QVERIFY(!h.child<QTimer>("Timer")->isActive());
        h.fake.setTime(10, 11, 12);
        h.fake.trayHandler(QSystemTrayIcon::ActivationReason(reason));
        QCoreApplication::processEvents();
        QCOMPARE(h.w.taskBarMenu()->isVisible(), expected == "menu");
        h.w.taskBarMenu()->hide();
        QCOMPARE(inTray(h), expected != "restored");
        if (expected != "restored")
            return;
        QVERIFY(h.w.isVisible() && !h.w.isMinimized() && !h.fake.trayShown);
        QTRY_VERIFY(h.w.isActiveWindow());
        QCOMPARE(h.panels(), (QStringList{"", " 2026/12/07 10:11:12 "}));
        // Twice a second, not as fast as it can: the program runs all day.
        QCOMPARE(h.child<QTimer>("Timer")->interval(), 500);
        QVERIFY(h.child<QTimer>("Timer")->isActive());
        minimise(h); // and back again
        QVERIFY(inTray(h));
    }

    void withoutTrayTheWindowStaysOnTheTaskbar()
    {
        WindowHarness h;
        h.w.show();
        h.fake.trayAvailable = false;
        minimise(h);
        QVERIFY(h.w.isMinimized() && h.w.isVisible() && !h.fake.trayShown);
    }

    void refusedReadmeIsShownAndLoggedWithPath_data()
    {
        // text empty: the Readme opened
        columns<int, QString>("result", "text");
        dataRow("0 out of memory", 0, "メモリ不足です");
        dataRow("2 missing file", 2, "ファイルが見つかりません");
        dataRow("3 missing folder", 3, "パスが見つかりません");
        dataRow("11 invalid file", 11, "ファイルが無効です");
        dataRow("31 no association", 31, "関連付けられているファイルがありません");
        dataRow("32 is still a failure", 32, "エラーNo.=32");
        dataRow("33 opened", 33, "");
    }
    void refusedReadmeIsShownAndLoggedWithPath()
    {
        const auto [result, text] = fetch<int, QString>("result", "text");
        FakePlatform fake;
        fake.documentResult = result;
        mdlCommon::Sub_ShowHelpFlie(fake.platform());

        const QString path = fake.appFile(QStringLiteral("Readme.txt"));
        QCOMPARE(fake.openedDocuments, QStringList{path});
        QCOMPARE(fake.messageTexts(),
                 text.isEmpty() ? QStringList() : QStringList{"Readme表示エラー\r\n" + text});
        if (text.isEmpty())
            return;
        QCOMPARE(fake.messages.first().icon, platform::MsgIcon::Critical);
        QCOMPARE(fake.logEntries(), QStringList{QStringLiteral("[mdlCommon]-[Sub_ShowHelpFlie] ") +
                                                text + QChar(0x3000) + path});
    }

    // The real box: the program's name as its title, a line per CR LF, over the active window.
    void realMessageBox_data()
    {
        columns<platform::MsgIcon, int, bool>("icon", "shown", "owner");
        dataRow("critical, over the window", platform::MsgIcon::Critical, 3, true);
        dataRow("warning", platform::MsgIcon::Warning, 2, false);
        dataRow("information", platform::MsgIcon::Information, 1, false);
    }
    void realMessageBox()
    {
        const auto [icon, shown, owner] =
            fetch<platform::MsgIcon, int, bool>("icon", "shown", "owner");
        QWidget window;
        if (owner)
            showActive(window);
        QString seen;
        QTimer::singleShot(0, &window, [&] { // runs inside the box's own event loop
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen = QStringLiteral("%1 %2 %3 %4")
                           .arg(box->windowTitle(), box->text())
                           .arg(box->icon())
                           .arg(box->parentWidget() == &window);
                box->accept();
            }
        });
        platform::QtMessageBox().show(QStringLiteral("a\r\nb"), icon);
        QCOMPARE(seen, QStringLiteral("Snapsentry a\nb %1 %2").arg(shown).arg(owner));
    }

    void showsVersionData()
    {
        Box b;
        QCOMPARE(b.box.minimumSize(), b.box.maximumSize()); // not resizable
        QStringList texts;
        for (const QLabel *label : lines(b.box))
            texts << label->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("Snapsentry  Ver %1.%2")
                                         .arg(buildinfo::VersionMajor)
                                         .arg(buildinfo::VersionMinor),
                                     QStringLiteral("LastUpdate: ") + buildinfo::LastUpdate,
                                     QString::fromUtf8(buildinfo::Copyright),
                                     QStringLiteral("Mail: ") + buildinfo::Mail,
                                     QStringLiteral("URL: ") + buildinfo::Url}));
    }

    // Long build-time texts show whole; the box widens about its centre where needed.
    void longLinesFit_data()
    {
        // line: index into lines(); over: pixels beyond the label's width
        columns<int, int, bool>("line", "over", "widens");
        dataRow("build's own texts", 0, -1000, false);
        dataRow("date a little too long for its label", 1, 4, false);
        dataRow("URL too long to stay where it was", 4, 20, false);
        dataRow("copyright wider than the box", 2, 200, true);
        dataRow("left-aligned title past the edge", 0, 60, true);
    }
    void longLinesFit()
    {
        const auto [line, over, widens] = fetch<int, int, bool>("line", "over", "widens");
        Box b;
        auto &box = b.box;
        const QList<QLabel *> labels = lines(box);
        QLabel *longer = labels[line];
        while (longer->fontMetrics().horizontalAdvance(longer->text()) < longer->width() + over)
            longer->setText(longer->text() + QLatin1Char('.'));
        auto *ok = box.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        const auto okFromCentre = [&] { return ok->geometry().center().x() - box.width() / 2; };
        const int width = box.width(), okAt = okFromCentre();
        const int centreAt = longer->geometry().center().x() - box.width() / 2;
        support::fitLabels(&box, labels);

        QCOMPARE(box.width() > width, widens);
        QCOMPARE(okFromCentre(), okAt);
        // A centred line grows about its centre where the box has room for that.
        const QRect at = longer->geometry();
        const int centre = box.width() / 2 + centreAt;
        if ((longer->alignment() & Qt::AlignHCenter) && centre - at.width() / 2 > 4 &&
            centre + at.width() / 2 < box.width() - 4)
            QVERIFY(qAbs(at.center().x() - centre) <= 1);
        for (const QLabel *label : labels)
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width() &&
                         label->x() >= 4 && label->x() + label->width() <= box.width() - 4,
                     qPrintable(label->objectName()));
    }

    // Keys as the keyboard delivers them; a key may carry the modifiers held with it.
    void keys_data()
    {
        columns<KeyList, int, bool, QString>("keys", "opened", "closed", "openerError");
        const int K = Qt::Key_K, Q = Qt::Key_Q, V = Qt::Key_V, Shift = Qt::ShiftModifier;
        dataRow("kqv", KeyList{K, Q, V}, 1, false, "");
        dataRow("KQV with Shift held",
                KeyList{Qt::Key_Shift | Shift, K | Shift, Q | Shift, V | Shift}, 1, false, "");
        dataRow("KQVKQV opens twice", KeyList{K, Q, V, K, Q, V}, 2, false, "");
        dataRow("KKQV: the second K is no new start", KeyList{K, K, Q, V}, 0, false, "");
        dataRow("Shift alone between letters", KeyList{K, Q, Qt::Key_Shift, V}, 0, false, "");
        dataRow("Escape closes nothing", KeyList{K, Q, Qt::Key_Escape, V}, 0, false, "");
        dataRow("Enter closes the box", KeyList{Qt::Key_Return}, 0, true, "");
        dataRow("kqv, opener fails", KeyList{K, Q, V}, 1, false, "xdg-open: No such file");
    }
    void keys()
    {
        const auto [keys, opened, closed, openerError] =
            fetch<KeyList, int, bool, QString>("keys", "opened", "closed", "openerError");
        Box b;
        auto &[fake, box] = b;
        fake.folderError = openerError;
        showActive(box);
        for (int key : keys)
            for (bool press : {true, false})
                QTest::simulateEvent(box.windowHandle(), press, key & ~Qt::KeyboardModifierMask,
                                     Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask),
                                     QString(), false);
        QCOMPARE(fake.openedFolders, QStringList(opened, fake.dataDir()));
        QCOMPARE(box.isVisible(), !closed);
        QCOMPARE(box.result(), closed ? QDialog::Accepted : QDialog::Rejected);
        QCOMPARE(fake.messageTexts(), openerError.isEmpty()
                                          ? QStringList()
                                          : QStringList{"キーダウンエラー\r\n" + openerError});
    }

    // The window's font, asked for by its Japanese name, is one with Japanese glyphs.
    void windowFontIsJapanese()
    {
        const QFont was = QApplication::font();
        installAppFonts();
        const bool japanese =
            QFontDatabase::writingSystems(QFontInfo(QApplication::font()).family())
                .contains(QFontDatabase::Japanese);
        QApplication::setFont(was);
        QVERIFY(japanese);
    }
};

QTEST_MAIN(tst_Menus)
#include "tst_Menus.moc"
