#include "frequency/document/HistDataBoxArray.h"

#include "framework/core/Exceptions.h"
#include "tests/frequency/document/HistDocFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ColumnCase {
    int row;
    int column;
    const char* text;
};

class HistDataBoxArrayTest : public ::testing::Test {
protected:
    HistDataBoxArrayTest() { box.SetHistCountArray(histtest::FixtureRecord().release()); }

    std::string Text(int row, int column) const
    {
        fw::CString text("untouched");
        box.GetText(row, column, text);
        return text.str();
    }

    CHistDataBoxArray box;
};

TEST_F(HistDataBoxArrayTest, ColumnTexts)
{
    const ColumnCase cases[] = {
        {0, kHistColName, "DN_1"},
        {0, kHistColUnit, "N"},
        {1, kHistColUnit, "rpm*"},
        {0, kHistColChannel, "ch3"},
        {0, kHistColOperation, "PEAK/V"},
        {0, kHistColFullScale, "1000.0 [2000]"},
        {0, kHistColHysteresis, "10 [200]"},
        {0, kHistColCrossOrSample, ""},
        {1, kHistColCrossOrSample, "10[msec]"},
        {2, kHistColCrossOrSample, "250 [250]"},
        {0, kHistColPlusSlices, "3"},
        {0, kHistColMinusSlices, "2"},
        {0, kHistColPlusOver, "4"},
        {0, kHistColMinusOver, "2"},
        {0, kHistColRange, "熱電対　K"},
        {1, kHistColRange, "電圧"},
        {3, kHistColRange, ""},
        {0, kHistColAttenuation, "20000"},
        {3, kHistColAttenuation, ""},
        {0, kHistColFilter, "100"},
        {1, kHistColFilter, "PASS(0)"},
        {3, kHistColFilter, ""},
        {0, kHistColFilterKind, "ベッセル2次"},
        {3, kHistColFilterKind, ""},
        {0, kHistColHighPass, ""},
        {2, kHistColHighPass, "PASS"},
        {3, kHistColHighPass, "2.5"},
        {0, kHistColDmc, "有効"},
        {3, kHistColDmc, "無効"},
        {0, kHistColRjc, "RJC ON"},
        {1, kHistColRjc, ""},
        {0, kHistColCoefficient, "0.5"},
        {0, kHistColRatedOutput, "2"},
        {1, kHistColRatedOutput, ""},
        {0, kHistColCapacity, "50"},
        {0, kHistColFormat, "0.0"},
        {0, kHistColMax, "900.0"},
        {0, kHistColMaxTime, "'09/03/04 05:30:01"},
        {0, kHistColMin, "-300.0"},
        {0, kHistColMinTime, "'09/03/04 06:00:59"},
        {0, kHistColAverage, "150.0"},
        {0, kHistColMidRange, "300.0"},
        {1, kHistColMax, ""},
        {1, kHistColMaxTime, ""},
        {1, kHistColMidRange, ""},
        {0, kHistColComment, "荷重, 左"},
    };
    for (const ColumnCase& c : cases)
        EXPECT_EQ(Text(c.row, c.column), c.text) << "row " << c.row << " column " << c.column;
}

TEST_F(HistDataBoxArrayTest, MidRangeIsTheScaledMeanOfTheExtremes)
{
    CHistCountObj* h = box.GetHistCountArray()->GetAt(1);
    h->m_max = 10.0f;
    h->m_min = -4.0f;
    h->m_scaleFactor = 2.0f;
    EXPECT_EQ(Text(1, kHistColMidRange), "6");
    EXPECT_EQ(box.GetValue(1, kHistColMax), 20.0);
}

TEST_F(HistDataBoxArrayTest, EngineeringModeShowsNoRawValues)
{
    box.GetHistCountArray()->m_mode = 'E';
    EXPECT_EQ(Text(0, kHistColFullScale), "1000.0");
    EXPECT_EQ(Text(0, kHistColHysteresis), "10");
    EXPECT_EQ(Text(2, kHistColCrossOrSample), "250");
}

TEST_F(HistDataBoxArrayTest, RowsOutsideTheAnalyses)
{
    EXPECT_EQ(Text(4, kHistColName), "untouched");
    EXPECT_THROW(Text(-1, kHistColName), fw::CInvalidArgException);
    EXPECT_EQ(box.GetValue(-1, kHistColChannel), HUGE_VAL);
    EXPECT_EQ(box.GetValue(4, kHistColChannel), HUGE_VAL);
    EXPECT_EQ(box.GetValue(0, kHistColChannel), 3.0);
    EXPECT_EQ(box.GetValue(0, kHistColName), HUGE_VAL);
    EXPECT_EQ(box.GetValue(1, kHistColRjc), HUGE_VAL);
    EXPECT_THROW(box.SetValue(-1, kHistColFormat, 1), fw::CInvalidArgException);

    std::unique_ptr<CHistCountObj> taken(box.GetHistCountArray()->GetAt(1));
    box.GetHistCountArray()->SetAt(1, nullptr);
    EXPECT_EQ(Text(1, kHistColName), "");
    EXPECT_EQ(box.GetValue(1, kHistColChannel), HUGE_VAL);

    CHistDataBoxArray empty;
    EXPECT_EQ(empty.GetValue(0, kHistColChannel), HUGE_VAL);
    fw::CString text("kept");
    empty.GetText(0, kHistColName, text);
    EXPECT_EQ(text.str(), "kept");
}

TEST_F(HistDataBoxArrayTest, OnlyTheDisplayFormatCanBeSet)
{
    EXPECT_TRUE(box.SetValue(0, kHistColFormat, 3));
    EXPECT_EQ(box.GetHistCountArray()->GetAt(0)->m_displayFormat, 3);
    EXPECT_FALSE(box.SetValue(0, kHistColFormat, 6));
    EXPECT_FALSE(box.SetValue(0, kHistColFullScale, 1));
    EXPECT_FALSE(box.SetValue(9, kHistColFormat, 1));
    EXPECT_TRUE(box.SetText(0, kHistColFormat, "0.00"));
    EXPECT_EQ(box.GetHistCountArray()->GetAt(0)->m_displayFormat, 2);
    EXPECT_TRUE(box.SetText(0, kHistColFormat, "no such format"));
    EXPECT_EQ(box.GetHistCountArray()->GetAt(0)->m_displayFormat, 0);
    EXPECT_FALSE(box.SetText(0, kHistColFullScale, "abc"));
}

} // namespace
