// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "platform/grab/screencast/VideoParams.h"

#include <spa/buffer/buffer.h>
#include <spa/param/buffers.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

const struct spa_pod *snapsentry_video_formats(struct spa_pod_builder *builder)
{
    const struct spa_rectangle size = SPA_RECTANGLE(1920, 1080);
    const struct spa_rectangle smallest = SPA_RECTANGLE(1, 1);
    const struct spa_rectangle largest = SPA_RECTANGLE(16384, 16384);
    const struct spa_fraction rate = SPA_FRACTION(0, 1);
    const struct spa_fraction slowest = SPA_FRACTION(0, 1);
    const struct spa_fraction fastest = SPA_FRACTION(1000, 1);
    return spa_pod_builder_add_object(
        builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
        SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
        SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
        SPA_POD_CHOICE_ENUM_Id(7, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx,
                               SPA_VIDEO_FORMAT_BGRA, SPA_VIDEO_FORMAT_RGBx, SPA_VIDEO_FORMAT_RGBA,
                               SPA_VIDEO_FORMAT_RGB, SPA_VIDEO_FORMAT_BGR),
        SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&size, &smallest, &largest),
        SPA_FORMAT_VIDEO_framerate, SPA_POD_CHOICE_RANGE_Fraction(&rate, &slowest, &fastest));
}

const struct spa_pod *snapsentry_video_buffers(struct spa_pod_builder *builder)
{
    return spa_pod_builder_add_object(
        builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_dataType,
        SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemFd) | (1 << SPA_DATA_MemPtr)));
}

int snapsentry_video_parse(const struct spa_pod *format, uint32_t *videoFormat, uint32_t *width,
                           uint32_t *height)
{
    uint32_t mediaType = 0, mediaSubtype = 0;
    struct spa_video_info_raw info;
    if (!format || spa_format_parse(format, &mediaType, &mediaSubtype) < 0 ||
        mediaType != SPA_MEDIA_TYPE_video || mediaSubtype != SPA_MEDIA_SUBTYPE_raw)
        return -1;
    spa_zero(info);
    if (spa_format_video_raw_parse(format, &info) < 0)
        return -1;
    *videoFormat = info.format;
    *width = info.size.width;
    *height = info.size.height;
    return 0;
}
