// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

// The stream parameters in SPA's object form. SPA builds them with C macros
// (compound literals) that C++ does not accept, so they live in C.
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

struct spa_pod;
struct spa_pod_builder;

// The raw video formats the program reads (8-bit RGB and BGR, with or without
// a fourth byte), any size and frame rate, in shared memory.
const struct spa_pod *snapsentry_video_formats(struct spa_pod_builder *builder);
// Buffers the program can map: MemFd or MemPtr, not DMA-BUF.
const struct spa_pod *snapsentry_video_buffers(struct spa_pod_builder *builder);
// Reads a negotiated format: 0 and the SPA video format and size, or -1.
int snapsentry_video_parse(const struct spa_pod *format, uint32_t *videoFormat, uint32_t *width,
                           uint32_t *height);

#ifdef __cplusplus
}
#endif
