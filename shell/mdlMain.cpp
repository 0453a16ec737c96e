// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/mdlMain.h"

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
    // The window goes to the tray and message boxes close while it is hidden:
    // neither may end the program. Only the main window's unload does.
    QApplication::setQuitOnLastWindowClosed(false);
    installAppFonts();
    // Qt's own dialogs (the folder dialog) in the desktop's language.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    RealPlatform real(QApplication::applicationDirPath());
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
