// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "Table.h"
#include "shell/remote/Autostart.h"
#include "shell/remote/CommandLine.h"

#include <QDir>

class tst_CommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        // what: the options set, as letters (a arm, d disarm, s status, q quit,
        // t tray, + autostart on, - autostart off, h help, v version), then the
        // schedule's settings-file entries ($PWD the working folder); error: a
        // word of the message, empty when the line is accepted
        columns<QString, QString, QString>("line", "what", "error");
        dataRow("none", QString(), QString(), QString());
        dataRow("arm and tray", QString("--arm --tray"), QString("at"), QString());
        dataRow("status, disarm", QString("--status --disarm"), QString("ds"), QString());
        dataRow("quit", QString("--quit"), QString("q"), QString());
        dataRow("autostart on", QString("--autostart=on"), QString("+"), QString());
        dataRow("autostart off, spaced", QString("--autostart off"), QString("-"), QString());
        dataRow("help, short", QString("-h"), QString("h"), QString());
        dataRow("version", QString("--version"), QString("v"), QString());
        dataRow("unknown", QString("--arm --bogus"), QString(), QString("--bogus"));
        dataRow("unknown short", QString("-x"), QString(), QString("-x"));
        dataRow("autostart maybe", QString("--autostart=maybe"), QString(), QString("on か off"));
        dataRow("autostart bare", QString("--autostart"), QString(), QString("on か off"));
        dataRow("value on a flag", QString("--arm=1"), QString(), QString("--arm=1"));
        dataRow("argument", QString("file"), QString(), QString("file"));
        dataRow("disarm, then arm", QString("--arm --disarm"), QString("ad"), QString());
        dataRow("quit and tray", QString("--tray --quit"), QString(), QString("--quit"));
        dataRow("schedule", QString("--start=23:59 --end=0000 --step=60 --end-action=message"),
                QString(" StartTimeH=23 StartTimeN=59 EndTimeH=00 EndTimeN=00 Step=60 EndType=1"),
                QString());
        dataRow("folder made absolute", QString("--folder=a/../shots --prefix=day_ --step 1"),
                QString(" Step=01 SaveFolder=$PWD/shots TopName=day_"), QString());
        dataRow("empty folder and prefix, the last kept", QString("--folder= --prefix=a --prefix="),
                QString(" SaveFolder= TopName="), QString());
        dataRow("end action none, arm", QString("--end-action=none --arm"), QString("a EndType=0"),
                QString());
        dataRow("hour 24", QString("--start=2400"), QString(), QString("--start"));
        dataRow("minute 60", QString("--end=12:60"), QString(), QString("--end"));
        dataRow("short time", QString("--end=930"), QString(), QString("--end"));
        dataRow("step 0", QString("--step=0"), QString(), QString("--step"));
        dataRow("step 61", QString("--step=61"), QString(), QString("--step"));
        dataRow("step no number", QString("--step=5m"), QString(), QString("--step"));
        dataRow("step without value", QString("--arm --step"), QString(), QString("--step"));
        dataRow("prefix of 31", QString("--prefix=%1").arg(QString(31, 'x')), QString(),
                QString("--prefix"));
        dataRow("folder beyond the settings file's 1023 bytes",
                QString("--folder=/%1").arg(QString(1023, 'x')), QString(), QString("--folder"));
        dataRow("line break", QString("--folder=a\nb"), QString(), QString("--folder"));
        dataRow("not text", QString("--prefix=a") + QChar(0), QString(), QString("--prefix"));
        dataRow("end action", QString("--end-action=reboot"), QString(), QString("--end-action"));
    }
    void parse()
    {
        const auto [line, what, error] = fetch<QString, QString, QString>("line", "what", "error");
        const CommandLine c =
            CommandLine::parse(QStringList{"Snapsentry"} + line.split(' ', Qt::SkipEmptyParts));
        QString got;
        const std::pair<bool, char> flags[] = {{c.arm, 'a'},
                                               {c.disarm, 'd'},
                                               {c.status, 's'},
                                               {c.quit, 'q'},
                                               {c.tray, 't'},
                                               {c.autostart == true, '+'},
                                               {c.autostart == false, '-'},
                                               {c.help, 'h'},
                                               {c.version, 'v'}};
        for (auto [set, letter] : flags)
            if (set)
                got += QLatin1Char(letter);
        for (const auto &[key, value] : c.schedule.iniEntries())
            got += ' ' + key + '=' + value;
        if (!error.isEmpty()) {
            QVERIFY2(c.error.contains(error), qPrintable(c.error));
            QVERIFY(!c.error.contains('\n'));
            return;
        }
        QCOMPARE(c.error, QString());
        QCOMPARE(got, QString(what).replace("$PWD", QDir::currentPath()));
        QString flagsSet = what.section(' ', 0, 0);
        QCOMPARE(c.startsProgram(), flagsSet.contains('a') || flagsSet.contains('t'));
        QCOMPARE(c.forRunningCopy(),
                 !flagsSet.remove(QRegularExpression("[hv+-]")).isEmpty() || what.contains(' '));
    }

    // Scripts read one value a line, keys in a fixed order.
    void statusLines()
    {
        const QVariantMap properties{{"Armed", true},
                                     {"Capturing", false},
                                     {"NextShot", "0905"},
                                     {"ShotCount", qint16(3)},
                                     {"SaveFolder", "/a\\b"},
                                     {"Prefix", "scr"},
                                     {"StartTime", "0900"},
                                     {"EndTime", "1700"},
                                     {"Step", qint16(5)},
                                     {"EndAction", "exit"},
                                     {"LastShot", "/a\\b/scr0900.jpg"},
                                     {"LastError", "キャプチャエラー\nno space"}};
        QCOMPARE(
            ::statusLines(properties),
            QString(
                "running=1\narmed=1\ncapturing=0\nnext=0905\ncount=3\nfolder=/a\\\\b\n"
                "prefix=scr\nstart=0900\nend=1700\nstep=5\naction=exit\nlast=/a\\\\b/scr0900.jpg\n"
                "error=キャプチャエラー\\nno space\n"));
    }

    void autostartExec_data()
    {
        columns<QString, QString>("program", "exec");
        dataRow("plain", QString("/usr/bin/Snapsentry"), QString("/usr/bin/Snapsentry"));
        dataRow("space", QString("/opt/my apps/Snapsentry"),
                QString("\"/opt/my apps/Snapsentry\""));
        dataRow("reserved", QString("/o/$x\"`\\/S"), QString("\"/o/\\\\$x\\\\\"\\\\`\\\\\\\\/S\""));
        dataRow("percent", QString("/o/100%/S"), QString("\"/o/100%%/S\""));
    }
    void autostartExec()
    {
        const auto [program, exec] = fetch<QString, QString>("program", "exec");
        QVERIFY(autostart::entryText(program).contains(
            ("\nExec=" + exec + " --arm --tray\n").toUtf8()));
    }
};

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
