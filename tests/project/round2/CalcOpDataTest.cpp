// Operation data of calculated channels stay with their channel when rows
// of the calculated-channel table are inserted or deleted.

#include "tests/project/ProjectFixture.h"

#include "common/tank/DataTankList.h"
#include "project/model/ProjectStrings.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace prjtest;

namespace {

constexpr int kName = 0;
constexpr int kOpData1 = 7;
constexpr int kOpData3 = 9;

class CalcOpData : public ProjectFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(doc->SetCalcChannelText(kName, 3, "d", nullptr));
        ASSERT_TRUE(doc->SetCalcChannelValue(kOpData1, 3, 5.5, nullptr));
        ASSERT_TRUE(doc->SetCalcChannelValue(kOpData3, 4, 7, nullptr));
    }

    double Op(int k, int channel) { return doc->GetOpDataTanks()->GetObjectAt(k)->GetValue(channel); }

    CKIV5980Doc* doc = nullptr;
};

TEST_F(CalcOpData, InsertedRowsMoveTheOperationDataWithTheirChannels)
{
    ASSERT_EQ(Op(0, 503), 5.5);
    ASSERT_TRUE(doc->InsertCalcChannels(2, 3));
    EXPECT_EQ(Op(0, 505), 5.5);
    EXPECT_EQ(Op(2, 506), 7);
    EXPECT_FALSE(std::isfinite(Op(0, 503))) << "the new row has no operation data";
    EXPECT_FALSE(std::isfinite(Op(2, 504)));
}

TEST_F(CalcOpData, DeletedRowsMoveTheOperationDataWithTheirChannels)
{
    ASSERT_TRUE(doc->DeleteCalcChannels(0, 1));
    EXPECT_EQ(Op(0, 501), 5.5);
    EXPECT_EQ(Op(2, 502), 7);
    EXPECT_FALSE(std::isfinite(Op(0, 503)));
    EXPECT_FALSE(std::isfinite(Op(2, 504))) << "the last rows are left without operation data";
}

} // namespace
