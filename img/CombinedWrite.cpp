#include <algorithm>
#include <vector>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>

#include "common/Paths.h"
#include "img/CombinedFile.h"
#include "img/CombinedMap.h"
#include "img/ImgContainer.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace mapwren {

namespace {

namespace fs = std::filesystem;

// Bytes copied a step at a time: small enough that progress and Cancel are
// seen several times a second even on a slow memory card.
constexpr std::size_t kStep = 1 << 20;
#ifdef __linux__
// The data written is pushed to the disk a window at a time, so that the
// progress shows what reached the disk and the final flush does not wait
// for gigabytes held in memory.
constexpr std::uint64_t kFlushWindow = 32 << 20;
#endif

std::string WriteFailure(const std::string& target, const std::string& why)
{
    return "The combined map file \"" + target + "\" could not be written: " + why + ".";
}

#ifdef _WIN32
std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }
#else
std::error_code LastError() { return {errno, std::generic_category()}; }
#endif

// The file being written, at explicit offsets.
class OutFile {
public:
    ~OutFile() { Close(); }

    std::error_code Create(const fs::path& path)
    {
#ifdef _WIN32
        handle_ = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        return handle_ == INVALID_HANDLE_VALUE ? LastError() : std::error_code();
#else
        // A leftover of a write that was cut off is replaced, never followed if it is a link.
        ::unlink(path.c_str());
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        return fd_ < 0 ? LastError() : std::error_code();
#endif
    }

    // Writes at offset, the gap since the end written so far filled with
    // zeros first: FAT has no holes, and a FUSE file system such as fusefat
    // refuses a write past a file's end.
    std::error_code Write(std::uint64_t offset, const char* bytes, std::size_t count)
    {
        if (const std::error_code ec = FillTo(offset))
            return ec;
        end_ = std::max(end_, offset + count);
        return WriteAt(offset, bytes, count);
    }

    std::error_code WriteAt(std::uint64_t offset, const char* bytes, std::size_t count)
    {
        while (count > 0) {
#ifdef _WIN32
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            DWORD n = 0;
            if (!WriteFile(handle_, bytes, static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30)), &n, &at))
                return LastError();
#else
            const ssize_t n = ::pwrite(fd_, bytes, count, static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return LastError();
            if (n == 0)
                return std::make_error_code(std::errc::no_space_on_device);
#endif
            offset += static_cast<std::uint64_t>(n);
            bytes += n;
            count -= static_cast<std::size_t>(n);
        }
        return {};
    }

    // Copies count bytes of source from offset by the system's own range
    // copy where it can; false when it cannot (then nothing was copied and
    // the caller copies through memory), an error when a copy failed.
    std::optional<std::error_code> CopyRange(const ImgFile& source, std::uint64_t from, std::uint64_t to,
                                             std::size_t count)
    {
#ifdef __linux__
        if (!rangeCopies_ || source.Xor() != 0)
            return std::nullopt;
        if (const std::error_code ec = FillTo(to))
            return ec;
        auto in = static_cast<loff_t>(from), out = static_cast<loff_t>(to);
        std::size_t done = 0;
        while (done < count) {
            const ssize_t n = ::copy_file_range(source.Handle(), &in, fd_, &out, count - done, 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && done == 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
                                       errno == EBADF || errno == ETXTBSY)) {
                rangeCopies_ = false;   // not between these file systems: through memory from now on
                return std::nullopt;
            }
            if (n < 0)
                return LastError();
            if (n == 0)
                return std::make_error_code(std::errc::io_error);   // the source shrank: said by the caller
            done += static_cast<std::size_t>(n);
            end_ = std::max(end_, static_cast<std::uint64_t>(out));
        }
        return std::error_code();
#else
        (void)source, (void)from, (void)to, (void)count;
        return std::nullopt;
