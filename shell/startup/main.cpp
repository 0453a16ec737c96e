// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/startup/mdlMain.h"

int main(int argc, char **argv)
{
    return mdlMain::Main(argc, argv);
}
