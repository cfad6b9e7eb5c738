#include "docview/instrumentdlg/ADSetDlg.h"
#include "framework/core/Format.h"
#include "framework/ui/DataExchange.h"
#include "instrument/meter/KivMeter.h"
#include "tests/support/ui/DialogFixture.h"

#include <functional>

namespace {

using appuitest::Click;
using appuitest::Enabled;

class ADSet : public appuitest::DialogFixture {
protected:
    // Runs the dialog with `script`; the dialog starts from 1001 samples
    // at 1 ms in seconds, nothing pending.
    int Run(const std::function<void(CADSetDlg&)>& script)
    {
        dialogs.On(CADSetDlg::kTemplateId, [&](fw::CDialog& d) {
            script(static_cast<CADSetDlg&>(d));
            if (!d.IsEnded())
                d.EndDialog(fw::IDCANCEL);
            return -1;
        });
        return dlg.DoModal();
    }
    static void Type(CADSetDlg& d, int id, const char* text) { d.GetDlgItemAs<fw::CEdit>(id)->TypeText(text); }
    static int FrequencyIndex(int f)
    {
        for (size_t i = 0; i < CADSetDlg::kFrequencies.size(); ++i) {
            if (CADSetDlg::kFrequencies[i] == f)
                return static_cast<int>(i);
        }
        return -1;
    }

    CADSetDlg dlg{nullptr};

    void SetUp() override
    {
        dlg.m_nDataCount = 1001;
        dlg.m_nPreCount = 0;
        dlg.m_nTimeUnit = 1;
        dlg.SetSampleClock(1.0);
    }
};

TEST_F(ADSet, FromTheMeasurementTimeTheCountAndClockFollow)
{
    int result = Run([&](CADSetDlg& d) {
        Click(d, CADSetDlg::kIdFromTime);
        d.GetDlgItemAs<fw::CComboBox>(CADSetDlg::kIdFrequency)->UserSelect(FrequencyIndex(1000));
        Type(d, CADSetDlg::kIdMeasureTime, "10");
        EXPECT_FALSE(Enabled(d, fw::IDOK)) << "an edit must be computed first";
        EXPECT_TRUE(Enabled(d, CADSetDlg::kIdCompute));
        Click(d, CADSetDlg::kIdCompute);
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdDataCount), "10001");
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdClock), "1");
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdMeasureTime), "10");
        // No pre-trigger time: the count is 0 and the field stays blank.
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdPreCount), "0");
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdPreTime), "");
        EXPECT_TRUE(Enabled(d, fw::IDOK));
        EXPECT_FALSE(Enabled(d, CADSetDlg::kIdCompute));
        Click(d, fw::IDOK);
    });
    ASSERT_EQ(result, fw::IDOK);
    EXPECT_EQ(dlg.m_nDataCount, 10001);
    EXPECT_EQ(dlg.m_nPreCount, 0);
    EXPECT_DOUBLE_EQ(dlg.GetSampleClock(), 1.0);
}

TEST_F(ADSet, APreTriggerTimeGivesItsCount)
{
    Run([&](CADSetDlg& d) {
        Click(d, CADSetDlg::kIdFromTime);
        d.GetDlgItemAs<fw::CComboBox>(CADSetDlg::kIdFrequency)->UserSelect(FrequencyIndex(100));
        Type(d, CADSetDlg::kIdMeasureTime, "2");
        Type(d, CADSetDlg::kIdPreTime, "0.5");
        Click(d, CADSetDlg::kIdCompute);
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdClock), "10");
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdDataCount), "201");
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdPreCount), "51");
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdPreTime), "0.5");
    });
}

TEST_F(ADSet, ATooLongMeasurementIsCutToTheLargestCountAndComputedAgain)
{
    services.prompt.Expect(CADSetDlg::kMsgDataCountRange, fw::IDOK);
    int result = Run([&](CADSetDlg& d) {
        Click(d, CADSetDlg::kIdFromTime);
        d.GetDlgItemAs<fw::CComboBox>(CADSetDlg::kIdFrequency)->UserSelect(FrequencyIndex(1000));
        Type(d, CADSetDlg::kIdMeasureTime, "100000");
        EXPECT_FALSE(d.Compute()) << "a corrected value is a failed computation";
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdDataCount), "10000000");
        Click(d, fw::IDOK);  // computes again with the corrected values
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(dlg.m_nDataCount, 10000000);
}