#endif
    }

    // Starts writing each finished window to the disk and waits until the
    // window before it is there, a step at a time with report called
    // between steps, so that a slow card still shows progress several times
    // a second and at most two windows wait in memory. With all, waits for
    // everything written. False when report says to stop.
    bool Pace(std::uint64_t written, const std::function<bool()>& report, bool all = false)
    {
#ifdef __linux__
        while (written >= started_ + kFlushWindow || (all && started_ < written)) {
            ::sync_file_range(fd_, static_cast<off_t>(started_), kFlushWindow, SYNC_FILE_RANGE_WRITE);
            started_ += kFlushWindow;
            const std::uint64_t until = all ? written : started_ - std::min(started_, kFlushWindow);
            for (; waited_ < until; waited_ += kStep) {
                ::sync_file_range(fd_, static_cast<off_t>(waited_), kStep,
                                  SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
                if (!report())
                    return false;
            }
        }
#else
        (void)written, (void)all;
        return report();
#endif
        return true;
    }

    // Sets the length, flushes everything to the disk and closes.
    std::error_code Finish(std::uint64_t size)
    {
        if (const std::error_code ec = FillTo(size)) {
            Close();
            return ec;
        }
#ifdef _WIN32
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<LONGLONG>(size);
        std::error_code ec = SetFilePointerEx(handle_, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle_) &&
                                     FlushFileBuffers(handle_)
                                 ? std::error_code()
                                 : LastError();
#else
        std::error_code ec = (end_ == size || ::ftruncate(fd_, static_cast<off_t>(size)) == 0) && ::fsync(fd_) == 0
                                 ? std::error_code()
                                 : LastError();
#endif
        const std::error_code closed = Close();
        return ec ? ec : closed;
    }

    std::error_code Close()
    {
        std::error_code ec;
#ifdef _WIN32
        if (handle_ != INVALID_HANDLE_VALUE && !CloseHandle(handle_))
            ec = LastError();
        handle_ = INVALID_HANDLE_VALUE;
#else
        if (fd_ >= 0 && ::close(fd_) != 0)
            ec = LastError();
        fd_ = -1;
#endif
        return ec;
    }

private:
    std::error_code FillTo(std::uint64_t offset)
    {
        static const std::vector<char> zeros(1 << 16);
        while (end_ < offset) {
            const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(zeros.size(), offset - end_));
            if (const std::error_code ec = WriteAt(end_, zeros.data(), count))
                return ec;
            end_ += count;
        }
        return {};
    }

    std::uint64_t end_ = 0;   // how far the file has been written
#ifdef _WIN32
    HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
    int fd_ = -1;
#endif
#ifdef __linux__
    bool rangeCopies_ = true;
    std::uint64_t started_ = 0, waited_ = 0;   // written to the disk, and known to be there, up to here
#endif
};

std::error_code RenameOver(const fs::path& from, const fs::path& to)
{
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
#else
    if (::rename(from.c_str(), to.c_str()) == 0)
        return {};
#endif
    return LastError();
}

// One write of a plan: copies every piece into place, reporting progress.
class Writer {
public:
    Writer(const CombinedPlan& plan, const CombinedLayout& layout, const std::string& target,
           const std::function<bool(const CombinedProgress&)>& progress)
        : plan_(plan), layout_(layout), target_(target), progress_(progress)
    {
        done_.mapsTotal = plan.MapCount();
        done_.bytesTotal = layout.FileSize();
    }

    // Empty on success; the message otherwise.
    std::string Run(OutFile& out)
    {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
#ifdef _WIN32
        localtime_s(&local, &now);
#else
        localtime_r(&now, &local);
#endif
        if (auto ec = Put(out, 0, CombinedDiskHeader(plan_.Description(), layout_.exponent, layout_.totalBlocks, local)))
            return WriteFailure(target_, ec.message());
        // The directory a megabyte at a time: 512 bytes for each 240 blocks of each subfile.
        std::string entries;
        std::uint64_t at = kCombinedDirectoryAt;
        std::error_code failed;
        ForEachDirectoryEntry(plan_, layout_, [&](const std::string& entry) {
            entries += entry;
            if (entries.size() >= kStep && !failed) {
                failed = Put(out, at, entries);
                at += entries.size();
                entries.clear();
            }
        });
        if (!failed)
            failed = Put(out, at, entries);
        if (failed)
            return WriteFailure(target_, failed.message());
        if (auto ec = Put(out, Offset(layout_.productListBlock), layout_.productList))
            return WriteFailure(target_, ec.message());
        if (!Report(true))
            return CombinedCancelledMessage(target_);
        std::vector<bool> lastOfMap(plan_.Pieces().size());
        for (std::size_t t = 0; t < plan_.Tiles().size(); ++t)
            if (t + 1 == plan_.Tiles().size() || plan_.Tiles()[t + 1].source != plan_.Tiles()[t].source)
                lastOfMap[plan_.Tiles()[t].pieces.back()] = true;
        for (std::size_t i = 0; i < plan_.Pieces().size(); ++i) {
            if (std::string failure = Copy(out, plan_.Pieces()[i], Offset(layout_.firstBlocks[i])); !failure.empty())
                return failure;
            done_.mapsDone += lastOfMap[i];
            if (!Report(lastOfMap[i]))
                return CombinedCancelledMessage(target_);
        }
        if (!out.Pace(done_.bytesDone, [&] { return Report(false); }, true))
            return CombinedCancelledMessage(target_);
        done_.bytesDone = done_.bytesTotal;   // the last block's rest, made zeros by the final length
        return Report(true) ? std::string() : CombinedCancelledMessage(target_);
    }

private:
    std::uint64_t Offset(std::uint32_t block) const { return std::uint64_t{block} * layout_.blockSize; }

