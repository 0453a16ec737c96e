// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "SaveJPG.h"
#include "BmpImage.h"
#include "platform/files/AtomicFile.h"

#include <climits>
#include <turbojpeg.h>

namespace
{

// Kept from call to call, one set per calling thread (a TurboJPEG handle serves
// one thread at a time): making the encoder and faulting in fresh buffers for
// every picture cost more than the encoding of a screen shot can spare.
class ThreadState
{
public:
    ThreadState() = default;
    ThreadState(const ThreadState &) = delete;
    ThreadState &operator=(const ThreadState &) = delete;
    ~ThreadState()
    {
        tjFree(jpeg_);
        if (handle_)
            tjDestroy(handle_);
    }

    tjhandle encoder()
    {
        if (!handle_)
            handle_ = tjInitCompress();
        return handle_;
    }
    // After a failed encode the handle is not trusted again.
    void dropEncoder()
    {
        if (handle_)
            tjDestroy(handle_);
        handle_ = nullptr;
    }
    // A buffer that holds the largest JPEG of a width x height picture.
    unsigned char *output(int width, int height, unsigned long *capacity)
    {
        const unsigned long needed = tjBufSize(width, height, TJSAMP_444);
        if (needed > static_cast<unsigned long>(INT_MAX)) // also tjBufSize's -1
            return nullptr;
        if (needed > capacity_) {
            tjFree(jpeg_);
            jpeg_ = tjAlloc(int(needed));
            capacity_ = jpeg_ ? needed : 0;
        }
        *capacity = capacity_;
        return jpeg_;
    }
    savejpg::ReusedBuffer bmp;

private:
    tjhandle handle_ = nullptr;
    unsigned char *jpeg_ = nullptr;
    unsigned long capacity_ = 0;
};

thread_local ThreadState state;

} // namespace

int SavetoJPEG(const char *bmpPath, const char *jpgPath, unsigned char quality, int32_t options)
{
    if (!bmpPath || !*bmpPath || !jpgPath || !*jpgPath || quality < 1 || quality > 100 ||
        options != -1)
        return SAVEJPG_E_ARGUMENT;

    savejpg::BmpImage bmp;
    if (const int rc = bmp.open(bmpPath, state.bmp); rc != SAVEJPG_OK)
        return rc;

    tjhandle encoder = state.encoder();
    unsigned long jpegSize = 0;
    unsigned char *jpeg = state.output(bmp.width(), bmp.height(), &jpegSize);
    if (!encoder || !jpeg)
        return SAVEJPG_E_MEMORY;
    // BMP rows are BGR(X); TurboJPEG reads them in place with the file's pitch.
    const int format = bmp.bytesPerPixel() == 3 ? TJPF_BGR : TJPF_BGRX;
    const int flags = TJFLAG_NOREALLOC | (bmp.bottomUp() ? TJFLAG_BOTTOMUP : 0);
    if (tjCompress2(encoder, bmp.pixels(), bmp.width(), bmp.pitch(), bmp.height(), format, &jpeg,
                    &jpegSize, TJSAMP_444, quality, flags) != 0) {
        state.dropEncoder();
        return SAVEJPG_E_ENCODE;
    }

    if (platform::writeFileAtomically(jpgPath, jpeg, jpegSize) != 0)
        return SAVEJPG_E_JPEG_WRITE;
    return SAVEJPG_OK;
}
