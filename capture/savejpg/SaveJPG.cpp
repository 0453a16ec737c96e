// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "SaveJPG.h"

int SavetoJPEG(const char *, const char *, unsigned char, int32_t)
{
    return 1;
}
