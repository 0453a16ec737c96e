// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "support/frmVersion.h"

#include "ui_frmVersion.h"

frmVersion::frmVersion(const Platform &platform, QWidget *owner)
    : QDialog(owner), ui(std::make_unique<Ui::frmVersion>()), p(platform)
{
    ui->setupUi(this);
}

frmVersion::~frmVersion() = default;
