// Nine-grid geometry: which part of the image goes where.
#include "ui/core/gfx/NineGrid.h"

#include <gtest/gtest.h>

#include <vector>

using namespace SkinUI;

namespace {

std::vector<TGridCell> Cells(RECT dest, RECT source, RECT corner, bool hole = false, bool xTiled = false,
                             bool yTiled = false)
{
    std::vector<TGridCell> cells;
    ForEachNineGridCell(dest, source, corner, hole, xTiled, yTiled,
                        [&](const TGridCell& cell) { cells.push_back(cell); });
    return cells;
}

::testing::AssertionResult Is(const RECT& actual, LONG l, LONG t, LONG r, LONG b)
{
    if (actual.left == l && actual.top == t && actual.right == r && actual.bottom == b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.left << "," << actual.top << "," << actual.right << ","
                                         << actual.bottom << ") instead of (" << l << "," << t << "," << r << ","
                                         << b << ")";
}

} // namespace

TEST(NineGridLayout, NoCornersIsOneStretchedCell)
{
    const auto cells = Cells({10, 20, 110, 70}, {0, 0, 8, 4}, {});
    ASSERT_EQ(1u, cells.size());
    EXPECT_TRUE(Is(cells[0].dest, 10, 20, 110, 70));
    EXPECT_TRUE(Is(cells[0].source, 0, 0, 8, 4));
}

TEST(NineGridLayout, CornersGiveNineCellsMiddleFirst)
{
    const auto cells = Cells({0, 0, 480, 323}, {0, 0, 30, 30}, {4, 5, 6, 7});
    ASSERT_EQ(9u, cells.size());
    EXPECT_TRUE(Is(cells[0].dest, 4, 5, 474, 316));  // middle
    EXPECT_TRUE(Is(cells[0].source, 4, 5, 24, 23));
    EXPECT_TRUE(Is(cells[1].dest, 0, 0, 4, 5));      // top-left
    EXPECT_TRUE(Is(cells[1].source, 0, 0, 4, 5));
    EXPECT_TRUE(Is(cells[2].dest, 4, 0, 474, 5));    // top
    EXPECT_TRUE(Is(cells[2].source, 4, 0, 24, 5));
    EXPECT_TRUE(Is(cells[3].dest, 474, 0, 480, 5));  // top-right
    EXPECT_TRUE(Is(cells[3].source, 24, 0, 30, 5));
    EXPECT_TRUE(Is(cells[4].dest, 0, 5, 4, 316));    // left
    EXPECT_TRUE(Is(cells[4].source, 0, 5, 4, 23));
    EXPECT_TRUE(Is(cells[5].dest, 474, 5, 480, 316)); // right
    EXPECT_TRUE(Is(cells[5].source, 24, 5, 30, 23));
    EXPECT_TRUE(Is(cells[6].dest, 0, 316, 4, 323));  // bottom-left
    EXPECT_TRUE(Is(cells[6].source, 0, 23, 4, 30));
    EXPECT_TRUE(Is(cells[7].dest, 4, 316, 474, 323)); // bottom
    EXPECT_TRUE(Is(cells[7].source, 4, 23, 24, 30));
    EXPECT_TRUE(Is(cells[8].dest, 474, 316, 480, 323)); // bottom-right
    EXPECT_TRUE(Is(cells[8].source, 24, 23, 30, 30));
}

TEST(NineGridLayout, HoleSkipsTheMiddle)
{
    const auto cells = Cells({0, 0, 100, 100}, {0, 0, 30, 30}, {4, 4, 4, 4}, true);
    ASSERT_EQ(8u, cells.size());
    EXPECT_TRUE(Is(cells[0].dest, 0, 0, 4, 4));
}

TEST(NineGridLayout, CornerNeedsBothWidthsEdgeItsOwn)
{
    // Only a left width: the left edge and the middle, no corners.
    const auto cells = Cells({0, 0, 100, 50}, {0, 0, 20, 10}, {5, 0, 0, 0});
    ASSERT_EQ(2u, cells.size());
    EXPECT_TRUE(Is(cells[0].dest, 5, 0, 100, 50));
    EXPECT_TRUE(Is(cells[1].dest, 0, 0, 5, 50));
    EXPECT_TRUE(Is(cells[1].source, 0, 0, 5, 10));
}

TEST(NineGridLayout, HorizontalTilesCutTheLastOne)
{
    // Source middle 10 wide, destination middle 25 wide: 10 + 10 + 5.
    const auto cells = Cells({0, 0, 25, 40}, {0, 0, 10, 8}, {}, false, true, false);
    ASSERT_EQ(3u, cells.size());
    EXPECT_TRUE(Is(cells[0].dest, 0, 0, 10, 40));
    EXPECT_TRUE(Is(cells[0].source, 0, 0, 10, 8));
    EXPECT_TRUE(Is(cells[1].dest, 10, 0, 20, 40));
    EXPECT_TRUE(Is(cells[2].dest, 20, 0, 25, 40));
    EXPECT_TRUE(Is(cells[2].source, 0, 0, 5, 8));
}

TEST(NineGridLayout, VerticalTilesCutTheLastOne)
{
    const auto cells = Cells({0, 0, 30, 17}, {0, 0, 6, 8}, {}, false, false, true);
    ASSERT_EQ(3u, cells.size());
    EXPECT_TRUE(Is(cells[0].dest, 0, 0, 30, 8));
    EXPECT_TRUE(Is(cells[1].dest, 0, 8, 30, 16));
    EXPECT_TRUE(Is(cells[2].dest, 0, 16, 30, 17));
    EXPECT_TRUE(Is(cells[2].source, 0, 0, 6, 1));
}

TEST(NineGridLayout, BothTilingsPlaceTilesRowByRow)
{
    const auto cells = Cells({0, 0, 15, 12}, {2, 2, 12, 10}, {2, 2, 2, 2}, false, true, true);
    // Middle 11 x 8 from a source middle of 6 x 4: 2 columns x 2 rows, then 8 border cells.
    ASSERT_EQ(12u, cells.size());
    EXPECT_TRUE(Is(cells[0].dest, 2, 2, 8, 6));
    EXPECT_TRUE(Is(cells[0].source, 4, 4, 10, 8));
    EXPECT_TRUE(Is(cells[1].dest, 8, 2, 13, 6));
    EXPECT_TRUE(Is(cells[1].source, 4, 4, 9, 8));
    EXPECT_TRUE(Is(cells[2].dest, 2, 6, 8, 10));
    EXPECT_TRUE(Is(cells[3].dest, 8, 6, 13, 10));
}

TEST(NineGridLayout, EmptySourceMiddleCannotLoopForever)
{
    // Corners eat the whole source: the tiled middle has no tile size and is skipped.
    const auto cells = Cells({0, 0, 100, 100}, {0, 0, 8, 8}, {4, 4, 4, 4}, false, true, true);
    EXPECT_EQ(4u, cells.size()); // the edges have no source either: only the corners remain
}

TEST(NineGridLayout, DestinationSmallerThanCornersDropsEmptyCells)
{
    const auto cells = Cells({0, 0, 6, 6}, {0, 0, 30, 30}, {4, 4, 4, 4});
    for (const TGridCell& cell : cells) {
        EXPECT_LT(cell.dest.left, cell.dest.right);
        EXPECT_LT(cell.dest.top, cell.dest.bottom);
    }
}

TEST(NineGridLayout, HugeOrNegativeNumbersStayBounded)
{
    const auto cells = Cells({0, 0, 100, 100}, {0, 0, 10, 10}, {-5, 2147483647, -1, 3});
    for (const TGridCell& cell : cells) {
        EXPECT_LE(cell.dest.left, cell.dest.right);
        EXPECT_LE(cell.source.left, cell.source.right);
    }
}
