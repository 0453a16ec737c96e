// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/ImageBmp.h"

#include <cstring>

namespace platform
{

QString storeImageAsBmp(const QImage &image, BmpWriter &bmp, const QString &path)
{
    if (!bmp.setSize(image.width(), image.height()))
        return QStringLiteral("画面が大きすぎます");
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
    if (bgr.isNull())
        return QStringLiteral("画面が大きすぎます");
    for (int y = 0; y < bgr.height(); ++y)
        std::memcpy(bmp.row(y), bgr.constScanLine(y), std::size_t(bgr.width()) * 3);
    return bmp.save(path);
}

} // namespace platform
