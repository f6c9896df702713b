#pragma once

#include <cstddef>
#include <functional>

namespace mapwren {

// Calls each(i) once for every i below count, spread over the machine's
// cores in small runs of neighbouring indexes, and returns when every call
// has ended; an exception from any call reaches the caller. A short count
// runs on the calling thread alone. Calls for different indexes must not
// touch the same data.
void ForEachIndex(std::size_t count, const std::function<void(std::size_t)>& each);

// The same, one call per run: run(first, end) for the indexes from first up
// to but not including end.
void ForEachRun(std::size_t count, const std::function<void(std::size_t, std::size_t)>& run);

} // namespace mapwren
