#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mapwren {

// The entries of SelectedFiles in ticking order. Removing the first entry
// with a given text costs the same however long the list is, and touches no
// entry with another text (also when the text is empty).
class SelectedFileList {
public:
    const std::list<std::string>& Entries() const { return entries_; }

    void Append(std::string text);
    // Makes room for count entries in all, so many appends in a row do not
    // rebuild the index as it grows.
    void Reserve(std::size_t count) { byText_.reserve(count); }
    // Removes the first entry equal to text; false when there is none.
    bool RemoveFirst(const std::string& text);
    void Clear();

private:
    using Entry = std::list<std::string>::iterator;
    // Entries with one text: the oldest, then the later ones from `head` on
    // (those before it are gone). Most texts are ticked once and need no more.
    struct Queue {
        Entry oldest;
        std::vector<Entry> later;
        std::size_t head = 0;
    };

    std::list<std::string> entries_;
    // Keyed by the text of the oldest entry in the queue, which outlives the key.
    std::unordered_map<std::string_view, Queue> byText_;
};

} // namespace mapwren
