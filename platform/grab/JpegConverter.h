// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include <QString>
#include <cstdint>

namespace platform
{

// The BMP-to-JPEG converter library, loaded at run time.
class JpegConverter
{
public:
    virtual ~JpegConverter() = default;
    // Calls SavetoJPEG. Returns false (with *error set) when the library or its
    // function cannot be loaded; otherwise true, with the converter's result in *result.
    virtual bool saveToJpeg(const QString &bmpPath, const QString &jpgPath, std::uint8_t quality,
                            std::int32_t options, int *result, QString *error) = 0;
};

} // namespace platform
