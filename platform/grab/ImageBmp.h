// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/grab/BmpWriter.h"

#include <QImage>
#include <QString>

namespace platform
{

// Stores a picture through bmp (its buffer is kept for the next shot).
// Returns "" or why not; a failure leaves no file at path.
QString storeImageAsBmp(const QImage &image, BmpWriter &bmp, const QString &path);

} // namespace platform