TEST_F(ADSet, ADirectlyEnteredClockIsCutToWhatTheUnitsCanSet)
{
    struct Row { const char* name; const char* typed; double clock; const char* prompt; };
    const Row rows[] = {
        {"fraction_above_1ms", "2.5", 2.0, "使用する測定器では2.5のｻﾝﾌﾟﾙｸﾛｯｸを設定できません。\n2に変更します。"},
        {"tenths", "0.256", 0.2, "0.256のｻﾝﾌﾟﾙｸﾛｯｸ"},
        {"hundredths", "0.056", 0.05, "0.056のｻﾝﾌﾟﾙｸﾛｯｸ"},
        {"frequency_2000", "0.5", 0.5, nullptr},
        {"frequency_512", "1.953125", 1.953125, nullptr},
        {"whole", "3", 3.0, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        services.prompt.Reset();
        if (r.prompt)
            services.prompt.ExpectText(r.prompt, fw::IDOK);
        CADSetDlg d(nullptr);
        d.m_nDataCount = 1001;
        d.SetSampleClock(1.0);
        bool computed = false;
        dialogs.On(CADSetDlg::kTemplateId, [&](fw::CDialog& x) {
            auto& a = static_cast<CADSetDlg&>(x);
            Type(a, CADSetDlg::kIdClock, r.typed);
            computed = a.Compute();
            Click(a, fw::IDOK);  // confirms the corrected value
            return -1;
        });
        EXPECT_EQ(d.DoModal(), fw::IDOK);
        EXPECT_EQ(computed, r.prompt == nullptr);
        EXPECT_DOUBLE_EQ(d.GetSampleClock(), r.clock);
        EXPECT_EQ(services.prompt.Problems(), "");
    }
    services.prompt.Reset();
}

TEST_F(ADSet, ClocksAreNormalisedAtStart)
{
    struct Row { const char* name; double in; double out; };
    const Row rows[] = {
        {"below_minimum", 0.005, 0.01}, {"hundredths", 0.056, 0.05}, {"tenths", 0.256, 0.2},
        {"frequency", 0.5, 0.5},        {"frequency_512", 1.953125, 1.953125}, {"whole", 2.7, 2.0},
        {"above_maximum", 40000.0, 32767.0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_DOUBLE_EQ(CADSetDlg::NormalizeClock(r.in), r.out);
    }
}

TEST_F(ADSet, RefusedCountsKeepTheDialogOpen)
{
    struct Row { const char* name; int id; const char* text; };
    const Row rows[] = {
        {"no_samples", CADSetDlg::kIdDataCount, "0"},
        {"too_many_samples", CADSetDlg::kIdDataCount, "10000001"},
        {"more_before_the_trigger_than_in_all", CADSetDlg::kIdPreCount, "1002"},
        {"clock_too_small", CADSetDlg::kIdClock, "0.001"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        services.prompt.Reset();
        services.prompt.ExpectText("から", fw::IDOK);
        CADSetDlg d(nullptr);
        d.m_nDataCount = 1001;
        d.SetSampleClock(1.0);
        bool open = false;
        dialogs.On(CADSetDlg::kTemplateId, [&](fw::CDialog& x) {
            Type(static_cast<CADSetDlg&>(x), r.id, r.text);
            Click(x, CADSetDlg::kIdCompute);
            Click(x, fw::IDOK);
            open = !x.IsEnded();
            return fw::IDCANCEL;
        });
        d.DoModal();
        EXPECT_TRUE(open);
        EXPECT_EQ(services.prompt.Problems(), "");
    }
    services.prompt.Reset();
}

TEST_F(ADSet, WithAnExternalClockOnlyTheCountsCanBeEdited)
{
    dlg.m_nExtSample = 1;
    Run([&](CADSetDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdSpeedNote), "高速モードになります。");
        for (int id : {CADSetDlg::kIdDataCount, CADSetDlg::kIdPreCount, CADSetDlg::kIdExtOff})
            EXPECT_TRUE(Enabled(d, id)) << id;
        for (int id : {CADSetDlg::kIdClock, CADSetDlg::kIdMeasureTime, CADSetDlg::kIdPreTime,
                       CADSetDlg::kIdFromTime, CADSetDlg::kIdTimeUnit, CADSetDlg::kIdCompute})
            EXPECT_FALSE(Enabled(d, id)) << id;
        // Back to the internal clock.
        Click(d, CADSetDlg::kIdExtOff);
        EXPECT_EQ(d.m_nExtSample, 0);
        EXPECT_TRUE(Enabled(d, CADSetDlg::kIdClock));
    });
}

TEST_F(ADSet, TheCallersPendingFlagAndNoCancelHold)
{
    dlg.m_bChanged = 1;
    dlg.m_bNoCancel = 1;
    Run([&](CADSetDlg& d) {
        EXPECT_FALSE(Enabled(d, fw::IDOK));
        EXPECT_FALSE(Enabled(d, fw::IDCANCEL));
        EXPECT_FALSE(Enabled(d, CADSetDlg::kIdExtBelow1ms)) << "no external clock change while pending";
        Click(d, CADSetDlg::kIdCompute);
        EXPECT_TRUE(Enabled(d, fw::IDOK));
        EXPECT_TRUE(Enabled(d, CADSetDlg::kIdExtBelow1ms));
    });
}

TEST_F(ADSet, TheHighSpeedNoteNamesTheChannelCountOfTheClock)
{
    dlg.SetSampleClock(0.1);
    Run([&](CADSetDlg& d) {
        fw::CString note = d.GetDlgItemText(CADSetDlg::kIdSpeedNote);
        int first = 0;
        for (int n = 1; n <= 80 && !first; ++n) {
            if (SpeedClassOf(0.1, 0, n) != 0)
                first = n;
        }
        ASSERT_GT(first, 0) << "0.1 ms is high-speed for some channel count";
        EXPECT_EQ(note, fw::Format("KIV-406 1台当たりの使用チャンネル数が %d 以上で高速モードになります。", first));
    });
}

TEST_F(ADSet, ChangingTheTimeUnitRecomputesTheTimes)
{
    Run([&](CADSetDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdMeasureTime), "1");
        d.GetDlgItemAs<fw::CComboBox>(CADSetDlg::kIdTimeUnit)->UserSelect(0);
        EXPECT_EQ(d.GetDlgItemText(CADSetDlg::kIdMeasureTime), "1000");
        EXPECT_TRUE(Enabled(d, fw::IDOK));
    });
}

} // namespace
