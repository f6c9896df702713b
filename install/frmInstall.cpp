// Installing the ticked maps on a receiver or card: where, what is there,
// the name, and the checks before a byte is written.
#include "install/frmInstall.h"

#include <algorithm>

#include "common/Paths.h"
#include "common/Text.h"
#include "install/frmInstallDesign.h"
#include "progress/frmProgress.h"
#include "receivers/Install.h"
#include "receivers/Room.h"

namespace mapwren {

namespace {

constexpr const char* kTitle = "Install Maps on Receiver or Card";

std::string PlaceItem(const Place& place)
{
    std::string item = PlaceCaption(place);
    if (!place.volume.fileSystem.empty())
        item += ", " + place.volume.fileSystem;
    if (place.volume.freeBytes)
        item += ", " + ShortBytesText(*place.volume.freeBytes) + " free";
    return item;
}

std::string ExistingLine(const ExistingMap& map)
{
    return map.fileName + "    " + ShortBytesText(map.size) + (map.mapName.empty() ? "" : "    " + map.mapName);
}

} // namespace

frmInstall::frmInstall(Desktop& desktop, std::shared_ptr<VolumeSource> volumes,
                       std::shared_ptr<const CombinedPlan> plan, std::string mapsetName)
    : Caption(frmInstallForm().caption), desktop_(desktop), volumes_(std::move(volumes)), plan_(std::move(plan)),
      mapsetName_(std::move(mapsetName)), states_(frmInstallControlRows())
{
    states_.Start(*this);
    cboPlace.value = -1;
    cmdInstall.enabled = false;
    lblSize.text = "The new map file: " + BytesText(plan_->FileSize()) + ", " + std::to_string(plan_->TileCount()) +
                   (plan_->TileCount() == 1 ? " tile." : " tiles.");
    if (const auto warning = TileWarning(plan_->TileCount()))
        lblSize.text += "\n" + *warning;
}

frmInstall::~frmInstall() = default;

ControlState* frmInstall::Control(std::string_view name) { return states_.Find(*this, name); }

void frmInstall::Form_Load()
{
    found_ = FindPlaces(*volumes_);
    ShowPlaces();
    Choose(places_.empty() ? -1 : 0);
}

// A receiver plugged in or pulled out shows up or goes; the chosen place stays
// chosen while it is there.
void frmInstall::tmrPoll_Timer()
{
    std::vector<Place> found = FindPlaces(*volumes_);
    const auto same = [](const Place& a, const Place& b) {
        return a.garminFolder == b.garminFolder && PlaceItem(a) == PlaceItem(b);
    };
    if (std::ranges::equal(found, found_, same))
        return;
    const std::string chosen = cboPlace.value >= 0 ? places_[static_cast<std::size_t>(cboPlace.value)].garminFolder : "";
    found_ = std::move(found);
    ShowPlaces();
    // The chosen place stays chosen; with none chosen, the first that comes is.
    const auto again = std::ranges::find(places_, chosen, &Place::garminFolder);
    const int index = again != places_.end() ? static_cast<int>(again - places_.begin())
                      : chosen.empty() && !places_.empty() ? 0
                                                           : -1;
    if (index != cboPlace.value || index < 0)
        Choose(index);
    else
        cboPlace.value = index;
}

void frmInstall::ShowPlaces()
{
    places_ = found_;
    places_.insert(places_.end(), chosenFolders_.begin(), chosenFolders_.end());
    placeItems_.clear();
    for (const Place& place : places_)
        placeItems_.push_back(PlaceItem(place));
}

void frmInstall::Choose(int index)
{
    cboPlace.value = index;
    existing_.clear();
    if (index >= 0)
        existing_ = ListExistingMaps(places_[static_cast<std::size_t>(index)].garminFolder);
    txtName.text = DefaultFileName(existing_, mapsetName_);
    ShowChosen();
}

void frmInstall::ShowChosen()
{
    const bool chosen = cboPlace.value >= 0;
    cmdInstall.enabled = chosen && !Installing();
    if (!chosen) {
        lblVolume.text = placeItems_.empty() ? "No receiver or memory card is plugged in. Plug one in, or choose "
                                               "another folder."
                                             : "Choose where the maps go.";
        lblMaps.text.clear();
        return;
    }
    const Place& place = places_[static_cast<std::size_t>(cboPlace.value)];
    lblVolume.text = "Into " + place.garminFolder + " on " + (place.volume.fileSystem.empty() ? "a volume" : place.volume.fileSystem) +
                     ", " + (place.volume.freeBytes ? BytesText(*place.volume.freeBytes) + " free." : "free space unknown.");
    std::vector<std::string> lines;
    for (const ExistingMap& map : existing_)
        lines.push_back(ExistingLine(map));
    lblMaps.text = lines.empty() ? "None." : "";
    for (const std::string& line : lines)
        lblMaps.text += (lblMaps.text.empty() ? "" : "\n") + line;
}

void frmInstall::Click(std::string_view name)
{
    states_.Click(*this, name);
}

void frmInstall::cboPlace_Click(int index)
{
    if (index >= -1 && index < static_cast<int>(places_.size()) && index != cboPlace.value)
        Choose(index);
}

void frmInstall::txtName_Change(const std::string& text) { txtName.text = text; }

void frmInstall::cmdAnotherFolder_Click()
{
    const auto folder = desktop_.AskFolder("Choose the folder or drive to install the maps in");
    if (!folder || folder->empty())
        return;
    auto place = PlaceOfFolder(*volumes_, *folder);
    if (!place) {
        Warn(place.error());
        return;
    }
    const auto known = std::ranges::find(places_, place.value().garminFolder, &Place::garminFolder);
    if (known != places_.end()) {
        Choose(static_cast<int>(known - places_.begin()));
        return;
    }
    chosenFolders_.push_back(std::move(place.value()));
    ShowPlaces();
    Choose(static_cast<int>(places_.size()) - 1);
}

void frmInstall::Warn(const std::string& text) { desktop_.ShowMessage(MessageIcon::Exclamation, kTitle, text); }

void frmInstall::cmdInstall_Click()
{
    if (Installing()) {
        Warn("The maps are being installed now. Wait for the end, or cancel it, before installing again.");
        return;
    }
    if (cboPlace.value < 0) {
        Warn("Choose a receiver, a memory card or a folder first.");
        return;
    }
    Place place = places_[static_cast<std::size_t>(cboPlace.value)];
    if (const std::string refusal = RefuseFileName(txtName.text); !refusal.empty()) {
        Warn(refusal);
        return;
    }
    const std::string target = JoinPath(place.garminFolder, txtName.text);
    // Fresh facts: the card may have been changed since the window looked.
    const auto volume = volumes_->VolumeOf(place.volume.root);
    if (!volume) {
        Warn(PlaceCaption(place) + " is not there any more. Plug it in again, or choose another place.");
        return;
    }
    place.volume = *volume;
    existing_ = ListExistingMaps(place.garminFolder);
    ShowChosen();
    if (!AskBeforeWriting(place, target, existing_))
        return;
    StartInstall(place, target, ReplacedBy(existing_, txtName.text) != nullptr);
}

// The refusals, then the questions (each No writes nothing), then the
// leftovers of an earlier failure are removed, after saying so.
bool frmInstall::AskBeforeWriting(const Place& place, const std::string& target,
                                  const std::vector<ExistingMap>& existing)
{
    const ExistingMap* replaced = ReplacedBy(existing, txtName.text);
    const std::vector<std::string> leftovers = FindLeftovers(place.garminFolder, IsCombinedTemporary);
    std::uint64_t leftoverBytes = 0;
    for (const std::string& path : leftovers) {
        std::error_code error;
        const auto size = std::filesystem::file_size(PathFromUtf8(path), error);
        leftoverBytes += error ? 0 : size;
    }
    const Status room = CheckRoom({plan_->FileSize(), plan_->TileCount(), replaced ? replaced->size : 0,
                                   leftoverBytes, place.volume});
    if (!room) {
        Warn(room.error());
        return false;
    }
    if (const auto warning = TileWarning(plan_->TileCount());
        warning && !desktop_.AskYesNo(kTitle, *warning + " Install the file anyway?"))
        return false;
    if (replaced && !desktop_.AskYesNo(kTitle, target + " is there already (" + BytesText(replaced->size) +
                                                   (replaced->mapName.empty() ? "" : ", " + replaced->mapName) +
                                                   "). Replace it with the new map file?"))
        return false;
    if (!leftovers.empty()) {
        desktop_.ShowMessage(MessageIcon::Information, kTitle,
                             "An earlier install that was cut off left an unfinished file behind:" +
                                 ListedPaths(leftovers) + "\nIt is removed now.");
        if (const Status removed = RemoveLeftovers(leftovers); !removed) {
            Warn(removed.error());
            return false;
        }
    }
    return true;
}

// The window stays while the maps are written, so their end is told where they were asked for.
void frmInstall::cmdClose_Click()
{
    if (progress_ && progress_->Running()) {
        Warn("The maps are being installed now. Wait for the end, or cancel it, before closing this window.");
        return;
    }
    closed_ = true;
}

void frmInstall::Stop()
{
    if (progress_)
        progress_->Stop();
    closed_ = true;
}

bool frmInstall::Installing() const { return progress_ && progress_->Running(); }

} // namespace mapwren
