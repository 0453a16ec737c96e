// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "SaveJPG.h"
#include "BmpImage.h"
#include "platform/AtomicFile.h"

#include <turbojpeg.h>

namespace
{

// Frees the encoder and its output buffer on every path.
struct Encoder {
    tjhandle handle = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long jpegSize = 0;
    ~Encoder()
    {
        tjFree(jpeg);
        if (handle)
            tjDestroy(handle);
    }
};

} // namespace

int SavetoJPEG(const char *bmpPath, const char *jpgPath, unsigned char quality, int32_t options)
{
    if (!bmpPath || !*bmpPath || !jpgPath || !*jpgPath || quality < 1 || quality > 100 ||
        options != -1)
        return SAVEJPG_E_ARGUMENT;

    savejpg::BmpImage bmp;
    if (const int rc = bmp.open(bmpPath); rc != SAVEJPG_OK)
        return rc;

    Encoder enc;
    if (!enc.handle)
        return SAVEJPG_E_MEMORY;
    // BMP rows are BGR(X); TurboJPEG reads them in place with the file's pitch.
    const int format = bmp.bytesPerPixel() == 3 ? TJPF_BGR : TJPF_BGRX;
    const int flags = bmp.bottomUp() ? TJFLAG_BOTTOMUP : 0;
    if (tjCompress2(enc.handle, bmp.pixels(), bmp.width(), bmp.pitch(), bmp.height(), format,
                    &enc.jpeg, &enc.jpegSize, TJSAMP_444, quality, flags) != 0)
        return SAVEJPG_E_ENCODE;

    if (platform::writeFileAtomically(jpgPath, enc.jpeg, enc.jpegSize) != 0)
        return SAVEJPG_E_JPEG_WRITE;
    return SAVEJPG_OK;
}
