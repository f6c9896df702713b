#include "common/Parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace mapwren {

namespace {

// Indexes one thread takes at a time: few enough to share out the end of
// the work evenly, many enough that the counter is seldom touched.
constexpr std::size_t kRun = 64;
// Below this many calls a thread costs more than it saves.
constexpr std::size_t kCallsWorthAThread = 512;

std::size_t ExtraThreads(std::size_t count)
{
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads = std::min(cores, count / kCallsWorthAThread);
    return threads > 0 ? threads - 1 : 0;
}

} // namespace

void ForEachIndex(std::size_t count, const std::function<void(std::size_t)>& each)
{
    ForEachRun(count, [&](std::size_t first, std::size_t end) {
        for (std::size_t i = first; i < end; ++i)
            each(i);
    });
}

void ForEachRun(std::size_t count, const std::function<void(std::size_t, std::size_t)>& run)
{
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto work = [&] {
        try {
            for (std::size_t first; (first = next.fetch_add(kRun)) < count;)
                run(first, std::min(first + kRun, count));
        } catch (...) {
            const std::lock_guard lock(failureLock);
            if (!failure)
                failure = std::current_exception();
            next = count;   // the others stop at their next run
        }
    };
    std::vector<std::thread> helpers;
    try {
        for (std::size_t t = ExtraThreads(count); t > 0; --t)
            helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // No thread to spare: the threads there are do all the work.
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace mapwren
