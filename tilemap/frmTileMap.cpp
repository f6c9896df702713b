#include "tilemap/frmTileMap.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/Parallel.h"
#include "common/Text.h"

namespace mapwren {

namespace {

constexpr double kClickSlop = 4;              // pixels a press may move and still be a click
constexpr double kZoomPerNotch = 1.4142135623730951;
constexpr double kFitMargin = 0.95;           // the fitted tiles leave a thin border free
constexpr double kSmallestSpan = 0.01;        // degrees a fit shows at least, for a single tiny tile
constexpr double kMostPixelsPerDegree = 1e5;  // about a metre a pixel
constexpr double kFewestPixelsPerDegree = 0.05;
constexpr GeoBox kWorld{90, 180, -90, -180};

double Area(const GeoBox& box) { return (box.east - box.west) * (box.north - box.south); }

// True when the two share some area; a mere common edge does not count.
bool Overlap(const GeoBox& a, const GeoBox& b)
{
    return a.west < b.east && b.west < a.east && a.south < b.north && b.south < a.north;
}

bool Contains(const GeoBox& box, GeoPoint point)
{
    return box.west <= point.lon && point.lon <= box.east && box.south <= point.lat && point.lat <= box.north;
}

std::string TrimmedName(const std::string& name)
{
    const auto end = name.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

// "a.img, b.img and 3 more": the first five names.
std::string NamesInOneLine(const std::vector<std::string>& names)
{
    return FiveNamedThenMore(names, "", ", ", " ");
}

} // namespace

frmTileMap::frmTileMap(TickableMaps& main, std::span<const std::span<const GeoPoint>> outlines)
    : main_(main), outlines_(outlines)
{
    main_.WatchRows([this] { SyncWithRows(); });
    SyncWithRows();
}

frmTileMap::~frmTileMap() { main_.WatchRows({}); }

// Rows added, removed or reordered in the main window: the tiles are listed
// afresh, reading only files not read before.
void frmTileMap::SyncWithRows()
{
    if (main_.RowsRevision() == rowsRevision_)
        return;
    rowsRevision_ = main_.RowsRevision();
    ReadMissingPlaces();
    tiles_.clear();
    unplaced_.clear();
    const MapList& maps = main_.Maps();
    for (std::size_t row = 0; row < maps.RowCount(); ++row) {
        const MapRow& map = maps.Row(row);
        if (map.state == RowState::Missing || map.notAMap)
            continue;
        const auto& places = places_.at(map.FullPath());
        if (!places) {
            unplaced_.push_back(map.file);
            continue;
        }
        for (const TilePlace& place : places.value())
            tiles_.push_back({row, place.name, place.bounds, places.value().size() > 1});
    }
    // Small tiles are drawn over large ones, so each stays in sight and clickable.
    std::stable_sort(tiles_.begin(), tiles_.end(),
                     [](const PlacedTile& a, const PlacedTile& b) { return Area(a.bounds) > Area(b.bounds); });
    if (fitted_)
        FitAll();
}

void frmTileMap::ReadMissingPlaces()
{
    std::vector<std::string> paths;
    const MapList& maps = main_.Maps();
    for (std::size_t row = 0; row < maps.RowCount(); ++row) {
        const MapRow& map = maps.Row(row);
        if (map.state != RowState::Missing && !map.notAMap && !places_.contains(map.FullPath()))
            paths.push_back(map.FullPath());
    }
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    std::vector<std::optional<Result<std::vector<TilePlace>>>> read(paths.size());
    ForEachIndex(paths.size(), [&](std::size_t i) { read[i] = ReadTilePlaces(paths[i]); });
    for (std::size_t i = 0; i < paths.size(); ++i)
        places_.emplace(paths[i], std::move(*read[i]));
}

void frmTileMap::Resize(double width, double height)
{
    width_ = width;
    height_ = height;
    if (fitted_)
        FitAll();
}

void frmTileMap::FitAll()
{
    fitted_ = true;
    GeoBox all = tiles_.empty() ? kWorld : tiles_.front().bounds;
    for (const PlacedTile& tile : tiles_)
        all = {std::max(all.north, tile.bounds.north), std::max(all.east, tile.bounds.east),
               std::min(all.south, tile.bounds.south), std::min(all.west, tile.bounds.west)};
    centre_ = {(all.west + all.east) / 2, (all.south + all.north) / 2};
    const double lonSpan = std::max(all.east - all.west, kSmallestSpan);
    const double latSpan = std::max(all.north - all.south, kSmallestSpan);
    if (width_ > 0 && height_ > 0)
        pixelsPerDegree_ = kFitMargin * std::min(width_ / lonSpan, height_ / latSpan);
}

PixelPoint frmTileMap::ToPixels(GeoPoint point) const
{
    return {width_ / 2 + (point.lon - centre_.lon) * pixelsPerDegree_,
            height_ / 2 - (point.lat - centre_.lat) * pixelsPerDegree_};
}

GeoPoint frmTileMap::ToGeo(PixelPoint point) const
{
    return {centre_.lon + (point.x - width_ / 2) / pixelsPerDegree_,
            centre_.lat - (point.y - height_ / 2) / pixelsPerDegree_};
}

PixelRect frmTileMap::RectOf(const GeoBox& box) const
{
    const PixelPoint topLeft = ToPixels(GeoPoint{box.west, box.north});
    const PixelPoint bottomRight = ToPixels(GeoPoint{box.east, box.south});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

// The tile drawn on top at the point: the smallest one there, of equal ones
// the later row.
std::optional<std::size_t> frmTileMap::TileAt(PixelPoint point) const
{
    const GeoPoint at = ToGeo(point);
    for (std::size_t i = tiles_.size(); i-- > 0;)
        if (Contains(tiles_[i].bounds, at))
            return i;
    return std::nullopt;
}

void frmTileMap::MouseDown(int button, int /*shift*/, double x, double y)
{
    if (dragButton_ != 0 || (button != kLeftButton && button != kRightButton))
        return;
    dragButton_ = button;
    pressAt_ = pointer_ = {x, y};
    dragging_ = false;
}

void frmTileMap::MouseMove(int /*buttons*/, int /*shift*/, double x, double y)
{
    const PixelPoint last = pointer_;
    pointer_ = {x, y};
    pointerInside_ = true;
    if (dragButton_ == kLeftButton && std::hypot(x - pressAt_.x, y - pressAt_.y) > kClickSlop)
        dragging_ = true;
    if (dragButton_ == kRightButton) {
        centre_.lon -= (x - last.x) / pixelsPerDegree_;
        centre_.lat += (y - last.y) / pixelsPerDegree_;
        fitted_ = false;
    }
}

void frmTileMap::MouseUp(int button, int shift, double x, double y)
{
    if (button != dragButton_)
        return;
    MouseMove(0, shift, x, y);
    if (button == kLeftButton && dragging_) {
        const PixelRect box = *SelectionBox();
        const GeoPoint topLeft = ToGeo({box.left, box.top});
        const GeoPoint bottomRight = ToGeo({box.right, box.bottom});
        TickTilesIn({topLeft.lat, bottomRight.lon, bottomRight.lat, topLeft.lon});
    } else if (button == kLeftButton) {
        if (const auto tile = TileAt(pointer_))
            main_.PressTickCell(tiles_[*tile].row);
    }
    dragButton_ = 0;
    dragging_ = false;
}

void frmTileMap::MouseLeave() { pointerInside_ = false; }

// Every unticked map with a tile in the box is ticked, in the grid's order,
// which is the order the upload tool then receives them in.
void frmTileMap::TickTilesIn(const GeoBox& box)
{
    std::vector<std::size_t> rows;
    for (const PlacedTile& tile : tiles_)
        if (Overlap(tile.bounds, box) && main_.Maps().Row(tile.row).state == RowState::Unticked)
            rows.push_back(tile.row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const std::size_t row : rows)
        main_.PressTickCell(row);
}

void frmTileMap::MouseWheel(double notches, double x, double y)
{
    const GeoPoint under = ToGeo({x, y});
    pixelsPerDegree_ = std::clamp(pixelsPerDegree_ * std::pow(kZoomPerNotch, notches), kFewestPixelsPerDegree,
                                  kMostPixelsPerDegree);
    centre_ = {under.lon - (x - width_ / 2) / pixelsPerDegree_, under.lat + (y - height_ / 2) / pixelsPerDegree_};
    fitted_ = false;
}

bool frmTileMap::KeyDown(int keyCode, int /*shift*/)
{
    if (keyCode == kKeyEscape) {
        closeRequested_ = true;
        return true;
    }
    if (keyCode != kKeyHome)
        return false;
    FitAll();
    return true;
}

std::vector<TileShape> frmTileMap::Tiles() const
{
    const std::optional<std::size_t> hovered = pointerInside_ && !dragging_ ? TileAt(pointer_) : std::nullopt;
    std::vector<TileShape> shapes;
    shapes.reserve(tiles_.size());
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const PixelRect rect = RectOf(tiles_[i].bounds);
        if (rect.right < 0 || rect.left > width_ || rect.bottom < 0 || rect.top > height_)
            continue;   // out of sight
        shapes.push_back({tiles_[i].row, rect, main_.Maps().Row(tiles_[i].row).state == RowState::Ticked,
                          hovered == i});
    }
    return shapes;
}

std::vector<std::vector<PixelPoint>> frmTileMap::Outlines() const
{
    std::vector<std::vector<PixelPoint>> lines;
    lines.reserve(outlines_.size());
    for (const std::span<const GeoPoint> line : outlines_) {
        std::vector<PixelPoint>& pixels = lines.emplace_back();
        pixels.reserve(line.size());
        for (const GeoPoint point : line)
            pixels.push_back(ToPixels(point));
    }
    return lines;
}

std::optional<PixelRect> frmTileMap::SelectionBox() const
{
    if (dragButton_ != kLeftButton || !dragging_)
        return std::nullopt;
    return PixelRect{std::min(pressAt_.x, pointer_.x), std::min(pressAt_.y, pointer_.y),
                     std::max(pressAt_.x, pointer_.x), std::max(pressAt_.y, pointer_.y)};
}

// "63240001.img", its map name and its size, one a line; a combined file's
// tile adds its own name.
std::string frmTileMap::ToolTip() const
{
    if (!pointerInside_ || dragging_)
        return {};
    const auto tile = TileAt(pointer_);
    if (!tile)
        return {};
    const PlacedTile& placed = tiles_[*tile];
    const MapRow& map = main_.Maps().Row(placed.row);
    const std::string name = TrimmedName(placed.name);
    return map.file + (placed.oneOfMany && !name.empty() ? ", tile " + name : "") + "\n" + TrimmedName(map.mapName) + "\n" +
           std::to_string(map.bytes) + " bytes";
}

std::string frmTileMap::StatusText() const
{
    if (unplaced_.empty())
        return {};
    return "Not on the map, as where they lie could not be read: " + NamesInOneLine(unplaced_);
}

} // namespace mapwren
