// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "PipeWireSource.h"

#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <mutex>

namespace testsupport
{
namespace
{

// Byte order of a pixel: R, G, B, A (the picture's alpha), X (0xff, as screens give).
struct Layout {
    std::uint32_t format;
    const char *name;
    const char *bytes;
};

const Layout layouts[] = {
    {SPA_VIDEO_FORMAT_BGRx, "BGRx", "BGRX"},
    {SPA_VIDEO_FORMAT_BGRA, "BGRA", "BGRA"},
    {SPA_VIDEO_FORMAT_RGBx, "RGBx", "RGBX"},
    {SPA_VIDEO_FORMAT_RGBA, "RGBA", "RGBA"},
    {SPA_VIDEO_FORMAT_RGB, "RGB", "RGB"},
    {SPA_VIDEO_FORMAT_BGR, "BGR", "BGR"},
    {SPA_VIDEO_FORMAT_xRGB, "xRGB", "XRGB"},
    {SPA_VIDEO_FORMAT_ARGB, "ARGB", "ARGB"},
    // Only ever offered to be refused: no frames are made in them.
    {SPA_VIDEO_FORMAT_NV12, "NV12", ""},
    {SPA_VIDEO_FORMAT_YUY2, "YUY2", ""},
};

const Layout *layoutOf(std::uint32_t format)
{
    for (const Layout &l : layouts) {
        if (l.format == format)
            return &l;
    }
    return nullptr;
}

// The picture in a format, rows `stride` bytes apart; padding bytes are junk
// so that a reader ignoring the stride shows it.
std::vector<std::uint8_t> frameBytes(const QImage &picture, const char *order, int stride)
{
    std::vector<std::uint8_t> out(std::size_t(stride) * picture.height(), 0xa5);
    const int bpp = int(std::strlen(order));
    for (int y = 0; y < picture.height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        std::uint8_t *dst = out.data() + std::size_t(stride) * y;
        for (int x = 0; x < picture.width(); ++x) {
            for (int i = 0; i < bpp; ++i) {
                switch (order[i]) {
                case 'R':
                    *dst++ = std::uint8_t(qRed(src[x]));
                    break;
                case 'G':
                    *dst++ = std::uint8_t(qGreen(src[x]));
                    break;
                case 'B':
                    *dst++ = std::uint8_t(qBlue(src[x]));
                    break;
                case 'A':
                    *dst++ = std::uint8_t(qAlpha(src[x]));
                    break;
                default:
                    *dst++ = 0xff;
                    break;
                }
            }
        }
    }
    return out;
}

void addIdProp(spa_pod_builder *b, std::uint32_t key, std::uint32_t id)
{
    spa_pod_builder_prop(b, key, 0);
    spa_pod_builder_id(b, id);
}

void addIntProp(spa_pod_builder *b, std::uint32_t key, std::int32_t value)
{
    spa_pod_builder_prop(b, key, 0);
    spa_pod_builder_int(b, value);
}

// The builder's macros are compound literals, which C++ has not: pods are
// built call by call.
const spa_pod *enumFormat(spa_pod_builder *b, std::uint32_t format, const QSize &size)
{
    spa_pod_frame object, choice;
    spa_pod_builder_push_object(b, &object, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat);
    addIdProp(b, SPA_FORMAT_mediaType, SPA_MEDIA_TYPE_video);
    addIdProp(b, SPA_FORMAT_mediaSubtype, SPA_MEDIA_SUBTYPE_raw);
    addIdProp(b, SPA_FORMAT_VIDEO_format, format);
    spa_pod_builder_prop(b, SPA_FORMAT_VIDEO_size, 0);
    spa_pod_builder_rectangle(b, std::uint32_t(size.width()), std::uint32_t(size.height()));
    // Frames come when the screen changes: a variable rate, at most 30.
    spa_pod_builder_prop(b, SPA_FORMAT_VIDEO_framerate, 0);
    spa_pod_builder_fraction(b, 0, 1);
    spa_pod_builder_prop(b, SPA_FORMAT_VIDEO_maxFramerate, 0);
    spa_pod_builder_push_choice(b, &choice, SPA_CHOICE_Range, 0);
    spa_pod_builder_fraction(b, 30, 1);
    spa_pod_builder_fraction(b, 1, 1);
    spa_pod_builder_fraction(b, 30, 1);
    spa_pod_builder_pop(b, &choice);
    return static_cast<const spa_pod *>(spa_pod_builder_pop(b, &object));
}

const spa_pod *buffersParam(spa_pod_builder *b, int stride, int height)
{
    spa_pod_frame object, choice;
    spa_pod_builder_push_object(b, &object, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers);
    spa_pod_builder_prop(b, SPA_PARAM_BUFFERS_buffers, 0);
    spa_pod_builder_push_choice(b, &choice, SPA_CHOICE_Range, 0);
    spa_pod_builder_int(b, 4);
    spa_pod_builder_int(b, 2);
    spa_pod_builder_int(b, 8);
    spa_pod_builder_pop(b, &choice);
    addIntProp(b, SPA_PARAM_BUFFERS_blocks, 1);
    addIntProp(b, SPA_PARAM_BUFFERS_size, stride * height);
    addIntProp(b, SPA_PARAM_BUFFERS_stride, stride);
    spa_pod_builder_prop(b, SPA_PARAM_BUFFERS_dataType, 0);
    spa_pod_builder_push_choice(b, &choice, SPA_CHOICE_Flags, 0);
    spa_pod_builder_int(b, (1 << SPA_DATA_MemFd) | (1 << SPA_DATA_MemPtr));
    spa_pod_builder_pop(b, &choice);
    return static_cast<const spa_pod *>(spa_pod_builder_pop(b, &object));
}

const spa_pod *headerMetaParam(spa_pod_builder *b)
{
    spa_pod_frame object;
    spa_pod_builder_push_object(b, &object, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta);
    addIdProp(b, SPA_PARAM_META_type, SPA_META_Header);
    addIntProp(b, SPA_PARAM_META_size, int(sizeof(spa_meta_header)));
    return static_cast<const spa_pod *>(spa_pod_builder_pop(b, &object));
}

// The loop's timer and destroy calls are macros of GNU statement expressions;
// the interface's methods are called directly instead.
const spa_loop_utils_methods &loopUtils(pw_loop *loop)
{
    return *static_cast<const spa_loop_utils_methods *>(loop->utils->iface.cb.funcs);
}

void *loopUtilsObject(pw_loop *loop)
{
    return loop->utils->iface.cb.data;
}

} // namespace

struct PipeWireSource::Private {
    QImage picture;
    std::vector<std::uint32_t> formats;
    bool silent;
    int padding;

