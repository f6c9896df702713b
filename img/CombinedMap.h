#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Result.h"

// One combined map file (the kind receivers read from their Garmin folder)
// made from the ticked maps: first planned, so that everything that cannot
// go in is known and can be asked about before a byte is written, then
// written by streaming each tile's subfiles into place.
namespace mapwren {

// A later map whose subfile an earlier map holds already: one file cannot
// hold both, so the later tile has to be left out.
struct CombinedClash {
    std::string later;     // the later map file's path
    std::string earlier;   // the earlier map file's path
    std::string subfile;   // the name both hold, as "63240001.TRE"
};

// A map file that cannot go into a combined file, and why (a sentence).
struct CombinedUnusable {
    std::string path;
    std::string why;
};

// Where one subfile's bytes come from: runs of bytes in a source file.
struct CombinedPiece {
    std::size_t source = 0;      // index into CombinedPlan::Sources()
    std::string name;            // 8 characters, blank-padded, as the directory holds it
    std::string type;            // 3 characters: "TRE", "RGN", "TYP"...
    std::uint32_t size = 0;
    struct Run {
        std::uint64_t offset = 0;
        std::uint32_t length = 0;
    };
    std::vector<Run> runs;       // in order; their lengths add up to size
};

// One tile of the combined file and what its map record says (texts as the
// file holds them, in its single-byte code page).
struct CombinedTile {
    std::size_t source = 0;
    std::string name;              // the tile's subfile name, as "63240001"
    std::uint16_t productId = 1;
    std::uint16_t familyId = 6324;
    std::uint32_t mapNumber = 0;   // the name as a number, 0 when it is none
    std::uint32_t mapId = 0;       // the TRE's map id
    std::string seriesName, description, areaName;
    std::vector<std::size_t> pieces;   // indices into CombinedPlan::Pieces()
};

// Progress of a write, reported at least four times a second.
struct CombinedProgress {
    std::size_t mapsDone = 0, mapsTotal = 0;
    std::uint64_t bytesDone = 0, bytesTotal = 0;
};

// What a combined file of the given maps will hold. Build it with
// PlanCombinedMap; ask the user about Clashes() and Unusable() first.
class CombinedPlan {
public:
    // Later maps whose tiles clash with earlier ones, in upload order: one
    // entry per later tile, naming the first subfile it shares.
    const std::vector<CombinedClash>& Clashes() const { return clashes_; }
    // Maps that go in nowhere whatever the answer: not a readable map
    // container, a damaged directory, or tiles packed in the newer format.
    // They are never written; the question only names them.
    const std::vector<CombinedUnusable>& Unusable() const { return unusable_; }
    // The paths of Clashes()' later maps, each once, in upload order.
    std::vector<std::string> ClashingFiles() const;
    // The paths of Unusable(), in upload order.
    std::vector<std::string> UnusableFiles() const;

    // Leaves every clashing later tile out (a combined map given as input
    // keeps its other tiles); afterwards Clashes() is empty.
    void LeaveOutClashes();
    // Unusable maps are never written; this only forgets them, so that
    // Unusable() is empty once the user has agreed.
    void LeaveOutUnusable();

    // The exact length in bytes of the file WriteCombinedMap writes.
    std::uint64_t FileSize() const;
    // Tiles written, and the map files they come from (the "maps" of the
    // progress and of the closing message).
    std::size_t TileCount() const { return tiles_.size(); }
    std::size_t MapCount() const;
    // TYP files (the maps' look) that go in.
    std::size_t TypCount() const;
    // The text in the file's header and in its mapset record, in the
    // header's single-byte code page.
    const std::string& Description() const { return description_; }

    // The files bytes are copied from: the maps, and TYP files found beside them.
    const std::vector<std::string>& Sources() const { return sources_; }
    const std::vector<CombinedTile>& Tiles() const { return tiles_; }
    // Every subfile written but the product list, in the order written.
    const std::vector<CombinedPiece>& Pieces() const { return pieces_; }
    // Block size of the file to be written, in bytes (a power of two, 512 or more).
    unsigned BlockSize() const;

    std::uint8_t SourceXor(std::size_t source) const { return sourceXor_[source]; }
    // The description as UTF-8, for messages.
    const std::string& DescriptionText() const { return descriptionUtf8_; }

    // A map family's ids and name, for the product list's family records.
    struct Family {
        std::uint16_t productId = 1, familyId = 6324;
        std::string name;
    };
    const std::vector<Family>& Families() const { return families_; }

private:
    friend class CombinedPlanner;
    std::vector<std::string> sources_;
    std::vector<std::uint8_t> sourceXor_;   // the XOR byte of each source
    std::vector<CombinedTile> tiles_;
    std::vector<CombinedPiece> pieces_;
    std::vector<CombinedClash> clashes_;
    std::vector<std::size_t> clashingTiles_;   // indices into tiles_, one per clash
    std::vector<CombinedUnusable> unusable_;
    std::vector<Family> families_;
    std::string description_;               // as the header holds it
    std::string descriptionUtf8_;
};

// Plans a combined file of the maps at paths, in upload order. A combined
// map among them is taken apart into its tiles. mapsetName, when not empty,
// is the file's description and mapset name. Fails only when no map at all
// could go in (the message names the files); a single unusable map is listed
// in the plan instead.
Result<CombinedPlan> PlanCombinedMap(const std::vector<std::string>& paths, const std::string& mapsetName);

// The name of the temporary file a write of target uses, beside it: a file
// of this name left by a write that was cut off (a receiver pulled out) can
// be recognised and removed.
std::string CombinedTemporaryName(const std::string& target);

// Writes the plan's file to target: into CombinedTemporaryName(target),
// flushed to the disk, then renamed over target. Refuses a plan that still
// has clashes. progress returning false cancels. On any failure or cancel
// the temporary file is removed and target is left as it was (absent, or
// the file that stood there); the message names the file and says why.
Status WriteCombinedMap(const CombinedPlan& plan, const std::string& target,
                        const std::function<bool(const CombinedProgress&)>& progress);

// The message of a write cancelled by its progress callback.
std::string CombinedCancelledMessage(const std::string& target);

} // namespace mapwren
