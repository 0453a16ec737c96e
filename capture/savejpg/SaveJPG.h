/* SPDX-License-Identifier: MIT */
/* SPDX-FileCopyrightText: 2026 Snapsentry developers */
#ifndef SAVEJPG_H
#define SAVEJPG_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define SAVEJPG_API __attribute__((visibility("default")))
#else
#define SAVEJPG_API
#endif

/**
 * @brief Converts a BMP file into a JPEG file.
 * @param bmpPath  the BMP file to read (UTF-8 path)
 * @param jpgPath  the JPEG file to write (UTF-8 path)
 * @param quality  JPEG quality 1..100
 * @param options  -1 for the defaults (full-resolution 4:4:4 colour)
 * @return 0 on success, otherwise a non-zero code
 */
SAVEJPG_API int SavetoJPEG(const char *bmpPath, const char *jpgPath, unsigned char quality,
                           int32_t options);

#ifdef __cplusplus
}
#endif

#endif
