// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "ImageCompare.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <cmath>

namespace testsupport
{

double psnr(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 0;
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int i = 0; i < x.width() * 3; ++i)
            sum += std::pow(x.constScanLine(row)[i] - y.constScanLine(row)[i], 2);
    return sum == 0 ? 99 : 10 * std::log10(255.0 * 255 * x.width() * x.height() * 3 / sum);
}

QImage busyDesktopPicture(const QSize &size, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator rng{quint32(seed)};
    QPainter p(&image);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(20, 60, 140));
    sky.setColorAt(1, QColor(200, 120, 40));
    p.fillRect(image.rect(), sky);
    // Smooth colour noise stands in for a photo.
    const QRect photo(size.width() / 2, size.height() / 8, size.width() * 2 / 5, size.height() / 2);
    QImage noise(photo.size() / 4, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(rng.bounded(256), 100 + rng.bounded(100), rng.bounded(256)));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(photo, noise);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    p.setFont(font);
    for (int w = 0; w < 4; ++w) {
        const QRect win(40 + w * 90, 60 + w * 140, size.width() / 3, size.height() / 3);
        p.fillRect(win, QColor(245, 245, 240));
        p.fillRect(win.x(), win.y(), win.width(), 24, QColor(40, 80 + w * 30, 160));
        for (int line = 0; line * 16 + 40 < win.height(); ++line)
            p.drawText(win.x() + 6, win.y() + 40 + line * 16,
                       QStringLiteral("%1: The quick brown fox 0123456789 キャプチャ %2")
                           .arg(line)
                           .arg(rng.bounded(100000)));
    }
    p.end();
    return image;
}

} // namespace testsupport