    pw_thread_loop *loop = nullptr;
    pw_context *context = nullptr;
    pw_core *core = nullptr;
    pw_stream *stream = nullptr;
    spa_hook listener{};
    spa_source *timer = nullptr;

    // Touched on the loop thread, or under its lock.
    std::uint32_t nodeId = SPA_ID_INVALID;
    QString error;
    QString format;
    std::vector<std::uint8_t> frame;
    int stride = 0;
    bool streaming = false;
    std::uint64_t sequence = 0;

    void stateChanged(pw_stream_state state, const char *why)
    {
        streaming = state == PW_STREAM_STATE_STREAMING;
        if (state == PW_STREAM_STATE_ERROR)
            error = QStringLiteral("stream error: %1").arg(QString::fromUtf8(why ? why : "?"));
        if (state == PW_STREAM_STATE_PAUSED || state == PW_STREAM_STATE_STREAMING)
            nodeId = pw_stream_get_node_id(stream);
        pw_thread_loop_signal(loop, false);
    }

    // A consumer leaving clears the format; its name stays for the test to see.
    void formatChanged(const spa_pod *param)
    {
        frame.clear();
        spa_video_info_raw info{};
        if (!param || spa_format_video_raw_parse(param, &info) < 0)
            return;
        const Layout *layout = layoutOf(info.format);
        if (!layout)
            return;
        format = QString::fromLatin1(layout->name);
        const int bpp = int(std::strlen(layout->bytes));
        stride = std::max(1, picture.width() * bpp + padding);
        if (bpp > 0)
            frame = frameBytes(picture, layout->bytes, stride);

        std::uint8_t storage[1024];
        spa_pod_builder b{};
        spa_pod_builder_init(&b, storage, sizeof storage);
        const spa_pod *params[] = {buffersParam(&b, stride, picture.height()), headerMetaParam(&b)};
        pw_stream_update_params(stream, params, 2);
    }

    void process()
    {
        if (silent || frame.empty())
            return;
        pw_buffer *pwb = pw_stream_dequeue_buffer(stream);
        if (!pwb)
            return;
        spa_buffer *buf = pwb->buffer;
        spa_data &data = buf->datas[0];
        const bool fits = data.data && data.maxsize >= frame.size();
        if (fits)
            std::memcpy(data.data, frame.data(), frame.size());
        data.chunk->offset = 0;
        data.chunk->size = fits ? std::uint32_t(frame.size()) : 0;
        data.chunk->stride = stride;
        data.chunk->flags = fits ? 0 : SPA_CHUNK_FLAG_CORRUPTED;
        auto *header = static_cast<spa_meta_header *>(
            spa_buffer_find_meta_data(buf, SPA_META_Header, sizeof(spa_meta_header)));
        if (header) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            header->flags = 0;
            header->offset = 0;
            header->pts = std::int64_t(now.tv_sec) * SPA_NSEC_PER_SEC + now.tv_nsec;
            header->dts_offset = 0;
            header->seq = sequence++;
        }
        pw_stream_queue_buffer(stream, pwb);
    }
};

