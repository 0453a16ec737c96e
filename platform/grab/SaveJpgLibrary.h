// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/grab/JpegConverter.h"

namespace platform
{

// libSaveJPG.so.1 of the application folder or the installed tree, loaded on
// first use and kept loaded.
class SaveJpgLibrary final : public JpegConverter
{
public:
    explicit SaveJpgLibrary(const QString &appDir);
    bool saveToJpeg(const QString &bmpPath, const QString &jpgPath, std::uint8_t quality,
                    std::int32_t options, int *result, QString *error) override;

private:
    using SavetoJpegFn = int (*)(const char *, const char *, unsigned char, std::int32_t);
    QString load();

    QString appDir_;
    SavetoJpegFn function_ = nullptr;
};

} // namespace platform
