// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/screencast/PipeWireFrames.h"
#include "platform/grab/screencast/FrameImage.h"
#include "platform/grab/screencast/VideoParams.h"

#include <QElapsedTimer>
#include <memory>
#include <mutex>
#include <pipewire/pipewire.h>
#include <spa/param/video/raw.h>
#include <spa/pod/builder.h>
#include <spa/utils/result.h>
#include <unistd.h>

namespace platform
{

namespace
{

bool pixelOrder(std::uint32_t videoFormat, PixelOrder *order)
{
    static const std::pair<std::uint32_t, PixelOrder> orders[] = {
        {SPA_VIDEO_FORMAT_BGRx, PixelOrder::BGRx}, {SPA_VIDEO_FORMAT_BGRA, PixelOrder::BGRA},
        {SPA_VIDEO_FORMAT_RGBx, PixelOrder::RGBx}, {SPA_VIDEO_FORMAT_RGBA, PixelOrder::RGBA},
        {SPA_VIDEO_FORMAT_RGB, PixelOrder::RGB},   {SPA_VIDEO_FORMAT_BGR, PixelOrder::BGR}};
    for (const auto &[format, o] : orders)
        if (format == videoFormat) {
            *order = o;
            return true;
        }
    return false;
}

// One node's stream, until it has handed over a frame.
struct Stream {
    std::uint32_t node = 0;
    pw_stream *stream = nullptr;
    spa_hook listener{};
    FrameLayout layout;
    bool negotiated = false;
    bool started = false;
    QImage frame;
    QString error;

