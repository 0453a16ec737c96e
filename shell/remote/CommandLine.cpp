// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/remote/CommandLine.h"

#include <QCommandLineParser>
#include <algorithm>

namespace
{

const QString AutostartValues = QStringLiteral("--autostart には on か off を指定してください");

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption armOpt(QStringLiteral("arm")), disarmOpt(QStringLiteral("disarm")),
        statusOpt(QStringLiteral("status")), quitOpt(QStringLiteral("quit")),
        trayOpt(QStringLiteral("tray")),
        helpOpt(QStringList{QStringLiteral("help"), QStringLiteral("h")}),
        versionOpt(QStringLiteral("version")),
        autostartOpt(QStringLiteral("autostart"), QString(), QStringLiteral("on|off"));
    parser.addOptions(
        {armOpt, disarmOpt, statusOpt, quitOpt, trayOpt, helpOpt, versionOpt, autostartOpt});

    CommandLine c;
    if (!parser.parse(arguments)) {
        // The parser fails on an unknown option, a missing value or an unexpected one.
        const QStringList unknown = parser.unknownOptionNames();
        const QStringList given = arguments.mid(1);
        const auto withValue = std::ranges::find_if(given, [](const QString &a) {
            return a.startsWith(QLatin1Char('-')) && a.contains(QLatin1Char('=')) &&
                   !a.startsWith(QLatin1String("--autostart="));
        });
        if (!unknown.isEmpty())
            c.error =
                QStringLiteral("不明なオプションです: %1%2")
                    .arg(unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                         unknown.first());
        else if (withValue != given.end())
            c.error = QStringLiteral("このオプションは値を取りません: %1").arg(*withValue);
        else
            c.error = AutostartValues;
        return c;
    }
    if (!parser.positionalArguments().isEmpty()) {
        c.error =
            QStringLiteral("引数は指定できません: %1").arg(parser.positionalArguments().first());
        return c;
    }
    c.arm = parser.isSet(armOpt);
    c.disarm = parser.isSet(disarmOpt);
    c.status = parser.isSet(statusOpt);
    c.quit = parser.isSet(quitOpt);
    c.tray = parser.isSet(trayOpt);
    c.help = parser.isSet(helpOpt);
    c.version = parser.isSet(versionOpt);
    if (parser.isSet(autostartOpt)) {
        const QString value = parser.value(autostartOpt);
        if (value == QLatin1String("on") || value == QLatin1String("off"))
            c.autostart = value == QLatin1String("on");
        else
            c.error = AutostartValues;
    }
    if (c.arm && c.disarm)
        c.error = QStringLiteral("--arm と --disarm は同時に指定できません");
    else if (c.quit && (c.arm || c.tray))
        c.error = QStringLiteral("--quit は --arm、--tray と同時に指定できません");
    return c;
}

QString CommandLine::helpText()
{
    return QStringLiteral(
        "使い方: Snapsentry [オプション]\n"
        "開始時刻から終了時刻まで、決まった間隔で画面全体を撮影します。\n"
        "オプションなしでは画面を開きます。起動中の Snapsentry があれば、\n"
        "オプションはその Snapsentry に伝えられます。\n"
        "\n"
        "  --arm              保存されている設定で確定します (確定ボタンと同じ)\n"
        "  --disarm           設定をキャンセルします (ｷｬﾝｾﾙボタンと同じ)\n"
        "  --status           状態を「キー=値」の行で表示します\n"
        "  --quit             終了します (設定中は終了できません)\n"
        "  --tray             画面をタスクトレイに格納して起動します\n"
        "  --autostart=on|off ログイン時に「Snapsentry --arm --tray」を\n"
        "                     起動する設定を書き込みます／削除します\n"
        "  -h, --help         この使い方を表示します\n"
        "  --version          バージョンを表示します\n"
        "\n"
        "終了ステータス: 0 完了、1 拒否 (理由は標準エラー出力)、2 使い方の誤り、\n"
        "3 Snapsentry が起動していない (--status)、4 起動中の Snapsentry が応答しない\n");
}

QString statusLines(const QVariantMap &properties)
{
    auto text = [&](const char *name) {
        QString value = properties.value(QLatin1String(name)).toString();
        value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        value.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
        return value.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    };
    auto flag = [&](const char *name) {
        return properties.value(QLatin1String(name)).toBool() ? QStringLiteral("1")
                                                              : QStringLiteral("0");
    };
    const std::pair<const char *, QString> lines[] = {
        {"running", QStringLiteral("1")}, {"armed", flag("Armed")},
        {"capturing", flag("Capturing")}, {"next", text("NextShot")},
        {"count", text("ShotCount")},     {"folder", text("SaveFolder")},
        {"prefix", text("Prefix")},       {"start", text("StartTime")},
        {"end", text("EndTime")},         {"step", text("Step")},
        {"last", text("LastShot")},       {"error", text("LastError")}};
    QString out;
    for (const auto &[key, value] : lines)
        out += QLatin1String(key) + QLatin1Char('=') + value + QLatin1Char('\n');
    return out;
}

void printText(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}
