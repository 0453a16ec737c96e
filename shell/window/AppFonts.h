// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

// Maps the Japanese gothic family names the window asks for onto installed
// fonts, and makes the window font a Japanese one.
void installAppFonts();
