#include "receivers/Places.h"

#include <filesystem>

#include "common/Paths.h"
#include "common/Text.h"

namespace mapwren {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string LastName(const std::string& folder)
{
    std::string trimmed = folder;
    while (trimmed.size() > 1 && (trimmed.back() == '/' || trimmed.back() == kSeparator))
        trimmed.pop_back();
    return Utf8FromPath(PathFromUtf8(trimmed).filename());
}

std::string ParentOf(const std::string& folder)
{
    return Utf8FromPath(PathFromUtf8(folder).parent_path());
}

Place PlaceAt(const Volume& volume, const std::string& root)
{
    const auto garmin = FindNameNoCase(root, "Garmin", true);
    return {volume, ReadGarminDevice(root), garmin ? *garmin : JoinPath(root, "Garmin")};
}

} // namespace

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && (folder.back() == kSeparator || folder.back() == '/'))
        return folder + name;
    return folder + kSeparator + name;
}

std::optional<std::string> FindNameNoCase(const std::string& folder, const std::string& name, bool wantFolder)
{
    // The folder's own spelling, also where the system would find the name in any case.
    std::optional<std::string> found;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(PathFromUtf8(folder), error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string child = Utf8FromPath(entry->path().filename());
        if (entry->is_directory(error) != wantFolder)
            continue;
        if (child == name)
            return JoinPath(folder, child);
        if (!found && CompareNoCase(child, name) == 0)
            found = JoinPath(folder, child);
    }
    return found;
}

std::vector<Place> FindPlaces(VolumeSource& volumes)
{
    std::vector<Place> places;
    for (const Volume& volume : volumes.MountedVolumes()) {
        Place place = PlaceAt(volume, volume.root);
        if (place.device || volume.removable)
            places.push_back(std::move(place));
    }
    return places;
}

Result<Place> PlaceOfFolder(VolumeSource& volumes, const std::string& folder)
{
    const auto volume = volumes.VolumeOf(folder);
    if (!volume)
        return Result<Place>::Failure("The folder " + folder + " cannot be reached.");
    // A Garmin folder chosen itself takes the maps; any other folder is taken
    // for a drive's root, whose Garmin folder takes them.
    if (CompareNoCase(LastName(folder), "Garmin") == 0)
        return Place{*volume, ReadGarminDevice(ParentOf(folder)), folder};
    return PlaceAt(*volume, folder);
}

std::string PlaceCaption(const Place& place)
{
    if (place.device)
        return place.device->description + " (" + place.volume.root + ")";
    if (place.volume.device.empty())
        return place.volume.root;
    return place.volume.root + " (" + place.volume.device + ")";
}

} // namespace mapwren
