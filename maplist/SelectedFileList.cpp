#include "maplist/SelectedFileList.h"

#include <iterator>

namespace mapwren {

void SelectedFileList::Append(std::string text)
{
    entries_.push_back(std::move(text));
    const Entry added = std::prev(entries_.end());
    if (const auto [found, fresh] = byText_.try_emplace(*added, Queue{added, {}, 0}); !fresh)
        found->second.later.push_back(added);
}

bool SelectedFileList::RemoveFirst(const std::string& text)
{
    const auto found = byText_.find(text);
    if (found == byText_.end())
        return false;
    Queue& queue = found->second;
    const Entry first = queue.oldest;
    if (queue.head == queue.later.size()) {
        byText_.erase(found);
    } else {
        queue.oldest = queue.later[queue.head++];
        if (queue.head * 2 > queue.later.size()) {
            // Drop the spent half so a text ticked and unticked over and over stays small.
            queue.later.erase(queue.later.begin(), queue.later.begin() + static_cast<std::ptrdiff_t>(queue.head));
            queue.head = 0;
        }
        // The key views the entry about to go: let it view the next one instead.
        auto node = byText_.extract(found);
        node.key() = *node.mapped().oldest;
        byText_.insert(std::move(node));
    }
    entries_.erase(first);
    return true;
}

void SelectedFileList::Clear()
{
    byText_.clear();
    entries_.clear();
}

} // namespace mapwren
