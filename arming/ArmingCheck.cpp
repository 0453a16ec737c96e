// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "arming/ArmingCheck.h"

#include "arming/PathCheck.h"
#include "arming/UseFileNmCheck.h"

#include <QPixmap>
#include <QTemporaryDir>
#include <memory>

namespace arming
{

Verdict checkBeforeArming(const Platform &p, const QString &saveFolder, const QString &prefix)
{
    if (saveFolder.isEmpty())
        return {QStringLiteral("画像保存先を設定してください"), FixAt::SaveFolder};
    // A plain file passes the existence check but cannot hold the shots.
    if (!mdlCommon::Sub_PathCheck(p, saveFolder, 1) || p.files.probe(saveFolder).isPlainFile)
        return {QStringLiteral("画像保存先が見つかりません"), FixAt::SaveFolder};
    // The test file carries the armed tray picture.
    if (!mdlMain::Fun_UseFileNmCheck(p, prefix, QPixmap(QStringLiteral(":/icons/tray_armed.png"))))
        return {QStringLiteral("ファイル名に使用できない文字が含まれています"), FixAt::Prefix};
    return {};
}

void trialGrab(const Platform &p, std::function<void(const Verdict &)> done)
{
    auto dir = std::make_shared<QTemporaryDir>();
    p.screenGrab.grabToBmp(dir->filePath(QStringLiteral("trial.bmp")),
                           [dir, done = std::move(done)](const QString &error) mutable {
                               dir.reset();
                               if (platform::isCaptureRefused(error))
                                   return done({platform::captureRefusedWarning()});
                               if (platform::isShareIncomplete(error))
                                   return done({platform::shareIncompleteWarning()});
                               done({});
                           });
}

} // namespace arming
