// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "support/frmVersion.h"

#include "BuildInfo.h"
#include "support/ErrorHandler.h"
#include "support/FitLabels.h"
#include "ui_frmVersion.h"

#include <QKeyEvent>

namespace
{

// Key codes of letters are the upper-case letters whatever Shift or Caps Lock say.
const QString Sequence = QStringLiteral("KQV");

} // namespace

frmVersion::frmVersion(const Platform &platform, QWidget *owner)
    : QDialog(owner), ui(std::make_unique<Ui::frmVersion>()), p(platform)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmVersion::cmdOK_Click);
    // The box sees every key before its controls do.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    Form_Load();
    // Addresses and the copyright line are set at build time and may be longer
    // than the labels were drawn for.
    support::fitLabels(
        this, {ui->lblTitle, ui->lblLastUpdate, ui->lblCopyright, ui->lblMail, ui->lblURL});
}

frmVersion::~frmVersion() = default;

void frmVersion::Form_Load()
{
    // "Snapsentry  Ver 1.1": two blanks before "Ver", numbers without leading zeros.
    ui->lblTitle->setText(QString::fromUtf8(buildinfo::Title) + QStringLiteral("  Ver ") +
                          QString::number(buildinfo::VersionMajor) + QLatin1Char('.') +
                          QString::number(buildinfo::VersionMinor));
    ui->lblLastUpdate->setText(QStringLiteral("LastUpdate: ") +
                               QString::fromUtf8(buildinfo::LastUpdate));
    ui->lblCopyright->setText(QString::fromUtf8(buildinfo::Copyright));
    ui->lblMail->setText(QStringLiteral("Mail: ") + QString::fromUtf8(buildinfo::Mail));
    ui->lblURL->setText(QStringLiteral("URL: ") + QString::fromUtf8(buildinfo::Url));
}

void frmVersion::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The box is modal, so it becomes the program's active window only when it
    // appears; coming back from another program must not restart the sequence.
    if (!activated_ && !event->spontaneous()) {
        activated_ = true;
        Form_Activate();
    }
}

void frmVersion::Form_Activate()
{
    ui->cmdOK->setFocus();
    position_ = 0;
}

bool frmVersion::eventFilter(QObject *watched, QEvent *event)
{
    // A key the focused control ignores travels on to its parents; count it
    // only where it arrived.
    if (event->type() == QEvent::KeyPress && watched == focusWidget())
        Form_KeyDown(static_cast<QKeyEvent *>(event)->key());
    return QDialog::eventFilter(watched, event);
}

void frmVersion::keyPressEvent(QKeyEvent *event)
{
    QWidget *focused = focusWidget();
    if (!focused || focused == this)
        Form_KeyDown(event->key());
    // The box has no cancel button: Escape closes nothing.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmVersion::Form_KeyDown(int keyCode)
{
    support::guarded(
        p, QStringLiteral("キーダウンエラー"), QStringLiteral("[frmVersion]-[Form_KeyDown] "), [&] {
            if (position_ >= Sequence.size() || keyCode != Sequence.at(position_).unicode()) {
                position_ = 0;
                return;
            }
            ++position_;
            if (position_ < Sequence.size())
                return;
            // On failure the position stays complete, so the next key only resets it.
            const QString error = p.launcher.openFolder(p.dataDir);
            if (!error.isEmpty())
                throw support::ProcError{error};
            position_ = 0;
        });
}

void frmVersion::cmdOK_Click()
{
    accept();
}
