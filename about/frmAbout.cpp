#include "about/frmAbout.h"

#include <cstring>

#include "common/Addresses.h"

namespace mapwren {

namespace {

bool IsAddressBox(std::string_view control) { return control == "txtURL" || control == "txtEmail"; }

bool IsModifier(int keyCode)
{
    return keyCode == kKeyShift || keyCode == kKeyControl || keyCode == kKeyAlt || keyCode == kKeyLeftWindows ||
           keyCode == kKeyRightWindows;
}

bool IsCopy(int keyCode, int shift)
{
    return shift == kCtrlMask && (keyCode == kKeyC || keyCode == kKeyInsert);
}

} // namespace

void frmAbout::MouseDown(std::string_view control, int button, bool secondOfDoubleClick)
{
    // The homepage opened at the double click's first press already.
    if (control == "txtURL" && !secondOfDoubleClick)
        txtURL_MouseDown(button);
    else if (control == "txtEmail")
        txtEmail_MouseDown(button);
    else if (control == "picIcon")
        activeControl_ = control;   // the only other control that takes the focus
}

void frmAbout::Click(std::string_view control, int button)
{
    if (!IsAddressBox(control))
        Form_Click(button);
}

void frmAbout::txtURL_MouseDown(int)
{
    desktop_.OpenAddress(kHomepage);   // no browser: nothing to tell, the window stays
}

void frmAbout::txtEmail_MouseDown(int)
{
    activeControl_ = "txtEmail";
    emailSelection_ = {0, static_cast<int>(std::strlen(kAuthorEmail))};
}

void frmAbout::Form_Click(int button)
{
    if (button == kLeftButton)
        closed_ = true;
}

// Every key closes, except a modifier held on its own (on its way to Ctrl+C)
// and the copy keys in an address box, which copy its selection.
void frmAbout::Form_KeyDown(int keyCode, int shift)
{
    if (IsModifier(keyCode) || (IsAddressBox(activeControl_) && IsCopy(keyCode, shift)))
        return;
    closed_ = true;
}

} // namespace mapwren
