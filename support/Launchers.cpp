// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "support/Launchers.h"

#include "BuildInfo.h"
#include "platform/files/AppLayout.h"
#include "support/ErrLog.h"
#include "support/ErrorHandler.h"

namespace mdlCommon
{

namespace
{

// What the user reads for a launch result of 32 or less.
QString launchErrorText(int result)
{
    switch (result) {
    case 0:
        return QStringLiteral("メモリ不足です");
    case 2:
        return QStringLiteral("ファイルが見つかりません");
    case 3:
        return QStringLiteral("パスが見つかりません");
    case 11:
        return QStringLiteral("ファイルが無効です");
    case 31:
        return QStringLiteral("関連付けられているファイルがありません");
    default:
        return QStringLiteral("エラーNo.=") + QString::number(result);
    }
}

} // namespace

void Sub_ShowHelpFlie(const Platform &p)
{
    const QString title = QStringLiteral("Readme表示エラー");
    const QString where = QStringLiteral("[mdlCommon]-[Sub_ShowHelpFlie] ");
    support::guarded(p, title, where, [&] {
        const QString path = platform::readmePath(p.appDir);
        const int result = p.launcher.openDocument(path);
        if (result > 32)
            return;
        // A refused launch is an answer, not a failure of this procedure: the
        // log entry names the file as well.
        const QString text = launchErrorText(result);
        p.messageBox.show(title + QStringLiteral("\r\n") + text, platform::MsgIcon::Critical);
        Sub_ErrLog(p, where + text + QChar(0x3000) + path);
    });
}

void Sub_ShowWebFlie(const Platform &p)
{
    support::guarded(p, QStringLiteral("Webページ表示エラー"),
                     QStringLiteral("[mdlCommon]-[Sub_ShowWebFlie] "), [&p] {
                         const QString error =
                             p.launcher.openUrl(QString::fromUtf8(buildinfo::Url));
                         if (!error.isEmpty())
                             throw support::ProcError{error};
                     });
}

} // namespace mdlCommon
