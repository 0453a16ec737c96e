// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "ReferenceShot.h"

#include <QFile>
#include <turbojpeg.h>

#include "platform/grab/x11/X11Capture.h"

ReferenceShot::ReferenceShot()
    : capture_(std::make_unique<platform::X11Capture>()), encoder_(tjInitCompress())
{
}

ReferenceShot::~ReferenceShot()
{
    tjDestroy(encoder_);
}

QString ReferenceShot::take(const QString &jpgPath)
{
    QString error;
    XImage *image = capture_->grab(&error);
    if (!image)
        return error;
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    if (tjCompress2(encoder_, reinterpret_cast<unsigned char *>(image->data), image->width,
                    image->bytes_per_line, image->height, TJPF_BGRX, &jpeg, &size, TJSAMP_444, 100,
                    0) != 0)
        return QString::fromLocal8Bit(tjGetErrorStr2(encoder_));
    QFile f(jpgPath);
    const bool ok = f.open(QIODevice::WriteOnly) &&
                    f.write(reinterpret_cast<char *>(jpeg), qint64(size)) == qint64(size);
    tjFree(jpeg);
    return ok ? QString() : f.errorString();
}
