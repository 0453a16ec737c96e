// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/remote/CommandLine.h"

#include <QCommandLineParser>
#include <QDir>
#include <QRegularExpression>
#include <algorithm>

namespace
{

const QString AutostartValues = QStringLiteral("--autostart には on か off を指定してください");

// The schedule's options: each sets one control of the window.
const std::pair<const char *, ScheduleValues::Key> ScheduleOptions[] = {
    {"folder", ScheduleValues::Key::Folder}, {"prefix", ScheduleValues::Key::Prefix},
    {"start", ScheduleValues::Key::Start},   {"end", ScheduleValues::Key::End},
    {"step", ScheduleValues::Key::Step},     {"end-action", ScheduleValues::Key::EndAction}};

bool takesValue(const QString &name)
{
    return name == QLatin1String("autostart") ||
           std::ranges::any_of(ScheduleOptions,
                               [&](const auto &o) { return name == QLatin1String(o.first); });
}

// Why the parser refused the arguments, as one line.
QString refusal(const QCommandLineParser &parser, const QStringList &given)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("不明なオプションです: %1%2")
            .arg(unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                 unknown.first());
    for (const QString &arg : given) {
        if (!arg.startsWith(QLatin1Char('-')))
            continue;
        const QString name = arg.section(QLatin1Char('='), 0, 0).remove(QRegularExpression("^-+"));
        if (arg.contains(QLatin1Char('=')) && !takesValue(name))
            return QStringLiteral("このオプションは値を取りません: %1").arg(arg);
        if (!arg.contains(QLatin1Char('=')) && takesValue(name) && arg == given.last())
            return name == QLatin1String("autostart")
                       ? AutostartValues
                       : QStringLiteral("--%1 には値を指定してください").arg(name);
    }
    return AutostartValues;
}

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
    for (const auto &[name, key] : ScheduleOptions)
        parser.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("v")));

    CommandLine c;
    if (!parser.parse(arguments)) {
        // The parser fails on an unknown option, a missing value or an unexpected one.
        c.error = refusal(parser, arguments.mid(1));
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
    for (const auto &[name, key] : ScheduleOptions) {
        if (!parser.isSet(QLatin1String(name)) || !c.error.isEmpty())
            continue;
        QString value = parser.value(QLatin1String(name));
        // The running copy may have another working folder.
        if (key == ScheduleValues::Key::Folder && !value.isEmpty() && !value.contains(QChar(0)))
            value = QDir::cleanPath(QDir::current().absoluteFilePath(value));
        c.error = c.schedule.take(key, value, QStringLiteral("--") + QLatin1String(name));
    }
    if (c.quit && (c.arm || c.tray))
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
        "  --folder=DIR       画像保存先を設定します (相対パスは現在のフォルダから)\n"
        "  --prefix=TEXT      ファイル名 (30 文字まで) を設定します\n"
        "  --start=HHMM       開始時刻を設定します (HH:MM も可)\n"
        "  --end=HHMM         終了時刻を設定します (HH:MM も可)\n"
        "  --step=N           間隔を 1 から 60 の分で設定します\n"
        "  --end-action=none|message|exit\n"
        "                     終了時の動作 (なし／メッセージを表示／システム終了)\n"
        "  -h, --help         この使い方を表示します\n"
        "  --version          バージョンを表示します\n"
        "\n"
        "設定のオプションは設定中には使えません (--disarm と一緒なら使えます)。\n"
        "順序: --disarm、設定、--arm、--tray、--status。例:\n"
        "  Snapsentry --disarm --prefix=\"$(date +%Y%m%d)_\" --arm\n"
        "起動中の Snapsentry がなく --arm も --tray もなければ、設定は\n"
        "設定ファイルに書き込まれ、次の起動で使われます。\n"
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
        {"action", text("EndAction")},    {"last", text("LastShot")},
        {"error", text("LastError")}};
    QString out;
    for (const auto &[key, value] : lines)
        out += QLatin1String(key) + QLatin1Char('=') + value + QLatin1Char('\n');
    return out;
}

void printText(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}
