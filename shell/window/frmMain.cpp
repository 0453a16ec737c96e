// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 Snapsentry developers
#include "shell/window/frmMain.h"

#include "shell/settings/IniStore.h"
#include "shell/settings/ScheduleValues.h"
#include "shell/window/UncutText.h"
#include "support/ErrorHandler.h"
#include "support/Launchers.h"
#include "support/frmVersion.h"
#include "ui_frmMain.h"

#include <QCloseEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <cmath>

namespace
{

const QString Section = QStringLiteral("Main");

QLabel *makePanel(QWidget *owner, const char *name, int minWidth)
{
    auto *panel = new QLabel(owner);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumWidth(minWidth);
    return panel;
}

// Makes a drop-down list show the entry equal to value; anything else is an error.
void selectEntry(QComboBox *list, const QString &key, const QString &value)
{
    const int index = list->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 || value.isEmpty())
        throw support::ProcError{
            QStringLiteral("%1 の値 \"%2\" は選択できる値ではありません").arg(key, value)};
    list->setCurrentIndex(index);
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

// The icons are compiled into the static core library, whose resource
// registration the linker would otherwise drop. (Not in a namespace: the
// macro declares the registration function where it stands.)
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

frmMain::frmMain(const Platform &platform, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::frmMain>()), p(platform), session_(platform)
{
    initResources();
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // The client area is 342 x 298 below the menu bar, the 19-pixel status bar included.
    ui->StatusBar->setFixedHeight(19);
    statusPanel1 = makePanel(ui->StatusBar, "StatusPanel1", 96);
    statusPanel2 = makePanel(ui->StatusBar, "StatusPanel2", 96);
    statusPanel2->setAlignment(Qt::AlignCenter);
    ui->StatusBar->addWidget(statusPanel1, 1);
    ui->StatusBar->addPermanentWidget(statusPanel2);
    ui->centralwidget->setFixedSize(342, 298 - 19);
    setFixedSize(342, ui->menubar->sizeHint().height() + 298);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(500);
    connectHandlers();
    Timer->start();
}

frmMain::~frmMain() = default;

void frmMain::connectHandlers()
{
    connect(ui->cmdTmSet, &QPushButton::clicked, this, &frmMain::cmdTmSet_Click);
    connect(ui->cmdSelectFolder, &QPushButton::clicked, this, &frmMain::cmdSelectFolder_Click);
    connect(Timer, &QTimer::timeout, this, &frmMain::Timer_Timer);
    connect(&session_, &capture::CaptureSession::armedChanged, this, &frmMain::showArmed);
    connect(&session_, &capture::CaptureSession::shotCounted, this, &frmMain::showShotCount);
    connect(&session_, &capture::CaptureSession::endActionRequested, this, &frmMain::runEndAction);

    const std::pair<QAction *, int> fileItems[] = {
        {ui->M_File_1, 1}, {ui->M_File_2, 2}, {ui->M_File_4, 4}};
    for (auto [action, index] : fileItems)
        connect(action, &QAction::triggered, this, [this, index = index] { M_File_Click(index); });
    const std::pair<QAction *, int> helpItems[] = {
        {ui->M_Help_1, 1}, {ui->M_Help_2, 2}, {ui->M_Help_4, 4}};
    for (auto [action, index] : helpItems)
        connect(action, &QAction::triggered, this, [this, index = index] { M_Help_Click(index); });
    const std::pair<QAction *, int> trayItems[] = {{ui->M_TaskBar_1, 1}, {ui->M_TaskBar_3, 3}};
    for (auto [action, index] : trayItems)
        connect(action, &QAction::triggered, this,
                [this, index = index] { M_TaskBar_Click(index); });

    for (QComboBox *list :
         {ui->cmbStTm_0, ui->cmbStTm_1, ui->cmbEdTm_0, ui->cmbEdTm_1, ui->cmbStep})
        connect(list, &QComboBox::currentIndexChanged, this, &frmMain::settingsEdited);
    for (QLineEdit *edit : {ui->txtSaveFolder, ui->txtTopNm})
        connect(edit, &QLineEdit::textChanged, this, &frmMain::settingsEdited);
    for (QRadioButton *option : {ui->opEnd_0, ui->opEnd_1, ui->opEnd_2})
        connect(option, &QRadioButton::toggled, this, &frmMain::settingsEdited);

    p.tray.setActivatedHandler(
        [this](QSystemTrayIcon::ActivationReason reason) { Form_MouseMove(reason); });
}

bool frmMain::Form_Load()
{
    const bool loaded =
        support::guarded(p, QStringLiteral("フォームロードエラー"),
                         QStringLiteral("[frmMain]-[Form_Load] "), [this] {
                             ui->linEtched->show();
                             fillLists();
                             showSavedSettings();
                             p.tray.modify({QIcon(QStringLiteral(":/icons/tray_idle.png")),
                                            QStringLiteral("Snapsentry")});
                             p.tray.add();
                         });
    if (!loaded)
        p.process.exitNow(1); // nothing is saved: the file keeps the value that failed
    return loaded;
}

void frmMain::fillLists()
{
    for (int i = 0; i <= 23; ++i) {
        ui->cmbStTm_0->addItem(twoDigits(i));
        ui->cmbEdTm_0->addItem(twoDigits(i));
    }
    for (int i = 0; i <= 59; ++i) {
        ui->cmbStTm_1->addItem(twoDigits(i));
        ui->cmbEdTm_1->addItem(twoDigits(i));
        ui->cmbStep->addItem(twoDigits(i + 1));
    }
}

void frmMain::showSavedSettings()
{
    const std::pair<const char *, const char *> keys[] = {
        {"StartTimeH", "00"}, {"StartTimeN", "00"}, {"EndTimeH", "00"}, {"EndTimeN", "00"},
        {"Step", "01"},       {"SaveFolder", ""},   {"TopName", ""},    {"EndType", "0"}};
    for (const auto &[key, def] : keys)
        showSetting(QLatin1String(key),
                    mdlCommon::Fun_GetIni(p, Section, QLatin1String(key), QLatin1String(def)));
}

void frmMain::setSchedule(const ScheduleValues &values)
{
    for (const auto &[key, value] : values.iniEntries())
        showSetting(key, value);
}

void frmMain::showSetting(const QString &key, const QString &value)
{
    const std::pair<const char *, QComboBox *> lists[] = {{"StartTimeH", ui->cmbStTm_0},
                                                          {"StartTimeN", ui->cmbStTm_1},
                                                          {"EndTimeH", ui->cmbEdTm_0},
                                                          {"EndTimeN", ui->cmbEdTm_1},
                                                          {"Step", ui->cmbStep}};
    for (const auto &[name, list] : lists)
        if (key == QLatin1String(name))
            return selectEntry(list, key, value);
    if (key == QLatin1String("SaveFolder"))
        return ui->txtSaveFolder->setText(value);
    if (key == QLatin1String("TopName"))
        return mdlMain::showUncut(ui->txtTopNm, value);

    // EndType is read as a number and rounded (half to even) to pick the option.
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    const double n = ok ? std::nearbyint(number) : -1;
    QRadioButton *options[] = {ui->opEnd_0, ui->opEnd_1, ui->opEnd_2};
    // Written so that NaN, which fails every comparison, is refused too.
    if (!ok || !(n >= 0 && n <= 2))
        throw support::ProcError{
            QStringLiteral("EndType の値 \"%1\" は選択できる値ではありません").arg(value)};
    options[static_cast<int>(n)]->setChecked(true);
}

void frmMain::saveSettings()
{
    auto put = [this](const char *key, const QString &value) {
        mdlCommon::Sub_PutIni(p, Section, QLatin1String(key), value);
    };
    put("StartTimeH", ui->cmbStTm_0->currentText());
    put("StartTimeN", ui->cmbStTm_1->currentText());
    put("EndTimeH", ui->cmbEdTm_0->currentText());
    put("EndTimeN", ui->cmbEdTm_1->currentText());
    put("Step", ui->cmbStep->currentText());
    put("SaveFolder", ui->txtSaveFolder->text());
    put("TopName", ui->txtTopNm->text());
    if (ui->opEnd_0->isChecked())
        put("EndType", QStringLiteral("0"));
    else if (ui->opEnd_1->isChecked())
        put("EndType", QStringLiteral("1"));
    else if (ui->opEnd_2->isChecked())
        put("EndType", QStringLiteral("2"));
}

void frmMain::saveSettingsForSessionEnd()
{
    saveSettings();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void frmMain::closeNow()
{
    bool cancel = false;
    Form_Unload(cancel);
}

void frmMain::Form_Unload(bool &cancel)
{
    if (isArmed()) {
        p.messageBox.show(QStringLiteral("設定中です、終了するには設定をキャンセルしてください"),
                          platform::MsgIcon::Critical);
        cancel = true;
        return;
    }
    saveSettings();
    p.tray.remove();
    // A shot cancelled just before gets a moment to finish and remove its BMP.
    session_.finishForExit(5000);
    p.process.exitNow(0);
}

void frmMain::setPanelText(int panel, const QString &text)
{
    (panel == 1 ? statusPanel1 : statusPanel2)->setText(text);
}

QMenu *frmMain::taskBarMenu() const
{
    return ui->M_TaskBarMain;
}

QList<QWidget *> frmMain::settingsControls() const
{
    return {ui->cmbStTm_0, ui->cmbStTm_1,     ui->cmbEdTm_0,       ui->cmbEdTm_1,
            ui->cmbStep,   ui->txtSaveFolder, ui->cmdSelectFolder, ui->txtTopNm,
            ui->opEnd_0,   ui->opEnd_1,       ui->opEnd_2};
}

void frmMain::M_File_Click(int index)
{
    switch (index) {
    case 1:
        Sub_Set();
        break;
    case 2:
        Sub_FormHide();
        break;
    case 4:
        close();
        break;
    default:
        break;
    }
}

void frmMain::M_Help_Click(int index)
{
    switch (index) {
    case 1:
        mdlCommon::Sub_ShowHelpFlie(p);
        break;
    case 2:
        mdlCommon::Sub_ShowWebFlie(p);
        break;
    case 4: {
        frmVersion about(p, this);
        about.exec();
        break;
    }
    default:
        break;
    }
}
