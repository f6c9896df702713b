#include "about/frmAbout.h"

#include <cstring>

#include "about/frmAboutDesign.h"
#include "common/Addresses.h"

namespace mapwren {

namespace {

// The boxes that show an address, which the user may select and copy.
bool IsAddressBox(std::string_view control)
{
    const AboutRow* row = FindRow(frmAboutControlRows(), control);
    return row && row->design.kind == ControlKind::TextBox;
}

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
    const AboutRow* row = FindRow(frmAboutControlRows(), control);
    // A link opened its address at the double click's first press already.
    if (row && row->mouseDown && !(row->design.link && secondOfDoubleClick))
        (this->*row->mouseDown)(button);
}

void frmAbout::Click(std::string_view control, int button)
{
    const AboutRow* row = FindRow(frmAboutControlRows(), control);
    if (!row)
        Form_Click(button);   // the window's own background
    else if (row->click)
        (this->*row->click)(button);
}

// The only control besides the address boxes that takes the focus.
void frmAbout::picIcon_MouseDown(int) { activeControl_ = "picIcon"; }

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
