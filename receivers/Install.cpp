#include "receivers/Install.h"

#include <cerrno>
#include <filesystem>

#include "common/Paths.h"
#include "common/Text.h"
#include "receivers/Places.h"

#ifdef _WIN32
#include <windows.h>
#include "common/Encoding.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace mapwren {

std::vector<std::string> FindLeftovers(const std::string& garminFolder,
                                       const std::function<bool(const std::string&)>& isTemporary)
{
    std::vector<std::string> found;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(PathFromUtf8(garminFolder), error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = Utf8FromPath(entry->path().filename());
        if (isTemporary(name) && entry->is_regular_file(error))
            found.push_back(JoinPath(garminFolder, name));
    }
    return found;
}

bool IsCombinedTemporary(const std::string& fileName)
{
    // The temporary name is the target's with an ending of its own.
    return EndsWithNoCase(fileName, CombinedTemporaryName(""));
}

Status InstallCombinedMap(const CombinedPlan& plan, const std::string& target,
                          const std::function<bool(const CombinedProgress&)>& progress)
{
    const std::filesystem::path folder = PathFromUtf8(target).parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return Status::Failure("The folder " + Utf8FromPath(folder) + " could not be made: " + error.message() + ".");
    if (Status written = WriteCombinedMap(plan, target, progress); !written)
        return written;
    return FlushToDevice(target);
}

Status RemoveLeftovers(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        std::error_code error;
        std::filesystem::remove(PathFromUtf8(path), error);
        if (error)
            return Status::Failure("The unfinished file " + path + " could not be removed: " + error.message() + ".");
    }
    return {};
}

#ifdef _WIN32
Status FlushToDevice(const std::string& path)
{
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!flushed)
        return Status::Failure("The map file " + path + " could not be written through to the device.");
    return {};
}

std::optional<std::vector<std::string>> EjectCommand(const std::string&, const std::string&)
{
    return std::nullopt;
}

Status RunAndWait(const std::vector<std::string>& argv)
{
    return Status::Failure((argv.empty() ? std::string() : argv[0]) + " cannot be run here.");
}
#else
Status FlushToDevice(const std::string& path)
{
    // The file's data, then the folder's entry that the rename changed, then
    // everything else the volume still holds in the cache.
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const std::string folder = Utf8FromPath(PathFromUtf8(path).parent_path());
    const int directory = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool flushed = file >= 0 && fsync(file) == 0 && directory >= 0 && fsync(directory) == 0 &&
                         syncfs(directory) == 0;
    if (file >= 0)
        close(file);
    if (directory >= 0)
        close(directory);
    if (!flushed)
        return Status::Failure("The map file " + path + " could not be written through to the device.");
    return {};
}

namespace {

std::optional<std::string> OnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

std::string CommandText(const std::vector<std::string>& argv)
{
    std::string text;
    for (const std::string& word : argv)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

} // namespace

Status RunAndWait(const std::vector<std::string>& argv)
{
    std::vector<char*> words;
    for (const std::string& word : argv)
        words.push_back(const_cast<char*>(word.c_str()));
    words.push_back(nullptr);
    pid_t pid = 0;
    if (argv.empty() || posix_spawnp(&pid, words[0], nullptr, nullptr, words.data(), environ) != 0)
        return Status::Failure(CommandText(argv) + " could not be started.");
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return Status::Failure(CommandText(argv) + " failed" +
                               (WIFEXITED(status) ? " with exit code " + std::to_string(WEXITSTATUS(status)) : "") +
                               ".");
    return {};
}

std::optional<std::vector<std::string>> EjectCommand(const std::string& root, const std::string& device)
{
    if (auto gio = OnPath("gio"))
        return std::vector<std::string>{*gio, "mount", "-e", root};
    if (auto udisks = OnPath("udisksctl"); udisks && device.starts_with("/dev/"))
        return std::vector<std::string>{*udisks, "unmount", "-b", device};
    return std::nullopt;
}
#endif

} // namespace mapwren