    std::error_code Put(OutFile& out, std::uint64_t offset, const std::string& bytes)
    {
        done_.bytesDone = std::max(done_.bytesDone, offset + bytes.size());
        return out.Write(offset, bytes.data(), bytes.size());
    }

    // Calls the progress at least every tenth of a second; false to stop.
    bool Report(bool now)
    {
        const auto time = std::chrono::steady_clock::now();
        if (!now && time - reported_ < std::chrono::milliseconds(100))
            return true;
        reported_ = time;
        return !progress_ || progress_(done_);
    }

    const ImgFile* Source(std::size_t index, std::string& failure)
    {
        if (!source_ || sourceIndex_ != index) {
            source_.reset();
            auto opened = ImgFile::Open(plan_.Sources()[index]);
            if (!opened) {
                failure = opened.error();
                return nullptr;
            }
            source_ = std::make_unique<ImgFile>(std::move(opened.value()));
            source_->SetXor(plan_.SourceXor(index));
            sourceIndex_ = index;
        }
        return source_.get();
    }

    std::string Copy(OutFile& out, const CombinedPiece& piece, std::uint64_t to)
    {
        std::string failure;
        const ImgFile* source = Source(piece.source, failure);
        if (!source)
            return failure;
        const std::string& path = plan_.Sources()[piece.source];
        for (const CombinedPiece::Run& run : piece.runs) {
            for (std::uint64_t done = 0; done < run.length;) {
                const std::size_t step = static_cast<std::size_t>(std::min<std::uint64_t>(kStep, run.length - done));
                std::optional<std::error_code> copied = out.CopyRange(*source, run.offset + done, to, step);
                if (!copied) {
                    buffer_.resize(kStep);
                    const long long got = source->ReadInto(run.offset + done, buffer_.data(), step);
                    if (got < 0)
                        return "The map file \"" + path + "\" could not be read: " + LastError().message() + ".";
                    copied = got == static_cast<long long>(step) ? out.Write(to, buffer_.data(), step)
                                                                 : std::make_error_code(std::errc::io_error);
                }
                if (*copied == std::errc::io_error && source->Size() < run.offset + run.length)
                    return "The map file \"" + path + "\" became shorter while it was being copied.";
                if (*copied)
                    return WriteFailure(target_, copied->message());
                done += step;
                to += step;
                done_.bytesDone = to;
                if (!out.Pace(to, [&] { return Report(false); }))
                    return CombinedCancelledMessage(target_);
            }
        }
        // The block's rest stays zero: the file is extended to its full length at the end.
        return {};
    }

    const CombinedPlan& plan_;
    const CombinedLayout& layout_;
    const std::string& target_;
    const std::function<bool(const CombinedProgress&)>& progress_;
    CombinedProgress done_;
    std::chrono::steady_clock::time_point reported_{};
    std::unique_ptr<ImgFile> source_;
    std::size_t sourceIndex_ = 0;
    std::vector<char> buffer_;
};

} // namespace

std::string CombinedTemporaryName(const std::string& target) { return target + ".mapwren-part"; }

std::string CombinedCancelledMessage(const std::string& target)
{
    return "Writing the combined map file \"" + target + "\" was cancelled.";
}

Status WriteCombinedMap(const CombinedPlan& plan, const std::string& target,
                        const std::function<bool(const CombinedProgress&)>& progress)
{
    if (!plan.Clashes().empty())
        return Status::Failure(WriteFailure(target, "some of its maps clash with others and have not been left out"));
    const std::optional<CombinedLayout> layout = LayOut(plan);
    if (!layout)
        return Status::Failure(WriteFailure(target, "the maps are too large for one combined map file"));
    const fs::path temporary = PathFromUtf8(CombinedTemporaryName(target));
    OutFile out;
    if (const std::error_code ec = out.Create(temporary))
        return Status::Failure(WriteFailure(target, ec.message()));
    std::string failure = Writer(plan, *layout, target, progress).Run(out);
    if (failure.empty())
        if (const std::error_code ec = out.Finish(layout->FileSize()))
            failure = WriteFailure(target, ec.message());
    if (failure.empty())
        if (const std::error_code ec = RenameOver(temporary, PathFromUtf8(target)))
            failure = WriteFailure(target, ec.message());
    if (!failure.empty()) {
        out.Close();
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return Status::Failure(failure);
    }
    return {};
}

} // namespace mapwren
