// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/mdlMain.h"

#include "platform/AppLayout.h"
#include "platform/InstanceLock.h"
#include "platform/RealPlatform.h"
#include "shell/AppFonts.h"
#include "shell/SessionEnd.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace mdlMain
{

int Main(int argc, char **argv)
{
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
    const Platform platform = real.platform();

    platform::InstanceLock lock(QApplication::applicationFilePath());
    if (!lock.acquire()) {
        platform.messageBox.show(QStringLiteral("２重起動はできません"),
                                 platform::MsgIcon::Warning);
        return 0;
    }

    frmMain window(platform);
    if (!window.Form_Load())
        return 1;
    SessionEnd sessionEnd(window, platform);
    window.show();
    return QApplication::exec();
}

} // namespace mdlMain
