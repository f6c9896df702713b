#include "common/Files.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace mapwren {

#ifndef _WIN32

void ScanOrdinaryFile(const std::string& path,
                      const std::function<std::size_t(std::string_view text, bool atEnd)>& look)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return;
    }
    std::string text;
    constexpr std::size_t kPiece = 1 << 20;
    for (bool atEnd = false; !atEnd;) {
        const std::size_t had = text.size();
        text.resize(had + kPiece);
        ssize_t n;
        while ((n = ::read(fd, text.data() + had, kPiece)) < 0 && errno == EINTR) {
        }
        text.resize(had + static_cast<std::size_t>(n > 0 ? n : 0));
        atEnd = n <= 0;
        const std::size_t done = look(text, atEnd);
        if (done == std::string_view::npos)
            break;
        text.erase(0, done);
    }
    ::close(fd);
}

std::string ReadOrdinaryFile(const std::string& path, std::size_t limit)
{
    std::string bytes;
    ScanOrdinaryFile(path, [&](std::string_view text, bool) {
        bytes.append(text.substr(0, limit - bytes.size()));
        return bytes.size() < limit ? text.size() : std::string_view::npos;
    });
    return bytes;
}

#endif

} // namespace mapwren
