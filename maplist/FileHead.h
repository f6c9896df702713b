#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/Result.h"

// Reading the first bytes and the size of files, one open each: the only
// place of the map list that talks to the file system.
namespace mapwren {

struct FileHead {
    std::string bytes;        // at most the requested count; fewer for a short file
    std::uint64_t size = 0;   // the file's length in bytes
};

// Reads up to `count` bytes from the start of the file at path.
Result<FileHead> ReadFileHead(const std::string& path, std::size_t count);

// A folder opened once to list it and read its files by name.
class FolderReader {
public:
    explicit FolderReader(const std::string& folder);   // folder ends with the separator
    ~FolderReader();
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    // Names of the visible ordinary files, in the order the file system gives
    // them; empty when the folder cannot be listed.
    std::vector<std::string> FileNames() const;
    Result<FileHead> ReadHead(const std::string& name, std::size_t count) const;
    // Length of a file whose head could not be read; 0 when unknown.
    std::uint64_t SizeOf(const std::string& name) const;

private:
    std::string folder_;
#ifndef _WIN32
    int fd_ = -1;
#endif
};

} // namespace mapwren
