// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"

#include <QString>

namespace mdlCommon
{

// Whether path names an existing entry: folders and plain files with a non-zero
// flag, plain files only with flag 0. Unexpected failures are reported
// ("存在チェックエラー") and answer false.
bool Sub_PathCheck(const Platform &p, const QString &path, qint16 flag);

} // namespace mdlCommon