    bool settled() const { return !frame.isNull() || !error.isEmpty(); }
    void take(const spa_buffer *buffer);
};

void Stream::take(const spa_buffer *buffer)
{
    if (!negotiated || buffer->n_datas < 1)
        return;
    const spa_data &d = buffer->datas[0];
    // An empty or damaged chunk carries no picture (a producer may send one
    // when only the pointer moved): wait for the next.
    if (!d.data || !d.chunk || d.chunk->size == 0 || (d.chunk->flags & SPA_CHUNK_FLAG_CORRUPTED))
        return;
    FrameLayout at = layout;
    at.stride = d.chunk->stride != 0 ? d.chunk->stride : layout.width * bytesPerPixel(layout.order);
    at.offset = d.chunk->offset;
    // Only the chunk's bytes hold the picture, and only the mapped ones may be read.
    const std::size_t valid =
        std::min<std::size_t>(d.maxsize, std::size_t(d.chunk->offset) + std::size_t(d.chunk->size));
    if (const QString why =
            copyFrame(static_cast<const unsigned char *>(d.data), valid, at, &frame);
        !why.isEmpty())
        error = why;
}

void onStateChanged(void *data, pw_stream_state, pw_stream_state state, const char *why)
{
    auto *s = static_cast<Stream *>(data);
    if (state == PW_STREAM_STATE_ERROR)
        s->error = QStringLiteral("ストリーム %1 のエラー: %2")
                       .arg(s->node)
                       .arg(QString::fromUtf8(why ? why : ""));
    else if (state == PW_STREAM_STATE_PAUSED || state == PW_STREAM_STATE_STREAMING)
        s->started = true;
    else if (state == PW_STREAM_STATE_UNCONNECTED && s->started && s->frame.isNull())
        s->error = QStringLiteral("ストリーム %1 が閉じられました").arg(s->node);
}

void onParamChanged(void *data, std::uint32_t id, const spa_pod *param)
{
    auto *s = static_cast<Stream *>(data);
    if (id != SPA_PARAM_Format || !param)
        return;
    std::uint32_t format = 0, width = 0, height = 0;
    if (snapsentry_video_parse(param, &format, &width, &height) != 0 ||
        !pixelOrder(format, &s->layout.order)) {
        s->error = QStringLiteral("ストリーム %1 の画素の形式 (%2) に対応していません")
                       .arg(s->node)
                       .arg(format);
        return;
    }
    s->layout.width = int(std::min<std::uint32_t>(width, 1u << 30));
    s->layout.height = int(std::min<std::uint32_t>(height, 1u << 30));
    s->negotiated = true;
    unsigned char bytes[256];
    spa_pod_builder builder;
    spa_pod_builder_init(&builder, bytes, sizeof bytes);
    const spa_pod *params[] = {snapsentry_video_buffers(&builder)};
    pw_stream_update_params(s->stream, params, 1);
}

void onProcess(void *data)
{
    auto *s = static_cast<Stream *>(data);
    // Only the newest buffer counts; the others go back at once.
    pw_buffer *newest = nullptr;
    while (pw_buffer *b = pw_stream_dequeue_buffer(s->stream)) {
        if (newest)
            pw_stream_queue_buffer(s->stream, newest);
        newest = b;
    }
    if (!newest)
        return;
    if (!s->settled())
        s->take(newest->buffer);
    pw_stream_queue_buffer(s->stream, newest);
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

const pw_stream_events StreamEvents = streamEvents();

void onCoreError(void *data, std::uint32_t id, int, int res, const char *message)
{
    if (id == PW_ID_CORE)
        *static_cast<QString *>(data) =
            QStringLiteral("PipeWire との接続が切れました (%1)")
                .arg(QString::fromUtf8(message ? message : spa_strerror(res)));
}

pw_core_events coreEvents()
{
    pw_core_events events{};
    events.version = PW_VERSION_CORE_EVENTS;
    events.error = onCoreError;
    return events;
}

const pw_core_events CoreEvents = coreEvents();

// Everything of one grab, torn down in the reverse order of its making.
struct Connection {
    pw_loop *loop = nullptr;
    pw_context *context = nullptr;
    pw_core *core = nullptr;
    spa_hook coreListener{};
    QString coreError;
    std::vector<std::unique_ptr<Stream>> streams;

    ~Connection()
    {
        for (auto &s : streams)
            if (s->stream)
                pw_stream_destroy(s->stream);
        if (core)
            pw_core_disconnect(core);
        if (context)
            pw_context_destroy(context);
        if (loop)
            pw_loop_destroy(loop);
    }
};

QString connectStream(Connection &c, Stream &s)
{
    s.stream = pw_stream_new(c.core, "Snapsentry",
                             pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY,
                                               "Capture", PW_KEY_MEDIA_ROLE, "Screen", nullptr));
    if (!s.stream)
        return QStringLiteral("PipeWire のストリームを作れません");
    pw_stream_add_listener(s.stream, &s.listener, &StreamEvents, &s);
    unsigned char bytes[1024];
    spa_pod_builder builder;
    spa_pod_builder_init(&builder, bytes, sizeof bytes);
    const spa_pod *params[] = {snapsentry_video_formats(&builder)};
    const auto flags = pw_stream_flags(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS);
    if (pw_stream_connect(s.stream, PW_DIRECTION_INPUT, s.node, flags, params, 1) < 0)
        return QStringLiteral("PipeWire のストリーム %1 につなげません").arg(s.node);
    return {};
}

QString overdue(const Stream &s, int timeLimitMs)
{
    if (!s.negotiated)
        return QStringLiteral("ストリーム %1 が %2 秒以内に始まりません (読める画素の形式がないか、"
                              "ストリームがありません)")
            .arg(s.node)
            .arg(timeLimitMs / 1000.0);
    return QStringLiteral("ストリーム %1 が %2 秒以内に画面を渡しません")
        .arg(s.node)
        .arg(timeLimitMs / 1000.0);
}

} // namespace

QString takeFrames(int remoteFd, const std::vector<std::uint32_t> &nodes, int timeLimitMs,
                   std::vector<QImage> *frames)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { pw_init(nullptr, nullptr); });

    Connection c;
    c.loop = pw_loop_new(nullptr);
    c.context = c.loop ? pw_context_new(c.loop, nullptr, 0) : nullptr;
    if (!c.context) {
        close(remoteFd);
        return QStringLiteral("PipeWire を使えません");
    }
    // The core owns the descriptor from here on, also when it fails.
    c.core = pw_context_connect_fd(c.context, remoteFd, nullptr, 0);
    if (!c.core)
        return QStringLiteral("PipeWire に接続できません (%1)")
            .arg(QString::fromLocal8Bit(strerror(errno)));
    pw_core_add_listener(c.core, &c.coreListener, &CoreEvents, &c.coreError);
    for (std::uint32_t node : nodes) {
        c.streams.push_back(std::make_unique<Stream>());
        c.streams.back()->node = node;
        if (const QString why = connectStream(c, *c.streams.back()); !why.isEmpty())
            return why;
    }

    QElapsedTimer clock;
    clock.start();
    pw_loop_enter(c.loop);
    QString error;
    for (;;) {
        bool all = true;
        for (const auto &s : c.streams) {
            if (!s->error.isEmpty() && error.isEmpty())
                error = s->error;
            all = all && !s->frame.isNull();
        }
        if (error.isEmpty())
            error = c.coreError;
        const int left = timeLimitMs - int(clock.elapsed());
        if (all || !error.isEmpty() || left <= 0)
            break;
        pw_loop_iterate(c.loop, left);
    }
    pw_loop_leave(c.loop);
    if (error.isEmpty())
        for (const auto &s : c.streams)
            if (s->frame.isNull())
                return overdue(*s, timeLimitMs);
    if (!error.isEmpty())
        return error;
    frames->clear();
    for (const auto &s : c.streams)
        frames->push_back(s->frame);
    return {};
}

} // namespace platform
