#include <gtest/gtest.h>

#include "maplist/Captions.h"

namespace mapwren {
namespace {

TEST(Captions, CountAndTotalReadAsTheLabelsShowThem)
{
    EXPECT_EQ(CountCaption(0), "0 Maps Selected");
    EXPECT_EQ(CountCaption(1), "1 Map Selected");
    EXPECT_EQ(CountCaption(40000), "40000 Maps Selected");

    struct Case { std::int64_t bytes; const char* caption; };
    const Case cases[] = {
        {0, "Total Bytes: 0 (0.0MB)"},
        {1572864, "Total Bytes: 1572864 (1.5MB)"},
        {3221225472, "Total Bytes: 3221225472 (3072.0MB)"},   // past the 32-bit range
        {262143, "Total Bytes: 262143 (0.2MB)"},              // just below 0.25 MB
        {262144, "Total Bytes: 262144 (0.3MB)"},              // exactly 0.25 MB: a half rounds up
        {786432, "Total Bytes: 786432 (0.8MB)"},              // exactly 0.75 MB
        {104805172, "Total Bytes: 104805172 (100.0MB)"},      // 99.95 MB and a little carries into the units
    };
    for (const auto& c : cases)
        EXPECT_EQ(TotalCaption(c.bytes), c.caption) << c.bytes;
}

} // namespace
} // namespace mapwren
