#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/Result.h"
#include "maplist/MapHeader.h"

// Reading the first bytes and the size of map files, one open each, many in
// a batch: how a folder's or a list's rows get their names and sizes.
namespace mapwren {

// The header bytes of a map file (fewer for a short file) and its length.
struct FileHead {
    std::array<char, kHeaderLength> buffer;
    std::size_t length = 0;
    std::uint64_t size = 0;

    std::string_view Bytes() const { return {buffer.data(), length}; }
};

Result<FileHead> ReadFileHead(const std::string& path);

class FolderReader;

inline constexpr std::uint64_t kUnknownSize = UINT64_MAX;

// One file of a batch: its name in an open folder, or its full path when
// folder is null; with its size when the folder's listing gave it.
struct HeadRequest {
    const FolderReader* folder = nullptr;
    const std::string* name = nullptr;
    std::uint64_t listedSize = kUnknownSize;
};

// A folder opened once to list it and read its files by name.
class FolderReader {
public:
    explicit FolderReader(const std::string& folder);   // folder ends with the separator
    ~FolderReader();
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    struct Entry {
        std::string name;
        std::uint64_t readOrder = 0;   // reading files by this key is fastest (the inode on POSIX)
        std::string shortName;         // Windows, when asked: the 8.3 name, empty when the name is its own
        std::uint64_t size = kUnknownSize;   // Windows: the size the listing gave
    };
    bool IsOpen() const;
    const std::string& Folder() const { return folder_; }
    // The ordinary files (links followed), hidden ones only when asked, in
    // the order the file system gives them; empty when the folder cannot be
    // listed, and then the system's reason is in ListingError.
    std::vector<Entry> Files(bool withHidden = false, bool withShortNames = false) const;
    const std::error_code& ListingError() const { return listingError_; }
#ifdef _WIN32
    const std::wstring& ListedFolder() const { return listedFolder_; }
#endif
    // The folder's own size in bytes, which grows with its entries; 0 when unknown.
    std::uint64_t ListingSize() const;
    Result<FileHead> ReadHead(const std::string& name) const;
    // Length of a file whose head could not be read; none when the system
    // will not tell it, which an empty file's 0 must not be mistaken for.
    std::optional<std::uint64_t> SizeOf(const std::string& name) const;

private:
    friend std::vector<Result<FileHead>> ReadFileHeads(std::span<const HeadRequest> files);
    std::string folder_;
    mutable std::error_code listingError_;
#ifdef _WIN32
    std::wstring listedFolder_;   // the full path in its "\\?\" form, so every name opens as it is listed
#else
    int fd_ = -1;
    std::error_code openError_;
#endif
};

// The heads of many files, answered in the order asked, each as ReadHead or
// ReadFileHead would answer it. Where the system allows (io_uring on Linux),
// 64 files share five calls into the system instead of costing four each.
std::vector<Result<FileHead>> ReadFileHeads(std::span<const HeadRequest> files);

} // namespace mapwren
