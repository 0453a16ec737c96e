// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/wayland/WlrScreenGrab.h"
#include "platform/grab/OutputLayout.h"
#include "platform/grab/wayland/WaylandSession.h"

#include "wlr-screencopy-unstable-v1-client-protocol.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace platform
{

namespace
{

QString failure(const QString &why)
{
    return QStringLiteral("画面を取り込めません (wlr-screencopy): ") + why;
}

QImage::Format imageFormat(std::uint32_t shmFormat)
{
    switch (shmFormat) {
    case WL_SHM_FORMAT_XRGB8888:
    case WL_SHM_FORMAT_ARGB8888:
        return QImage::Format_RGB32;
    case WL_SHM_FORMAT_XBGR8888:
    case WL_SHM_FORMAT_ABGR8888:
        return QImage::Format_RGBX8888;
    case WL_SHM_FORMAT_XRGB2101010:
    case WL_SHM_FORMAT_ARGB2101010:
        return QImage::Format_RGB30;
    case WL_SHM_FORMAT_XBGR2101010:
    case WL_SHM_FORMAT_ABGR2101010:
        return QImage::Format_BGR30;
    case WL_SHM_FORMAT_RGB565:
        return QImage::Format_RGB16;
    default:
        return QImage::Format_Invalid;
    }
}

// One output's copy: the frame, its shared-memory buffer and how it ended.
struct Frame {
    WaylandOutput *output = nullptr;
    zwlr_screencopy_frame_v1 *frame = nullptr;
    wl_buffer *buffer = nullptr;
    void *pixels = MAP_FAILED;
    std::size_t size = 0;
    QImage::Format format = QImage::Format_Invalid;
    int width = 0, height = 0, stride = 0;
    std::uint32_t shmFormat = 0;
    bool yInverted = false, described = false, ready = false, failed = false;
    bool legacy = false; // version 1-2: no buffer_done, copy on the buffer event
    wl_shm *shm = nullptr;

    ~Frame()
    {
        if (buffer)
            wl_buffer_destroy(buffer);
        if (pixels != MAP_FAILED)
            munmap(pixels, size);
        if (frame)
            zwlr_screencopy_frame_v1_destroy(frame);
    }
    bool finished() const { return ready || failed; }
    void copy();
};

void Frame::copy()
{
    if (format == QImage::Format_Invalid || width <= 0 || height <= 0) {
        failed = true;
        return;
    }
    size = std::size_t(stride) * std::size_t(height);
    const int fd = memfd_create("snapsentry-screencopy", MFD_CLOEXEC);
    if (fd >= 0 && ftruncate(fd, off_t(size)) == 0)
        pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        if (fd >= 0)
            close(fd);
        failed = true;
        return;
    }
    wl_shm_pool *pool = wl_shm_create_pool(shm, fd, int(size));
    buffer = wl_shm_pool_create_buffer(pool, 0, width, height, stride, shmFormat);
    wl_shm_pool_destroy(pool);
    close(fd);
    zwlr_screencopy_frame_v1_copy(frame, buffer);
}

void onBuffer(void *data, zwlr_screencopy_frame_v1 *, std::uint32_t format, std::uint32_t width,
              std::uint32_t height, std::uint32_t stride)
{
    auto *f = static_cast<Frame *>(data);
    // Several shared-memory formats may be offered: take the first we can read.
    if (!f->described && imageFormat(format) != QImage::Format_Invalid) {
        f->described = true;
        f->format = imageFormat(format);
        f->shmFormat = format;
        f->width = int(width);
        f->height = int(height);
        f->stride = int(stride);
    }
    if (f->legacy)
        f->copy();
}

void onFlags(void *data, zwlr_screencopy_frame_v1 *, std::uint32_t flags)
{
    static_cast<Frame *>(data)->yInverted = flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT;
}

void onReady(void *data, zwlr_screencopy_frame_v1 *, std::uint32_t, std::uint32_t, std::uint32_t)
{
    static_cast<Frame *>(data)->ready = true;
}

void onFailed(void *data, zwlr_screencopy_frame_v1 *)
{
    static_cast<Frame *>(data)->failed = true;
}

void onDamage(void *, zwlr_screencopy_frame_v1 *, std::uint32_t, std::uint32_t, std::uint32_t,
              std::uint32_t)
{
}

void onDmabuf(void *, zwlr_screencopy_frame_v1 *, std::uint32_t, std::uint32_t, std::uint32_t) {}

void onBufferDone(void *data, zwlr_screencopy_frame_v1 *)
{
    static_cast<Frame *>(data)->copy();
}

const zwlr_screencopy_frame_v1_listener frameListener = {onBuffer, onFlags,  onReady,     onFailed,
                                                         onDamage, onDmabuf, onBufferDone};

} // namespace

QString WlrScreenGrab::grabNow(const QString &bmpPath)
{
    WaylandSession session;
    if (const QString error = session.open(); !error.isEmpty())
        return failure(error);
    if (!session.screencopy() || !session.shm())
        return failure(QStringLiteral("このコンポジタには画面取り込みのインターフェース "
                                      "(zwlr_screencopy_manager_v1) がありません"));
    if (session.outputs().empty())
        return failure(QStringLiteral("画面 (出力) がひとつもありません"));

    std::vector<std::unique_ptr<Frame>> frames;
    for (auto &o : session.outputs()) {
        auto f = std::make_unique<Frame>();
        f->output = o.get();
        f->shm = session.shm();
        f->legacy = zwlr_screencopy_manager_v1_get_version(session.screencopy()) < 3;
        // Without the pointer, as a print-screen key gives it.
        f->frame = zwlr_screencopy_manager_v1_capture_output(session.screencopy(), 0, o->output);
        zwlr_screencopy_frame_v1_add_listener(f->frame, &frameListener, f.get());
        frames.push_back(std::move(f));
    }
    const bool answered = session.waitUntil(
        [&frames] {
            return std::all_of(frames.begin(), frames.end(), [](auto &f) { return f->finished(); });
        },
        10000);
    if (!answered)
        return failure(QStringLiteral("コンポジタが画面を渡しません (応答がありません)"));

    std::vector<OutputPicture> pictures;
    for (const auto &f : frames) {
        const WaylandOutput &o = *f->output;
        if (!f->described && !o.gone)
            return failure(QStringLiteral("画面 %1 の画素の形式に対応していません").arg(o.name));
        if (f->failed || o.gone)
            return failure(QStringLiteral("画面 %1 を取り込めません (出力が外されたか、"
                                          "取り込みを拒まれました)")
                               .arg(o.name.isEmpty() ? QString::number(o.globalName) : o.name));
        const QImage buffer(static_cast<const uchar *>(f->pixels), f->width, f->height, f->stride,
                            f->format);
        pictures.push_back({uprightOutputPicture(buffer, o.transform, f->yInverted), o.logical});
    }
    const QString error = storeDesktopAsBmp(pictures, bmp_, bmpPath);
    return error.isEmpty() ? QString() : failure(error);
}

} // namespace platform
