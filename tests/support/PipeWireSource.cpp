// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "PipeWireSource.h"

#include <pipewire/pipewire.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

#include <cstring>
#include <mutex>

namespace testsupport
{

namespace
{

// Pods are built call by call: the builder's macros are compound literals,
// which C++ has not.
void prop(spa_pod_builder *b, std::uint32_t key, std::uint32_t id)
{
    spa_pod_builder_prop(b, key, 0);
    spa_pod_builder_id(b, id);
}

const spa_pod *enumFormat(spa_pod_builder *b, std::uint32_t format, const QSize &size)
{
    spa_pod_frame object;
    spa_pod_builder_push_object(b, &object, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat);
    prop(b, SPA_FORMAT_mediaType, SPA_MEDIA_TYPE_video);
    prop(b, SPA_FORMAT_mediaSubtype, SPA_MEDIA_SUBTYPE_raw);
    prop(b, SPA_FORMAT_VIDEO_format, format);
    spa_pod_builder_prop(b, SPA_FORMAT_VIDEO_size, 0);
    spa_pod_builder_rectangle(b, std::uint32_t(size.width()), std::uint32_t(size.height()));
    spa_pod_builder_prop(b, SPA_FORMAT_VIDEO_framerate, 0);
    spa_pod_builder_fraction(b, 0, 1); // frames when the screen changes, as desktops send them
    return static_cast<const spa_pod *>(spa_pod_builder_pop(b, &object));
}

const spa_pod *buffers(spa_pod_builder *b, int stride, int height)
{
    spa_pod_frame object;
    spa_pod_builder_push_object(b, &object, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers);
    spa_pod_builder_prop(b, SPA_PARAM_BUFFERS_size, 0);
    spa_pod_builder_int(b, stride * height);
    spa_pod_builder_prop(b, SPA_PARAM_BUFFERS_stride, 0);
    spa_pod_builder_int(b, stride);
    spa_pod_builder_prop(b, SPA_PARAM_BUFFERS_dataType, 0);
    spa_pod_builder_int(b, 1 << SPA_DATA_MemFd);
    return static_cast<const spa_pod *>(spa_pod_builder_pop(b, &object));
}

// The loop's timer calls are macros of GNU statement expressions: the
// interface's methods are called directly.
const spa_loop_utils_methods &utils(pw_loop *loop)
{
    return *static_cast<const spa_loop_utils_methods *>(loop->utils->iface.cb.funcs);
}

} // namespace

struct PipeWireSource::Private {
    QImage picture;
    std::vector<std::uint32_t> formats;
    bool silent = false;
    int padding = 0;
    pw_thread_loop *thread = nullptr;
    pw_context *context = nullptr;
    pw_core *core = nullptr;
    pw_stream *stream = nullptr;
    spa_hook listener{};
    spa_source *timer = nullptr;
    // On the loop thread, or under its lock.
    std::uint32_t node = SPA_ID_INVALID;
    QString error;
    QByteArray frame;
    int stride = 0;
    bool streaming = false;

