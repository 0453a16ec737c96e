// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"

#include <QPixmap>
#include <QString>

namespace mdlMain
{

// Whether prefix can head the shot file names: the file system judges, by a
// test file prefix + "0000.bmp" (written from picture) in the application folder.
// An entry that already carries the test name is never touched: it proves the
// name usable. Unexpected failures are reported ("ファイル名チェックエラー") and answer false.
bool Fun_UseFileNmCheck(const Platform &p, const QString &prefix, const QPixmap &picture);

} // namespace mdlMain
