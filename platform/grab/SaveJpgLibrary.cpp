// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/SaveJpgLibrary.h"

#include "platform/files/AppLayout.h"

#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>

namespace platform
{

SaveJpgLibrary::SaveJpgLibrary(const QString &appDir) : appDir_(appDir) {}

QString SaveJpgLibrary::load()
{
    // A copy beside the executable comes first (the portable folder). An
    // installed tree has its own in a private folder that the executable's run
    // path names, so a relocated prefix still finds it.
    const QString beside = appDir_ + QStringLiteral("/libSaveJPG.so.1");
    const QByteArray path = !QFileInfo::exists(beside) && isInstalledTree(appDir_)
                                ? QByteArrayLiteral("libSaveJPG.so.1")
                                : QFile::encodeName(beside);
    // RTLD_LOCAL keeps the library's libjpeg symbols apart from anything Qt loads.
    void *handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return QString::fromLocal8Bit(dlerror());
    void *symbol = dlsym(handle, "SavetoJPEG");
    if (!symbol) {
        const QString why = QString::fromLocal8Bit(dlerror());
        dlclose(handle);
        return why;
    }
    function_ = reinterpret_cast<SavetoJpegFn>(symbol);
    return {};
}

bool SaveJpgLibrary::saveToJpeg(const QString &bmpPath, const QString &jpgPath,
                                std::uint8_t quality, std::int32_t options, int *result,
                                QString *error)
{
    // A missing library is looked for again next time: the user may put it back.
    if (!function_) {
        const QString why = load();
        if (!function_) {
            *error = why;
            return false;
        }
    }
    *result = function_(QFile::encodeName(bmpPath).constData(),
                        QFile::encodeName(jpgPath).constData(), quality, options);
    return true;
}

} // namespace platform
