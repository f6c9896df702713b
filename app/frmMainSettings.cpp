// The upload settings: tool variant, port, mapset name and create-file mode,
// with every event that changes them.
#include "app/frmMain.h"
#include "common/Addresses.h"

namespace mapwren {

namespace {

std::string WindowTitle(bool sendmap20)
{
    return std::string("MAPWREN ") + kVersion + "  by Tobrenn     (Using Sendmap" + (sendmap20 ? "20.exe)" : ".exe)");
}

} // namespace

void frmMain::StartWithVariant(bool sendmap20)
{
    UseSendmap20 = sendmap20 ? kTrue : kFalse;
    if (sendmap20) {
        ApplySecondVariant();
    } else {
        ApplyFirstVariant();
        cmdEraseGPS.enabled = true;
    }
}

void frmMain::mnuUseSendmap1_Click()
{
    UseSendmap20 = kFalse;
    ApplyFirstVariant();
    if (SelectedPort() != Port::Com) {
        cmdEraseGPS.enabled = false;
        EnableUploadButtons(false);
    }
    chkCreateFile.visible = false;
    ApplyCreateFileRule();
}

void frmMain::mnuUseSendmap2_Click()
{
    UseSendmap20 = kTrue;
    ApplySecondVariant();
    chkCreateFile.visible = true;
    ApplyCreateFileRule();
}

// What the first variant cannot do (automatic port, USB, mapset names, the
// connection test) is greyed out.
void frmMain::ApplyFirstVariant()
{
    optAuto.enabled = false;
    optUSB.enabled = false;
    optAuto.value = 0;
    fmeMapset.enabled = false;
    chkMapset.enabled = false;
    SetMapsetBoxEnabled(false);
    Caption = WindowTitle(false);
    mnuUseSendmap1.checked = true;
    mnuUseSendmap2.checked = false;
    mnuID.enabled = false;
    ShowComPorts();
}

void frmMain::ApplySecondVariant()
{
    optAuto.enabled = true;
    optUSB.enabled = true;
    SelectPort(Port::Auto);
    fmeMapset.enabled = true;
    chkMapset.enabled = true;
    if (chkMapset.value == 1)
        SetMapsetBoxEnabled(true);
    Caption = WindowTitle(true);
    mnuUseSendmap1.checked = false;
    mnuUseSendmap2.checked = true;
    mnuID.enabled = true;
    cmdEraseGPS.enabled = true;
    ShowComPorts();
}

// Which device each COM port reaches depends on the tool in use, and a
// device may have been plugged in since.
void frmMain::ShowComPorts() { cboCOM.toolTip = ComPortsToolTip(ToolFile(Variant())); }

void frmMain::SelectPort(Port port)
{
    const std::pair<Port, ControlState*> options[] = {{Port::Auto, &optAuto}, {Port::Com, &optCOM}, {Port::Usb, &optUSB}};
    const bool changed = port != SelectedPort();
    for (const auto& [option, control] : options)
        control->value = option == port ? 1 : 0;
    if (changed) {
        switch (port) {
        case Port::Auto: optAuto_Click(); break;
        case Port::Com: optCOM_Click(); break;
        case Port::Usb: optUSB_Click(); break;
        case Port::None: break;
        }
    }
    ShowUploadEstimate();
}

Port frmMain::SelectedPort() const
{
    if (optAuto.value == 1)
        return Port::Auto;
    if (optCOM.value == 1)
        return Port::Com;
    if (optUSB.value == 1)
        return Port::Usb;
    return Port::None;
}

void frmMain::optAuto_Click()
{
    cboCOM.enabled = false;
    EnableSpeed(true);
    cmdEraseGPS.enabled = true;
    EnableUploadIfAnyTicked();
}

void frmMain::optCOM_Click()
{
    cboCOM.enabled = true;
    EnableSpeed(true);
    cmdEraseGPS.enabled = true;
    EnableUploadIfAnyTicked();
    ShowComPorts();
}

void frmMain::optUSB_Click()
{
    cboCOM.enabled = false;
    EnableSpeed(false);
    cmdEraseGPS.enabled = true;
    EnableUploadIfAnyTicked();
}

// Only greys the speeds: the selection stays for when Auto or COM comes back.
void frmMain::EnableSpeed(bool enabled)
{
    for (ControlState* control : {&fmeSpeed, &opt9600, &opt19200, &opt38400, &opt57600, &opt115200, &lbl9600,
                                  &lbl19200, &lbl38400, &lbl57600, &lbl115200})
        control->enabled = enabled;
}

// Port events enable the upload buttons when maps are ticked, never disable them.
void frmMain::EnableUploadIfAnyTicked()
{
    if (mapList_.SelectedCount() > 0)
        EnableUploadButtons(true);
}

// A change of the box from code runs its event, as a click does.
void frmMain::SetMapsetValue(int value)
{
    if (chkMapset.value == value)
        return;
    chkMapset.value = value;
    chkMapset_Click();
}

void frmMain::chkMapset_Click()
{
    const bool ticked = chkMapset.value == 1;
    SetMapsetBoxEnabled(ticked);
    // Inside a disabled frame (first variant) the name box cannot take the focus.
    if (ticked && fmeMapset.enabled)
        focusRequest_ = "txtMapset";
}

void frmMain::SetMapsetBoxEnabled(bool enabled)
{
    txtMapset.enabled = enabled;
    lblEnterMapset.enabled = enabled;
    txtMapset.background = enabled ? Background::Menu : Background::Light3D;
}

void frmMain::chkCreateFile_Click() { ApplyCreateFileRule(); }

// Create-file mode works with the second variant only; with the first the
// Upload button stays and the switch stays empty.
void frmMain::ApplyCreateFileRule()
{
    const bool createFile = chkCreateFile.value == 1 && UseSendmap20 != kFalse;
    cmdUpload.visible = !createFile;
    cmdCreateFile.visible = createFile;
    CreateFileSwitch = createFile ? kCreateFileSwitch : "";
}

} // namespace mapwren
