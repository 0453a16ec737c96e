// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/OutputLayout.h"
#include "platform/grab/ImageBmp.h"

#include <QPainter>
#include <QTransform>
#include <cmath>

namespace platform
{

QImage composeDesktop(const std::vector<OutputPicture> &outputs)
{
    QRect box;
    double density = 0;
    for (const OutputPicture &o : outputs) {
        box |= o.logical;
        density = std::max(density, double(o.image.width()) / std::max(1, o.logical.width()));
    }
    if (box.isEmpty() || density <= 0)
        return {};
    const auto at = [&](int logical) { return int(std::lround(logical * density)); };
    // The common single screen needs no copy.
    if (outputs.size() == 1 && outputs[0].image.size() == QSize(at(box.width()), at(box.height())))
        return outputs[0].image;
    QImage desktop(at(box.width()), at(box.height()), QImage::Format_RGB32);
    if (desktop.isNull())
        return {};
    desktop.fill(Qt::black);
    QPainter painter(&desktop);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const OutputPicture &o : outputs) {
        const QRect target(at(o.logical.x() - box.x()), at(o.logical.y() - box.y()),
                           at(o.logical.width()), at(o.logical.height()));
        if (target.size() == o.image.size())
            painter.drawImage(target.topLeft(), o.image);
        else
            painter.drawImage(target, o.image);
    }
    return desktop;
}

QString storeDesktopAsBmp(const std::vector<OutputPicture> &outputs, BmpWriter &bmp,
                          const QString &path)
{
    const QImage desktop = composeDesktop(outputs);
    return desktop.isNull() ? QStringLiteral("画面の配置がわかりません")
                            : storeImageAsBmp(desktop, bmp, path);
}

QImage uprightOutputPicture(const QImage &buffer, int transform, bool yInverted)
{
    QImage image = yInverted ? buffer.mirrored(false, true) : buffer;
    // The buffer holds the output as it is scanned out; the desktop sees it
    // turned back by the output's transform: quarter turns, then the mirror.
    if (const int quarters = transform & 3)
        image = image.transformed(QTransform().rotate(90.0 * quarters));
    if (transform & 4)
        image = image.mirrored(true, false);
    return image;
}

} // namespace platform
