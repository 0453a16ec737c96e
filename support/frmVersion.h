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

// The About box. Typing K, Q, V in a row opens the application folder.
class frmVersion : public QDialog
{
    Q_OBJECT

public:
    frmVersion(const Platform &platform, QWidget *owner);
    ~frmVersion() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void cmdOK_Click();

private:
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int keyCode);

    std::unique_ptr<Ui::frmVersion> ui;
    Platform p;
    bool activated_ = false;
    // How many letters of the sequence have been typed in a row.
    qint16 position_ = 0;
};
