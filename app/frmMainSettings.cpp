// The upload settings: tool variant, port, mapset name and create-file mode,
// with every event that changes them.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "common/Addresses.h"
#include "app/OptionButtons.h"
#include "app/Palette.h"
#include "app/frmMain.h"

namespace mapwren {

namespace {

QString WindowTitle(bool sendmap20)
{
    return QStringLiteral("MAPWREN ") + QLatin1String(kVersion) + QStringLiteral("  by Tobrenn     (Using Sendmap") +
           (sendmap20 ? QStringLiteral("20.exe)") : QStringLiteral(".exe)"));
}

void SetBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

} // namespace

void frmMain::StartWithVariant(bool sendmap20)
{
    UseSendmap20 = sendmap20 ? -1 : 0;
    if (sendmap20) {
        ApplySecondVariant();
    } else {
        ApplyFirstVariant();
        cmdEraseGPS->setEnabled(true);
    }
}

void frmMain::mnuUseSendmap1_Click()
{
    UseSendmap20 = 0;
    ApplyFirstVariant();
    if (SelectedPort() != Port::Com) {
        cmdEraseGPS->setEnabled(false);
        EnableUploadButtons(false);
    }
    chkCreateFile->hide();
    ApplyCreateFileRule();
}

void frmMain::mnuUseSendmap2_Click()
{
    UseSendmap20 = -1;
    ApplySecondVariant();
    chkCreateFile->show();
    ApplyCreateFileRule();
}

// What the first variant cannot do (automatic port, USB, mapset names, the
// connection test) is greyed out.
void frmMain::ApplyFirstVariant()
{
    optAuto->setEnabled(false);
    optUSB->setEnabled(false);
    UnselectOption(optAuto);
    fmeMapset->setEnabled(false);
    chkMapset->setEnabled(false);
    SetMapsetBoxEnabled(false);
    SetWindowTitleForVariant();
    mnuUseSendmap1->setChecked(true);
    mnuUseSendmap2->setChecked(false);
    mnuID->setEnabled(false);
}

void frmMain::ApplySecondVariant()
{
    optAuto->setEnabled(true);
    optUSB->setEnabled(true);
    SelectPort(Port::Auto);
    fmeMapset->setEnabled(true);
    chkMapset->setEnabled(true);
    if (chkMapset->checkState() == Qt::Checked)
        SetMapsetBoxEnabled(true);
    SetWindowTitleForVariant();
    mnuUseSendmap1->setChecked(false);
    mnuUseSendmap2->setChecked(true);
    mnuID->setEnabled(true);
    cmdEraseGPS->setEnabled(true);
}

void frmMain::SetWindowTitleForVariant()
{
    setWindowTitle(WindowTitle(UseSendmap20 != 0));
}

void frmMain::SelectPort(Port port)
{
    switch (port) {
    case Port::Auto: optAuto->setChecked(true); break;
    case Port::Com: optCOM->setChecked(true); break;
    case Port::Usb: optUSB->setChecked(true); break;
    case Port::None:
        for (QRadioButton* option : {optAuto, optCOM, optUSB})
            UnselectOption(option);
        break;
    }
}

Port frmMain::SelectedPort() const
{
    if (optAuto->isChecked())
        return Port::Auto;
    if (optCOM->isChecked())
        return Port::Com;
    if (optUSB->isChecked())
        return Port::Usb;
    return Port::None;
}

void frmMain::optAuto_Click()
{
    cboCOM->setEnabled(false);
    EnableSpeed(true);
    cmdEraseGPS->setEnabled(true);
    EnableUploadIfAnyTicked();
}

void frmMain::optCOM_Click()
{
    cboCOM->setEnabled(true);
    EnableSpeed(true);
    cmdEraseGPS->setEnabled(true);
    EnableUploadIfAnyTicked();
}

void frmMain::optUSB_Click()
{
    cboCOM->setEnabled(false);
    EnableSpeed(false);
    cmdEraseGPS->setEnabled(true);
    EnableUploadIfAnyTicked();
}

// Only greys the speeds: the selection stays for when Auto or COM comes back.
void frmMain::EnableSpeed(bool enabled)
{
    fmeSpeed->setEnabled(enabled);
    for (QWidget* control : std::initializer_list<QWidget*>{opt9600, opt19200, opt38400, opt57600, opt115200, lbl9600,
                                                            lbl19200, lbl38400, lbl57600, lbl115200})
        control->setEnabled(enabled);
}

// Port events enable the upload buttons when maps are ticked, never disable them.
void frmMain::EnableUploadIfAnyTicked()
{
    if (mapList_.SelectedCount() > 0)
        EnableUploadButtons(true);
}

void frmMain::SetMapsetValue(int value)
{
    const Qt::CheckState state = value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
    chkMapset->setTristate(state == Qt::PartiallyChecked);
    chkMapset->setCheckState(state);
}

int frmMain::MapsetValue() const
{
    switch (chkMapset->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void frmMain::chkMapset_Click()
{
    const bool ticked = chkMapset->checkState() == Qt::Checked;
    if (ticked)
        chkMapset->setTristate(false);   // a greyed box set by a list goes back to two states
    SetMapsetBoxEnabled(ticked);
    // Inside a disabled frame (first variant) the name box cannot take the focus.
    if (ticked && fmeMapset->isEnabled())
        txtMapset->setFocus();
}

void frmMain::SetMapsetBoxEnabled(bool enabled)
{
    txtMapset->setEnabled(enabled);
    lblEnterMapset->setEnabled(enabled);
    SetBackground(txtMapset, enabled ? MenuColour() : Light3DColour());
}

void frmMain::chkCreateFile_Click()
{
    ApplyCreateFileRule();
}

// Create-file mode works with the second variant only; with the first the
// Upload button stays and the switch stays empty.
void frmMain::ApplyCreateFileRule()
{
    const bool createFile = chkCreateFile->checkState() == Qt::Checked && UseSendmap20 != 0;
    cmdUpload->setVisible(!createFile);
    cmdCreateFile->setVisible(createFile);
    CreateFileSwitch = createFile ? "-l " : "";
}

} // namespace mapwren
