// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/startup/mdlMain.h"

#include "BuildInfo.h"
#include "platform/RealPlatform.h"
#include "platform/files/AppLayout.h"
#include "platform/files/InstanceLock.h"
#include "platform/files/PosixFileSystem.h"
#include "shell/remote/Autostart.h"
#include "shell/remote/CaptureService.h"
#include "shell/remote/CommandLine.h"
#include "shell/remote/RemoteClient.h"
#include "shell/remote/Taps.h"
#include "shell/settings/IniStore.h"
#include "shell/startup/SessionEnd.h"
#include "shell/window/AppFonts.h"
#include "shell/window/frmMain.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringDecoder>
#include <QThread>
#include <QTranslator>

namespace mdlMain
{

namespace
{

int forwardToStartingCopy(const CommandLine &options);

// No copy runs: the schedule goes into the settings file, as the program
// writes it at exit, for the next start to read. The single-instance lock is
// held meanwhile, so a copy cannot start on a half-written schedule or write
// its own over it at exit.
int writeSchedule(const CommandLine &options)
{
    platform::InstanceLock lock(QCoreApplication::applicationFilePath());
    if (!lock.acquire())
        return forwardToStartingCopy(options);
    const QString ini =
        mdlCommon::iniPath(platform::dataDir(QCoreApplication::applicationDirPath()));
    platform::PosixFileSystem files;
    if (mdlCommon::putIniValues(files, ini, QStringLiteral("Main"), options.schedule.iniEntries()))
        return CommandLine::Done;
    printText(stderr, QStringLiteral("Snapsentry: 設定ファイルに書き込めません: %1\n").arg(ini));
    return CommandLine::Refused;
}

// The options that need no window: help, version, the autostart entry, and
// whatever a running copy carries out. Returns the exit status, or nothing
// when the program is to start.
std::optional<int> withoutWindow(const CommandLine &options, int argc, char **argv)
{
    if (!options.error.isEmpty()) {
        printText(stderr, QStringLiteral("Snapsentry: %1\n").arg(options.error));
        return CommandLine::BadUsage;
    }
    if (options.help) {
        printText(stdout, CommandLine::helpText());
        return CommandLine::Done;
    }
    if (options.version) {
        printText(stdout, QStringLiteral("Snapsentry %1.%2\n")
                              .arg(buildinfo::VersionMajor)
                              .arg(buildinfo::VersionMinor));
        return CommandLine::Done;
    }
    if (!options.autostart && !options.forRunningCopy())
        return std::nullopt;
    QCoreApplication core(argc, argv);
    if (options.autostart) {
        QString error;
        const QString path =
            autostart::set(*options.autostart, QCoreApplication::applicationFilePath(), &error);
        if (!error.isEmpty()) {
            printText(stderr, QStringLiteral("Snapsentry: %1\n").arg(error));
            return CommandLine::Refused;
        }
        if (!path.isEmpty())
            printText(stdout, path + QLatin1Char('\n'));
        if (!options.forRunningCopy())
            return CommandLine::Done;
    }
    if (const std::optional<int> forwarded = remote::forward(options))
        return forwarded;
    if (options.startsProgram())
        return std::nullopt;
    if (!options.schedule.isEmpty()) {
        const int written = writeSchedule(options);
        if (written != CommandLine::Done)
            return written;
    }
    if (options.status) {
        printText(stdout, QStringLiteral("running=0\n"));
        return CommandLine::NotRunning;
    }
    return CommandLine::Done; // nothing to disarm or to end
}

// The lock is taken but the copy that holds it is not (yet) on the bus: it
// may be starting. Waits a little for it, then hands the options over.
int forwardToStartingCopy(const CommandLine &options)
{
    const QDeadlineTimer deadline(5000);
    while (!remote::copyRuns() && !deadline.hasExpired())
        QThread::msleep(100);
    if (const std::optional<int> forwarded = remote::forward(options))
        return *forwarded;
    printText(stderr, QStringLiteral("Snapsentry: 起動中の Snapsentry に接続できません\n"));
    return CommandLine::NoAnswer;
}

} // namespace

int Main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        arguments << utf8(QByteArrayView(argv[i]));
        if (utf8.hasError())
            arguments.last() += QChar(0); // refused wherever a value is checked
    }
    const CommandLine options = CommandLine::parse(arguments);
    if (const std::optional<int> status = withoutWindow(options, argc, argv))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Snapsentry"));
    // Ties the windows to the menu entry (and its icon) on the desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.snapsentry"));
    // The window goes to the tray and message boxes close while it is hidden:
    // neither may end the program. Only the main window's unload does.
    QApplication::setQuitOnLastWindowClosed(false);
    installAppFonts();
    // Qt's own dialogs (the folder dialog) in the desktop's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    const QString appDir = QApplication::applicationDirPath();
    RealPlatform real(appDir, platform::dataDir(appDir));
    const Platform base = real.platform();
    TappedMessageBox box(base.messageBox);
    TappedProcess process(base.process);
    const Platform platform{
        box,           base.clock, base.tray,  base.screenGrab, base.converter, base.folderDialog,
        base.launcher, process,    base.files, base.appDir,     base.dataDir};

    platform::InstanceLock lock(QApplication::applicationFilePath());
    if (!lock.acquire()) {
        // Options go to the copy that runs; only a plain second start is refused.
        if (options.forRunningCopy())
            return forwardToStartingCopy(options);
        platform.messageBox.show(QStringLiteral("２重起動はできません"),
                                 platform::MsgIcon::Warning);
        return 0;
    }

    frmMain window(platform);
    if (!window.Form_Load())
        return 1;
    // Values given with the command that starts the program, as if picked.
    window.setSchedule(options.schedule);
    SessionEnd sessionEnd(window, platform);
    CaptureService service(window, box, process);
    service.publish();
    if (options.tray)
        window.showPutAway();
    else
        window.show();
    // A refusal shows the window's warning, as a click would, and is printed too.
    if (options.arm)
        service.arm([](const QString &refusal) {
            if (!refusal.isEmpty())
                printText(stderr, refusal + QLatin1Char('\n'));
        });
    return QApplication::exec();
}

} // namespace mdlMain
