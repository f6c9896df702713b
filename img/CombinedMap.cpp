#include "img/CombinedMap.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <system_error>

#include "common/Encoding.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "img/CombinedFile.h"
#include "img/ImgContainer.h"

namespace mapwren {

namespace {

namespace fs = std::filesystem;

constexpr std::uint16_t kDefaultFamily = 6324, kDefaultProduct = 1;
// The description of a file made without a mapset name.
constexpr std::string_view kDefaultDescription = "MAPWREN combined map";

std::string Trimmed(std::string_view text)
{
    const auto end = text.find_last_not_of(' ');
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

// UTF-8 text in the single-byte code page map files hold; a character it
// lacks becomes "?".
std::string ToHeaderBytes(std::string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        unsigned code = length == 1 ? c : c & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        bytes += code < 0x80 || (code >= 0xA0 && code <= 0xFF) ? static_cast<char>(code) : '?';
        i += length;
    }
    return bytes;
}

// A text up to its zero byte, from at; at moves past the zero byte.
std::string TextAt(std::string_view body, std::size_t& at)
{
    const std::size_t end = std::min(body.find('\0', at), body.size());
    std::string text(body.substr(at, end - at));
    at = end + 1;
    return text;
}

// What a map product says about itself, from a TDB, a TYP or a product list.
struct ProductInfo {
    std::uint16_t productId = kDefaultProduct, familyId = kDefaultFamily;
    std::string seriesName, familyName;
};

// A TDB file's product record: product and family ids, series and family names.
std::optional<ProductInfo> ReadTdb(const std::string& path)
{
    auto file = ImgFile::Open(path);
    const auto bytes = file ? file.value().Read(0, 1024) : std::nullopt;
    if (!bytes || bytes->size() < 9 || (*bytes)[0] != 'P')
        return std::nullopt;
    const std::size_t length = LittleEndian(*bytes, 1, 2);
    if (length < 6 || 3 + length > bytes->size())
        return std::nullopt;
    const std::string_view body = std::string_view(*bytes).substr(3, length);
    ProductInfo info{static_cast<std::uint16_t>(LittleEndian(body, 0, 2)),
                     static_cast<std::uint16_t>(LittleEndian(body, 2, 2)), {}, {}};
    std::size_t at = 6;
    info.seriesName = TextAt(body, at);
    at += 2;   // the product's version
    if (at < body.size())
        info.familyName = TextAt(body, at);
    return info;
}

constexpr std::size_t kTypFamilyAt = 0x2F, kTypHeaderLength = 0x33;

bool IsTypHeader(std::string_view head) { return head.size() >= kTypHeaderLength && head.substr(2, 10) == "GARMIN TYP"; }

ProductInfo TypProduct(std::string_view head)
{
    return {static_cast<std::uint16_t>(LittleEndian(head, kTypFamilyAt + 2, 2)),
            static_cast<std::uint16_t>(LittleEndian(head, kTypFamilyAt, 2)), {}, {}};
}

// A combined map's product list: map records by tile name, family names by ids.
struct ProductList {
    struct MapRecord {
        ProductInfo product;
        std::string description, areaName;
    };
    std::map<std::uint32_t, MapRecord> maps;   // by map number
    std::map<std::pair<std::uint16_t, std::uint16_t>, std::string> families;
};

ProductList ReadProductList(std::string_view bytes)
{
    ProductList list;
    for (std::size_t at = 0; at + 3 <= bytes.size();) {
        const char type = bytes[at];
        const std::size_t length = LittleEndian(bytes, at + 1, 2);
        if (at + 3 + length > bytes.size())
            break;
        const std::string_view body = bytes.substr(at + 3, length);
        at += 3 + length;
        if (type == 'L' && body.size() >= 8) {
            ProductList::MapRecord record;
            record.product.productId = static_cast<std::uint16_t>(LittleEndian(body, 0, 2));
            record.product.familyId = static_cast<std::uint16_t>(LittleEndian(body, 2, 2));
            std::size_t textAt = 8;
            record.product.seriesName = TextAt(body, textAt);
            record.description = TextAt(body, textAt);
            record.areaName = TextAt(body, textAt);
            list.maps[LittleEndian(body, 4, 4)] = record;
        } else if (type == 'F' && body.size() >= 4) {
            std::size_t textAt = 4;
            list.families[{static_cast<std::uint16_t>(LittleEndian(body, 0, 2)),
                           static_cast<std::uint16_t>(LittleEndian(body, 2, 2))}] = TextAt(body, textAt);
        }
    }
    return list;
}

std::uint32_t MapNumberOf(const std::string& name)
{
    const std::string trimmed = Trimmed(name);
    if (trimmed.empty() || trimmed.size() > 9 || trimmed.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return static_cast<std::uint32_t>(std::stoul(trimmed));
}

// An upper-case 8-character name for a TYP file from its file name.
std::string TypName(const fs::path& file)
{
    std::string name = ToUpperAscii(Utf8FromPath(file.stem()));
    for (char& c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
            c = '_';
    return name.substr(0, 8);
}

std::string Padded(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string Put(std::uint32_t value, int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

} // namespace

// Builds a plan map file by map, in upload order.
class CombinedPlanner {
public:
    explicit CombinedPlanner(CombinedPlan& plan) : plan_(plan) {}

    void Add(const std::string& path)
    {
        auto opened = ImgFile::Open(path);
        if (!opened)
            return Unusable(path, opened.error());
        ImgFile& file = opened.value();
        const auto directory = ReadImgDirectory(file);
        if (!directory)
            return Unusable(path, directory.error());
        const auto& subfiles = directory.value().subfiles;
        if (std::any_of(subfiles.begin(), subfiles.end(), [](const ImgSubfile& s) { return s.type == "GMP"; }))
            return Unusable(path, "The map file \"" + path +
                                      "\" holds its tiles in the newer packed form (a GMP subfile), which a "
                                      "combined map file cannot carry.");
        std::vector<std::string> tileNames;
        for (const ImgSubfile& s : subfiles)
            if (s.type == "TRE" && std::find(tileNames.begin(), tileNames.end(), s.name) == tileNames.end())
                tileNames.push_back(s.name);
        if (tileNames.empty())
            return Unusable(path, "The map file \"" + path + "\" holds no map tile (no TRE subfile).");

        const std::size_t source = AddSource(path, file.Xor());
        ProductList list;
        for (const ImgSubfile& s : subfiles)
            if (s.type == "MPS")
                if (const auto bytes = ReadSubfileHead(file, directory.value(), s, s.size))
                    list = ReadProductList(*bytes);
        const fs::path folder = PathFromUtf8(path).parent_path();
        const ProductInfo beside = ProductBeside(folder);
        if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end())
            folders_.push_back(folder);
        const std::string description = Trimmed(ImgDescriptionBytes(directory.value().header));

        for (const std::string& name : tileNames) {
            CombinedTile tile;
            tile.source = source;
            tile.name = Trimmed(name);
            tile.mapNumber = MapNumberOf(name);
            const auto record = list.maps.find(tile.mapNumber);
            const ProductInfo& product = record != list.maps.end() ? record->second.product : beside;
            tile.productId = product.productId;
            tile.familyId = product.familyId;
            tile.seriesName = product.seriesName;
            tile.description = record != list.maps.end() ? record->second.description : description;
            tile.areaName = record != list.maps.end() ? record->second.areaName : "";
            std::string familyName = product.familyName;
            if (const auto f = list.families.find({product.productId, product.familyId}); f != list.families.end())
                familyName = f->second;
            AddFamily(product.productId, product.familyId, familyName);
            std::optional<CombinedClash> clash;
            for (const ImgSubfile& s : subfiles) {
                if (s.name != name)
                    continue;
                if (s.type == "TRE")
                    tile.mapId = MapIdOf(file, directory.value(), s);
                if (const auto held = held_.find(s.FullName()); held != held_.end() && !clash)
                    clash = CombinedClash{path, plan_.sources_[held->second], s.FullName()};
                tile.pieces.push_back(plan_.pieces_.size());
                plan_.pieces_.push_back(PieceOf(source, s, directory.value().blockSize));
            }
            if (clash) {
                plan_.clashes_.push_back(*clash);
                plan_.clashingTiles_.push_back(plan_.tiles_.size());
            } else {
                for (const std::size_t piece : tile.pieces)
                    held_[FullName(plan_.pieces_[piece])] = source;
            }
            plan_.tiles_.push_back(std::move(tile));
        }
        for (const ImgSubfile& s : subfiles) {
            if (std::find(tileNames.begin(), tileNames.end(), s.name) != tileNames.end())
                continue;
            if (s.type == "TYP") {
                const auto head = ReadSubfileHead(file, directory.value(), s, kTypHeaderLength);
                if (head && IsTypHeader(*head))
                    AddTyp(PieceOf(source, s, directory.value().blockSize), TypProduct(*head));
            } else if (s.type != "MPS" && s.type != "MDR" && !held_.count(s.FullName())) {
                held_[s.FullName()] = source;
                extras_.push_back(PieceOf(source, s, directory.value().blockSize));
            }
        }
    }

    // The TYP files beside the maps, then the other subfiles kept, after the tiles.
    void Finish(const std::string& mapsetName)
    {
        for (const fs::path& folder : folders_) {
            for (const fs::path& typ : FilesEndingIn(folder, ".typ")) {
                const std::string path = Utf8FromPath(typ);
                auto file = ImgFile::Open(path);
                const auto head = file ? file.value().Read(0, kTypHeaderLength) : std::nullopt;
                if (!head || !IsTypHeader(*head) || file.value().Size() > UINT32_MAX)
                    continue;
                CombinedPiece piece;
                piece.source = AddSource(path, 0);
                piece.name = Padded(TypName(typ), 8);
                piece.type = "TYP";
                piece.size = static_cast<std::uint32_t>(file.value().Size());
                piece.runs.push_back({0, piece.size});
                AddTyp(std::move(piece), TypProduct(*head));
            }
        }
        for (CombinedPiece& piece : typs_)
            plan_.pieces_.push_back(std::move(piece));
        for (CombinedPiece& piece : extras_)
            plan_.pieces_.push_back(std::move(piece));
        plan_.descriptionUtf8_ = mapsetName.empty() ? std::string(kDefaultDescription) : mapsetName;
        plan_.description_ = ToHeaderBytes(plan_.descriptionUtf8_);
        for (CombinedPlan::Family& family : plan_.families_)
            if (family.name.empty())
                family.name = plan_.description_;
        for (CombinedTile& tile : plan_.tiles_) {
            if (tile.seriesName.empty())
                tile.seriesName = FamilyName(tile.productId, tile.familyId);
        }
    }

private:
    void Unusable(const std::string& path, const std::string& why) { plan_.unusable_.push_back({path, why}); }

    std::size_t AddSource(const std::string& path, std::uint8_t xorByte)
    {
        plan_.sources_.push_back(path);
        plan_.sourceXor_.push_back(xorByte);
        return plan_.sources_.size() - 1;
    }

    void AddFamily(std::uint16_t productId, std::uint16_t familyId, const std::string& name)
    {
        for (CombinedPlan::Family& family : plan_.families_)
            if (family.productId == productId && family.familyId == familyId) {
                if (family.name.empty())
                    family.name = name;
                return;
            }
        plan_.families_.push_back({productId, familyId, name});
    }

    const std::string& FamilyName(std::uint16_t productId, std::uint16_t familyId) const
    {
        for (const CombinedPlan::Family& family : plan_.families_)
            if (family.productId == productId && family.familyId == familyId)
                return family.name;
        return plan_.description_;
    }

    // A TYP file goes in once per family, product and size; one whose name
    // another holds gets a numbered name.
    void AddTyp(CombinedPiece piece, const ProductInfo& product)
    {
        const std::tuple key{product.familyId, product.productId, piece.size};
        if (!typKeys_.insert(key).second)
            return;
        std::string name = piece.name;
        for (int n = 1; held_.count(Trimmed(name) + ".TYP") && n < 100; ++n)
            name = Padded(Trimmed(piece.name).substr(0, 6) + (n < 10 ? "0" : "") + std::to_string(n), 8);
        piece.name = name;
        held_[FullName(piece)] = piece.source;
        typs_.push_back(std::move(piece));
    }

    // The ids of the map product a tile's folder holds: its TDB file's, else
    // its TYP file's, else the defaults (the first file by name of several).
    ProductInfo ProductBeside(const fs::path& folder)
    {
        const auto known = products_.find(folder);
        if (known != products_.end())
            return known->second;
        ProductInfo info;
        bool found = false;
        for (const fs::path& tdb : FilesEndingIn(folder, ".tdb"))
            if (const auto read = ReadTdb(Utf8FromPath(tdb)); read && !found) {
                info = *read;
                found = true;
            }
        for (const fs::path& typ : found ? std::vector<fs::path>{} : FilesEndingIn(folder, ".typ")) {
            auto file = ImgFile::Open(Utf8FromPath(typ));
            const auto head = file ? file.value().Read(0, kTypHeaderLength) : std::nullopt;
            if (head && IsTypHeader(*head) && !found) {
                info = TypProduct(*head);
                found = true;
            }
        }
        return products_[folder] = info;
    }

    // The folder's files whose names end in suffix (any case), by name.
    static std::vector<fs::path> FilesEndingIn(const fs::path& folder, std::string_view suffix)
    {
        std::vector<fs::path> files;
        std::error_code ec;
        for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end; it.increment(ec))
            if (EndsWithNoCase(Utf8FromPath(it->path().filename()), suffix))
                files.push_back(it->path());
        std::sort(files.begin(), files.end());
        return files;
    }

    static std::uint32_t MapIdOf(const ImgFile& file, const ImgDirectory& directory, const ImgSubfile& tre)
    {
        constexpr std::size_t kMapIdAt = 0x74;
        const auto head = ReadSubfileHead(file, directory, tre, kMapIdAt + 4);
        if (!head || head->size() < kMapIdAt + 4 || LittleEndian(*head, 0, 2) < kMapIdAt + 4)
            return 0;
        return LittleEndian(*head, kMapIdAt, 4);
    }

    static CombinedPiece PieceOf(std::size_t source, const ImgSubfile& s, unsigned blockSize)
    {
        CombinedPiece piece{source, s.name, s.type, s.size, {}};
        std::uint32_t left = s.size;
        for (std::size_t i = 0; left > 0; ++i) {
            const std::uint32_t length = std::min<std::uint32_t>(left, blockSize);
            const std::uint64_t offset = std::uint64_t{s.blocks[i]} * blockSize;
            if (!piece.runs.empty() && piece.runs.back().offset + piece.runs.back().length == offset)
                piece.runs.back().length += length;
            else
                piece.runs.push_back({offset, length});
            left -= length;
        }
        return piece;
    }

    static std::string FullName(const CombinedPiece& piece) { return Trimmed(piece.name) + "." + Trimmed(piece.type); }

    CombinedPlan& plan_;
    std::map<std::string, std::size_t> held_;   // subfile names taken, with the source holding each
    std::vector<fs::path> folders_;
    std::map<fs::path, ProductInfo> products_;
    std::set<std::tuple<std::uint16_t, std::uint16_t, std::uint32_t>> typKeys_;
    std::vector<CombinedPiece> typs_, extras_;
};

std::vector<std::string> CombinedPlan::ClashingFiles() const
{
    std::vector<std::string> files;
    for (const CombinedClash& clash : clashes_)
        if (std::find(files.begin(), files.end(), clash.later) == files.end())
            files.push_back(clash.later);
    return files;
}

std::vector<std::string> CombinedPlan::UnusableFiles() const
{
    std::vector<std::string> files;
    for (const CombinedUnusable& u : unusable_)
        files.push_back(u.path);
    return files;
}

void CombinedPlan::LeaveOutClashes()
{
    std::vector<bool> dropTile(tiles_.size()), dropPiece(pieces_.size());
    for (const std::size_t t : clashingTiles_) {
        dropTile[t] = true;
        for (const std::size_t p : tiles_[t].pieces)
            dropPiece[p] = true;
    }
    std::vector<std::size_t> newIndex(pieces_.size());
    std::vector<CombinedPiece> pieces;
    for (std::size_t p = 0; p < pieces_.size(); ++p) {
        newIndex[p] = pieces.size();
        if (!dropPiece[p])
            pieces.push_back(std::move(pieces_[p]));
    }
    std::vector<CombinedTile> tiles;
    for (std::size_t t = 0; t < tiles_.size(); ++t) {
        if (dropTile[t])
            continue;
        for (std::size_t& p : tiles_[t].pieces)
            p = newIndex[p];
        tiles.push_back(std::move(tiles_[t]));
    }
    pieces_ = std::move(pieces);
    tiles_ = std::move(tiles);
    clashes_.clear();
    clashingTiles_.clear();
    // A family all of whose tiles are gone gets no record.
    std::erase_if(families_, [&](const Family& f) {
        return std::none_of(tiles_.begin(), tiles_.end(),
                            [&](const CombinedTile& t) { return t.productId == f.productId && t.familyId == f.familyId; });
    });
}

void CombinedPlan::LeaveOutUnusable() { unusable_.clear(); }

std::size_t CombinedPlan::MapCount() const
{
    std::size_t count = 0;
    for (std::size_t t = 0; t < tiles_.size(); ++t)
        count += t == 0 || tiles_[t].source != tiles_[t - 1].source;
    return count;
}

std::size_t CombinedPlan::TypCount() const
{
    return static_cast<std::size_t>(
        std::count_if(pieces_.begin(), pieces_.end(), [](const CombinedPiece& p) { return p.type == "TYP"; }));
}

std::uint64_t CombinedPlan::FileSize() const
{
    const auto layout = LayOut(*this);
    return layout ? layout->FileSize() : 0;
}

unsigned CombinedPlan::BlockSize() const
{
    const auto layout = LayOut(*this);
    return layout ? layout->blockSize : 0;
}

Result<CombinedPlan> PlanCombinedMap(const std::vector<std::string>& paths, const std::string& mapsetName)
{
    CombinedPlan plan;
    CombinedPlanner planner(plan);
    for (const std::string& path : paths)
        planner.Add(path);
    planner.Finish(mapsetName);
    if (plan.Tiles().empty()) {
        std::vector<std::string> named = plan.UnusableFiles();
        return Result<CombinedPlan>::Failure(
            named.empty() ? "No map was given to combine."
                          : "None of the maps can go into a combined map file:" + ListedPaths(named));
    }
    if (!LayOut(plan))
        return Result<CombinedPlan>::Failure("The maps are too large for one combined map file.");
    return plan;
}

std::string CombinedMpsBytes(const CombinedPlan& plan)
{
    std::string bytes;
    const auto record = [&](char type, const std::string& body) {
        bytes += type;
        bytes += Put(static_cast<std::uint32_t>(body.size()), 2);
        bytes += body;
    };
    for (const CombinedTile& tile : plan.Tiles())
        record('L', Put(tile.productId, 2) + Put(tile.familyId, 2) + Put(tile.mapNumber, 4) + tile.seriesName + '\0' +
                        tile.description + '\0' + tile.areaName + '\0' + Put(tile.mapId, 4) + Put(0, 4));
    for (const CombinedPlan::Family& family : plan.Families())
        record('F', Put(family.productId, 2) + Put(family.familyId, 2) + family.name + '\0');
    record('V', plan.Description() + '\0' + '\0');
    return bytes;
}

} // namespace mapwren
