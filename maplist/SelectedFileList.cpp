#include "maplist/SelectedFileList.h"

#include <iterator>

namespace mapwren {

void SelectedFileList::Append(std::string text)
{
    entries_.push_back(std::move(text));
    byText_[entries_.back()].items.push_back(std::prev(entries_.end()));
}

bool SelectedFileList::RemoveFirst(const std::string& text)
{
    const auto found = byText_.find(text);
    if (found == byText_.end())
        return false;
    Queue& queue = found->second;
    entries_.erase(queue.items[queue.head++]);
    if (queue.head == queue.items.size()) {
        byText_.erase(found);
    } else if (queue.head * 2 > queue.items.size()) {
        // Drop the spent half so a text ticked and unticked over and over stays small.
        queue.items.erase(queue.items.begin(), queue.items.begin() + static_cast<std::ptrdiff_t>(queue.head));
        queue.head = 0;
    }
    return true;
}

void SelectedFileList::Clear()
{
    entries_.clear();
    byText_.clear();
}

std::string SelectedFileList::Text() const
{
    std::size_t length = 0;
    for (const std::string& entry : entries_)
        length += entry.size() + 1;
    std::string text;
    text.reserve(length);
    for (const std::string& entry : entries_) {
        text += entry;
        text += ' ';
    }
    return text;
}

} // namespace mapwren
