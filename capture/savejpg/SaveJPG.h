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
 * @defgroup savejpg_codes Result codes of SavetoJPEG()
 * Every failure leaves no JPEG file and no temporary file behind; a JPEG file
 * that already existed at the target path is left as it was.
 * @{
 */
/** The JPEG file was written. */
#define SAVEJPG_OK 0
/** A path is NULL or empty, the quality is outside 1..100, or the options are not -1. */
#define SAVEJPG_E_ARGUMENT 1
/**
 * The BMP file cannot be opened or read (missing, no permission, a folder, a FIFO
 * or device rather than a regular file, an I/O error).
 */
#define SAVEJPG_E_BMP_OPEN 2
/** The file is not a BMP file (no "BM" signature, an unknown header, more than one plane). */
#define SAVEJPG_E_BMP_FORMAT 3
/**
 * A BMP file of a kind this library does not read. Read are uncompressed (BI_RGB)
 * 24-bit and 32-bit pictures and 32-bit BI_BITFIELDS pictures with the masks
 * red 0x00FF0000, green 0x0000FF00, blue 0x000000FF, stored bottom-up or top-down,
 * at most 65500 pixels wide and high (the largest picture the JPEG encoder writes).
 */
#define SAVEJPG_E_BMP_UNSUPPORTED 4
/**
 * The BMP file is shorter than its headers and pixel rows say: truncated or damaged,
 * also when another process cuts it short while it is being read.
 */
#define SAVEJPG_E_BMP_TRUNCATED 5
/**
 * The JPEG file cannot be written: its folder does not exist or is read-only,
 * the disk is full, the name is too long, or the target is a folder.
 */
#define SAVEJPG_E_JPEG_WRITE 6
/** The JPEG encoder failed. */
#define SAVEJPG_E_ENCODE 7
/** Out of memory. */
#define SAVEJPG_E_MEMORY 8
/** @} */

/**
 * @brief Converts a BMP file into a JPEG file.
 *
 * The JPEG is written to a temporary file in the folder of @p jpgPath and then
 * renamed over @p jpgPath, so the target is either the complete new picture or
 * left untouched. An existing file at @p jpgPath is replaced on success.
 * The BMP file is only read, never mapped, so another process changing it meanwhile
 * gives a result code, never a signal. The function may be called from several
 * threads at once; each thread keeps its own encoder and buffers between calls.
 *
 * @param bmpPath  the BMP file to read (file-system encoding, normally UTF-8)
 * @param jpgPath  the JPEG file to write (file-system encoding, normally UTF-8)
 * @param quality  JPEG quality 1..100
 * @param options  -1 for the defaults: full-resolution (4:4:4) colour; other values are reserved
 * @return SAVEJPG_OK (0) on success, otherwise one of the @ref savejpg_codes
 */
SAVEJPG_API int SavetoJPEG(const char *bmpPath, const char *jpgPath, unsigned char quality,
                           int32_t options);

#ifdef __cplusplus
}
#endif

#endif
