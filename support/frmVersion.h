// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#pragma once

#include "platform/Platform.h"

#include <QDialog>
#include <memory>

namespace Ui
{
class frmVersion;
}

// The About box.
class frmVersion : public QDialog
{
    Q_OBJECT

public:
    frmVersion(const Platform &platform, QWidget *owner);
    ~frmVersion() override;

private:
    std::unique_ptr<Ui::frmVersion> ui;
    Platform p;
};