namespace
{

void onStateChanged(void *data, pw_stream_state, pw_stream_state state, const char *error)
{
    static_cast<PipeWireSource::Private *>(data)->stateChanged(state, error);
}

void onParamChanged(void *data, std::uint32_t id, const spa_pod *param)
{
    if (id == SPA_PARAM_Format)
        static_cast<PipeWireSource::Private *>(data)->formatChanged(param);
}

void onProcess(void *data)
{
    static_cast<PipeWireSource::Private *>(data)->process();
}

// A driver runs the graph itself: each tick starts a cycle, and so a frame.
void onTimer(void *data, std::uint64_t)
{
    auto *d = static_cast<PipeWireSource::Private *>(data);
    if (d->streaming)
        pw_stream_trigger_process(d->stream);
}

pw_stream_events streamEvents()
{
    pw_stream_events events{};
    events.version = PW_VERSION_STREAM_EVENTS;
    events.state_changed = onStateChanged;
    events.param_changed = onParamChanged;
    events.process = onProcess;
    return events;
}

const pw_stream_events events = streamEvents();

} // namespace

PipeWireSource::PipeWireSource(const QImage &picture, std::vector<std::uint32_t> formats,
                               bool silent, int padding)
    : d(std::make_unique<Private>())
{
    d->picture = picture.convertToFormat(QImage::Format_ARGB32);
    d->formats = std::move(formats);
    d->silent = silent;
    d->padding = padding;
}

PipeWireSource::~PipeWireSource()
{
    if (!d->loop)
        return;
    pw_thread_loop_lock(d->loop);
    if (d->timer) {
        pw_loop *loop = pw_thread_loop_get_loop(d->loop);
        loopUtils(loop).destroy_source(loopUtilsObject(loop), d->timer);
    }
    if (d->stream)
        pw_stream_destroy(d->stream);
    if (d->core)
        pw_core_disconnect(d->core);
    if (d->context)
        pw_context_destroy(d->context);
    pw_thread_loop_unlock(d->loop);
    pw_thread_loop_stop(d->loop);
    pw_thread_loop_destroy(d->loop);
}

QString PipeWireSource::start()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { pw_init(nullptr, nullptr); });

    d->loop = pw_thread_loop_new("test-source", nullptr);
    if (!d->loop || pw_thread_loop_start(d->loop) < 0)
        return QStringLiteral("no PipeWire loop thread");
    pw_thread_loop_lock(d->loop);
    pw_loop *loop = pw_thread_loop_get_loop(d->loop);
    QString why = [&]() -> QString {
        d->context = pw_context_new(loop, nullptr, 0);
        if (!d->context)
            return QStringLiteral("no PipeWire context: %1")
                .arg(QString::fromLocal8Bit(strerror(errno)));
        d->core = pw_context_connect(d->context, nullptr, 0);
        if (!d->core)
            return QStringLiteral("cannot connect to PipeWire: %1")
                .arg(QString::fromLocal8Bit(strerror(errno)));
        d->stream =
            pw_stream_new(d->core, "snapsentry-test-source",
                          pw_properties_new(PW_KEY_MEDIA_CLASS, "Video/Source", PW_KEY_MEDIA_TYPE,
                                            "Video", PW_KEY_MEDIA_ROLE, "Screen", nullptr));
        if (!d->stream)
            return QStringLiteral("no PipeWire stream");
        pw_stream_add_listener(d->stream, &d->listener, &events, d.get());

        std::vector<std::uint8_t> storage(1024 + 256 * d->formats.size());
        spa_pod_builder b{};
        spa_pod_builder_init(&b, storage.data(), std::uint32_t(storage.size()));
        std::vector<const spa_pod *> params;
        for (std::uint32_t format : d->formats)
            params.push_back(enumFormat(&b, format, d->picture.size()));
        const auto flags = pw_stream_flags(PW_STREAM_FLAG_DRIVER | PW_STREAM_FLAG_MAP_BUFFERS);
        if (pw_stream_connect(d->stream, PW_DIRECTION_OUTPUT, PW_ID_ANY, flags, params.data(),
                              std::uint32_t(params.size())) < 0)
            return QStringLiteral("cannot connect the stream");

        d->timer = loopUtils(loop).add_timer(loopUtilsObject(loop), onTimer, d.get());
        const timespec first{0, 1}, every{0, SPA_NSEC_PER_SEC / 30};
        loopUtils(loop).update_timer(loopUtilsObject(loop), d->timer,
                                     const_cast<timespec *>(&first), const_cast<timespec *>(&every),
                                     false);

        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (d->nodeId == SPA_ID_INVALID && d->error.isEmpty()) {
            if (std::chrono::steady_clock::now() >= deadline)
                return QStringLiteral("the node got no id within 5 s");
            pw_thread_loop_timed_wait(d->loop, 1);
        }
        return d->error;
    }();
    pw_thread_loop_unlock(d->loop);
    return why;
}

std::uint32_t PipeWireSource::nodeId() const
{
    if (!d->loop)
        return SPA_ID_INVALID;
    pw_thread_loop_lock(d->loop);
    const std::uint32_t id = d->nodeId;
    pw_thread_loop_unlock(d->loop);
    return id;
}

QString PipeWireSource::lastFormat() const
{
    if (!d->loop)
        return {};
    pw_thread_loop_lock(d->loop);
    const QString name = d->format;
    pw_thread_loop_unlock(d->loop);
    return name;
}

} // namespace testsupport