    pw_loop *loop() const { return pw_thread_loop_get_loop(thread); }
};

namespace
{

using Private = PipeWireSource::Private;

void onState(void *data, pw_stream_state, pw_stream_state state, const char *why)
{
    auto *d = static_cast<Private *>(data);
    d->streaming = state == PW_STREAM_STATE_STREAMING;
    if (state == PW_STREAM_STATE_ERROR)
        d->error = QString::fromUtf8(why ? why : "stream error");
    if (state == PW_STREAM_STATE_PAUSED || d->streaming)
        d->node = pw_stream_get_node_id(d->stream);
    pw_thread_loop_signal(d->thread, false);
}

// The picture's rows in the agreed format, padding bytes junk.
void onParam(void *data, std::uint32_t id, const spa_pod *param)
{
    auto *d = static_cast<Private *>(data);
    spa_video_info_raw info{};
    if (id != SPA_PARAM_Format || !param || spa_format_video_raw_parse(param, &info) < 0)
        return;
    const QImage rows = d->picture.convertToFormat(
        info.format == SPA_VIDEO_FORMAT_RGB ? QImage::Format_RGB888 : QImage::Format_RGB32);
    const int bytes = rows.width() * rows.depth() / 8;
    d->stride = bytes + d->padding;
    d->frame = QByteArray(d->stride * rows.height(), '\xa5');
    for (int y = 0; y < rows.height(); ++y)
        std::memcpy(d->frame.data() + d->stride * y, rows.constScanLine(y), std::size_t(bytes));
    unsigned char storage[256];
    spa_pod_builder b{};
    spa_pod_builder_init(&b, storage, sizeof storage);
    const spa_pod *params[] = {buffers(&b, d->stride, rows.height())};
    pw_stream_update_params(d->stream, params, 1);
}

void onProcess(void *data)
{
    auto *d = static_cast<Private *>(data);
    pw_buffer *b = d->silent ? nullptr : pw_stream_dequeue_buffer(d->stream);
    if (!b)
        return;
    spa_data &out = b->buffer->datas[0];
    const bool fits = out.data && out.maxsize >= std::uint32_t(d->frame.size());
    if (fits)
        std::memcpy(out.data, d->frame.constData(), std::size_t(d->frame.size()));
    *out.chunk = {0, fits ? std::uint32_t(d->frame.size()) : 0, d->stride, 0};
    pw_stream_queue_buffer(d->stream, b);
}

// A driver runs the graph itself: each tick makes a cycle, and so a frame.
void onTimer(void *data, std::uint64_t)
{
    auto *d = static_cast<Private *>(data);
    if (d->streaming)
        pw_stream_trigger_process(d->stream);
}

pw_stream_events streamEvents()
{
    pw_stream_events events{};
    events.version = PW_VERSION_STREAM_EVENTS;
    events.state_changed = onState;
    events.param_changed = onParam;
    events.process = onProcess;
    return events;
}

const pw_stream_events Events = streamEvents();

} // namespace

PipeWireSource::PipeWireSource(const QImage &picture, std::vector<std::uint32_t> formats,
                               bool silent, int padding)
    : d(std::make_unique<Private>())
{
    d->picture = picture;
    d->formats = std::move(formats);
    d->silent = silent;
    d->padding = padding;
}

PipeWireSource::~PipeWireSource()
{
    if (!d->thread)
        return;
    pw_thread_loop_lock(d->thread);
    if (d->timer)
        utils(d->loop()).destroy_source(d->loop()->utils->iface.cb.data, d->timer);
    if (d->stream)
        pw_stream_destroy(d->stream);
    if (d->core)
        pw_core_disconnect(d->core);
    if (d->context)
        pw_context_destroy(d->context);
    pw_thread_loop_unlock(d->thread);
    pw_thread_loop_stop(d->thread);
    pw_thread_loop_destroy(d->thread);
}

QString PipeWireSource::start()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { pw_init(nullptr, nullptr); });
    d->thread = pw_thread_loop_new("test-source", nullptr);
    if (!d->thread || pw_thread_loop_start(d->thread) < 0)
        return QStringLiteral("no PipeWire loop thread");
    pw_thread_loop_lock(d->thread);
    d->context = pw_context_new(d->loop(), nullptr, 0);
    d->core = d->context ? pw_context_connect(d->context, nullptr, 0) : nullptr;
    d->stream = d->core
                    ? pw_stream_new(d->core, "snapsentry-test-source",
                                    pw_properties_new(PW_KEY_MEDIA_CLASS, "Video/Source", nullptr))
                    : nullptr;
    if (!d->stream) {
        pw_thread_loop_unlock(d->thread);
        return QStringLiteral("cannot connect to PipeWire");
    }
    pw_stream_add_listener(d->stream, &d->listener, &Events, d.get());
    unsigned char storage[1024];
    spa_pod_builder b{};
    spa_pod_builder_init(&b, storage, sizeof storage);
    std::vector<const spa_pod *> params;
    for (std::uint32_t format : d->formats)
        params.push_back(enumFormat(&b, format, d->picture.size()));
    pw_stream_connect(d->stream, PW_DIRECTION_OUTPUT, PW_ID_ANY,
                      pw_stream_flags(PW_STREAM_FLAG_DRIVER | PW_STREAM_FLAG_MAP_BUFFERS),
                      params.data(), std::uint32_t(params.size()));
    d->timer = utils(d->loop()).add_timer(d->loop()->utils->iface.cb.data, onTimer, d.get());
    timespec first{0, 1}, every{0, SPA_NSEC_PER_SEC / 30};
    utils(d->loop()).update_timer(d->loop()->utils->iface.cb.data, d->timer, &first, &every, false);
    for (int i = 0; i < 5 && d->node == SPA_ID_INVALID && d->error.isEmpty(); ++i)
        pw_thread_loop_timed_wait(d->thread, 1); // woken by state changes, or a second
    const QString why = d->node == SPA_ID_INVALID && d->error.isEmpty()
                            ? QStringLiteral("the node got no id within 5 s")
                            : d->error;
    pw_thread_loop_unlock(d->thread);
    return why;
}

std::uint32_t PipeWireSource::nodeId() const
{
    pw_thread_loop_lock(d->thread);
    const std::uint32_t id = d->node;
    pw_thread_loop_unlock(d->thread);
    return id;
}

} // namespace testsupport
