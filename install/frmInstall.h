#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/ControlState.h"
#include "forms/FormRows.h"
#include "forms/Desktop.h"
#include "img/CombinedMap.h"
#include "receivers/GarminFolder.h"
#include "receivers/Places.h"

namespace mapwren {

class frmProgress;

// The window that installs the ticked maps, as one combined map file, on a
// receiver or memory card: it lists the receivers and cards (polled while it
// is open), what the chosen Garmin folder holds, the name to write and the
// new file's size, and checks room and limits before anything is written.
// The writing runs in the progress window, off the window's thread.
//
// How a front-end uses it: Desktop::ShowInstallWindow(form) shows a window
// built from frmInstallForm() and frmInstallControls(), titled Caption, over
// the main window without blocking it; the window keeps the form alive. It
// calls Form_Load() once, tmrPoll_Timer() every kPollEvery, forwards clicks
// (Click), a choice in cboPlace (cboPlace_Click with the item's index) and
// the name's edits (txtName_Change), draws the controls' state and
// cboPlace's items (PlaceItems) after every event, and closes itself once
// Closed() is true. Escape and the close box go to Form_QueryUnload.
class frmInstall : public std::enable_shared_from_this<frmInstall> {
public:
    frmInstall(Desktop& desktop, std::shared_ptr<VolumeSource> volumes, std::shared_ptr<const CombinedPlan> plan,
               std::string mapsetName);
    ~frmInstall();
    frmInstall(const frmInstall&) = delete;
    frmInstall& operator=(const frmInstall&) = delete;

    std::string Caption;
    ControlState lblPlace, cboPlace, cmdAnotherFolder, lblVolume, lblExisting, lblMaps, lblName, txtName, lblOlder,
        lblSize, cmdInstall, cmdClose;   // cboPlace's value: the chosen item's index, -1 for none
    ControlState* Control(std::string_view name);
    // cboPlace's items: each receiver, card or chosen folder with its file
    // system and free space.
    const std::vector<std::string>& PlaceItems() const { return placeItems_; }
    bool Closed() const { return closed_; }
    // True while the maps are being written; the window cannot close then.
    bool Installing() const;
    // The main window is going: an install going is cancelled and waited
    // for, its end told to no one, and the window closes.
    void Stop();

    static constexpr std::chrono::milliseconds kPollEvery{1000};

    void Form_Load();
    void tmrPoll_Timer();
    void Click(std::string_view name);
    void cboPlace_Click(int index);
    void txtName_Change(const std::string& text);
    void cmdAnotherFolder_Click();
    void cmdInstall_Click();
    void cmdClose_Click();
    // The close box or Escape: as Close.
    void Form_QueryUnload() { cmdClose_Click(); }

private:
    void ShowPlaces();
    void Choose(int index);
    void ShowChosen();
    void Warn(const std::string& text);
    bool AskBeforeWriting(const Place& place, const std::string& target, const std::vector<ExistingMap>& existing);
    void StartInstall(const Place& place, const std::string& target, bool replacing);
    void Installed(const Place& place, const std::string& target);

    Desktop& desktop_;
    std::shared_ptr<VolumeSource> volumes_;
    std::shared_ptr<const CombinedPlan> plan_;
    std::string mapsetName_;
    std::vector<Place> found_;             // as the last look found them
    std::vector<Place> chosenFolders_;     // through Another folder, kept while the window is open
    std::vector<Place> places_;            // found_ then chosenFolders_, as cboPlace lists them
    std::vector<std::string> placeItems_;
    std::vector<ExistingMap> existing_;    // in the chosen place's Garmin folder
    std::shared_ptr<frmProgress> progress_;
    ControlStates<frmInstall> states_;
    bool closed_ = false;
};

} // namespace mapwren
