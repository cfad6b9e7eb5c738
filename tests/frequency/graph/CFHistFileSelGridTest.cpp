// The card's frequency files are chosen in the card-file selection grid
// with two row-header columns; the marks are the selection grid's own.
#ifdef KIV_FREQUENCY_VIEWS

#include "frequency/graph/CFHistFileSelGrid.h"
#include "grid/model/GridStyle.h"

#include <gtest/gtest.h>

namespace {

TEST(CFHistFileSelGrid, RowHeaderHasTwoColumns)
{
    CCFHistFileSelGrid grid;
    grid.CreateMarkArrays(1);
    grid.Reset();
    ASSERT_NE(grid.GetStyle(), nullptr);
    EXPECT_EQ(grid.GetStyle()->GetPane(kPaneRowHeader).m_nCols, CCFHistFileSelGrid::kHeaderColumns);
    EXPECT_FALSE(grid.HasAnyMark());
}

} // namespace

#endif
