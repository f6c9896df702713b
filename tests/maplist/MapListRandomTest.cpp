#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "common/Paths.h"
#include "maplist/MapList.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fx = mapwren::testing;

// The files do not change during the test; asking the system once per path
// keeps thousands of steps quick where each question is slow (Wine).
const std::string& ShortFileNameOnce(const std::string& path)
{
    static std::map<std::string, std::string> known;
    auto it = known.find(path);
    if (it == known.end())
        it = known.emplace(path, GetShortFileName(path)).first;
    return it->second;
}

// The selection recounted from the rows alone.
void ExpectSelectionMatchesRows(const MapList& list, int step)
{
    std::int64_t count = 0, bytes = 0;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < list.RowCount(); ++i) {
        const MapRow& row = list.Row(i);
        if (row.state == RowState::Ticked) {
            ++count;
            bytes += static_cast<std::int64_t>(row.bytes);
            expected.push_back(ShortFileNameOnce(row.FullPath()));
        }
    }
    std::vector<std::string> entries(list.SelectedFiles().begin(), list.SelectedFiles().end());
    std::string text;
    for (const auto& entry : entries)
        text += entry + " ";
    ASSERT_EQ(list.SelectedCount(), count) << "step " << step;
    ASSERT_EQ(list.SelectedBytes(), bytes) << "step " << step;
    ASSERT_EQ(list.SelectedFilesText(), text) << "step " << step;
    std::sort(entries.begin(), entries.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(entries, expected) << "step " << step;
}

TEST(MapListRandom, SelectionAlwaysDescribesTheTickedRows)
{
    fx::TempDir dir;
    // A few real files, one name without a file (empty short path) and missing rows.
    std::vector<MapRow> pool;
    for (int i = 0; i < 6; ++i) {
        const std::string file = std::string("m") + std::to_string(i) + ".img";
        fx::WriteImg(dir.path() / file, file, "");
        pool.push_back({RowState::Unticked, file, dir.folder(), file, 1000u * (i + 1)});
    }
    pool.push_back({RowState::Unticked, "none.img", dir.folder(), "", 3});
    pool.push_back({RowState::Missing, "lost.img", dir.folder(), "", 0});

    std::mt19937 random(20240611);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    MapList list;
    for (int step = 0; step < 3000; ++step) {
        switch (pick(20)) {
        case 0: list.SelectAll(); break;
        case 1: list.SelectNone(); break;
        case 2: if (pick(4) == 0) list.Clear(); break;
        case 3: case 4: {
            std::vector<MapRow> rows;
            for (std::size_t n = pick(5); n > 0; --n)
                rows.push_back(pool[pick(pool.size())]);
            list.AppendRows(rows);
            break;
        }
        case 5: list.SortByColumn(static_cast<int>(pick(5))); break;
        default:
            if (list.RowCount() > 0)
                list.Toggle(pick(list.RowCount()));
        }
        ExpectSelectionMatchesRows(list, step);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

} // namespace
} // namespace mapwren
