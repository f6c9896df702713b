// The install window: the owned window of the install form, polling for
// receivers and listing the places the form found.
#include "win32/InstallWindow.h"

#include "common/Encoding.h"
#include "install/frmInstallDesign.h"

namespace mapwren {

namespace {

constexpr UINT_PTR kPollTimer = 1;

} // namespace

InstallWindow::InstallWindow(std::shared_ptr<frmInstall> form, HWND owner)
    : OwnedWindow(L"MapwrenInstall", frmInstallForm(), form->Caption, owner, frmInstallControls(),
                  {.defaultButton = "cmdInstall"}),
      form_(std::move(form))
{
    form_->Form_Load();
    Draw();
    SetTimer(Handle(), kPollTimer, static_cast<UINT>(frmInstall::kPollEvery.count()), nullptr);
    ShowOver(owner);
}

void InstallWindow::Draw()
{
    if (!Handle())
        return;
    if (HWND places = Control("cboPlace"); placeItems_ != form_->PlaceItems()) {
        placeItems_ = form_->PlaceItems();
        SendMessageW(places, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : placeItems_)
            SendMessageW(places, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item).c_str()));
    }
    DrawForm(*form_);
}

LRESULT InstallWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kPollTimer) {
        form_->tmrPoll_Timer();
        Draw();
        return 0;
    }
    if (message == WM_DESTROY)
        KillTimer(Handle(), kPollTimer);
    return OwnedWindow::OnMessage(message, wParam, lParam);
}

} // namespace mapwren
