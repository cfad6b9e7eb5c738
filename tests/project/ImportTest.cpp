// What the panel and the recorded-data transfer do through the project:
// history steps of transferred measurements with or without a saved data
// document, channel texts that name other channels, and saving before a
// measurement.

#include "tests/project/ProjectFixture.h"

#include "framework/core/Services.h"
#include "instrument/system/BoxPropaty.h"
#include "project/model/DataHeaderReader.h"
#include "project/model/ProjectStrings.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace prjtest;

namespace {

class CFakeSaver : public IMeasurementDataSaver {
public:
    int SaveFromProject(CKIV5980Doc&, fw::CString& folder) override
    {
        ++calls;
        folder = "D240101120000";
        return answer;
    }
    int answer = 1;
    int calls = 0;
};

class Import : public ProjectFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        record.path = "/card/KIV00001.DAT";
        record.startTime = 45000.25;
        record.interval = 1000;  // ms: one second per sample
        record.method = 1;
        record.cycleCount = 12;
    }

    CKIV5980Doc* doc = nullptr;
    CKIV5980Doc::ImportRecord record;
    CFakeSaver saver;
};

TEST_F(Import, TransferredMeasurementsBecomeStepsAsTheSavingOptionsSay)
{
    struct Row {
        const char* name;
        bool noAutoSave;
        bool recordHistory;
        bool installed;
        int saverAnswer;
        int result;
        int steps;
        const char* dataFile;
    };
    const Row rows[] = {
        {"saved", false, false, true, 1, 1, 1, "D240101120000"},
        {"save failed: the step goes again", false, false, true, 0, 1, 0, ""},
        {"no data document can be made", false, false, false, 1, 2, 1, ""},
        {"no saving, history kept", true, true, true, 1, 1, 1, ""},
        {"neither", true, false, true, 1, 1, 0, ""},
    };
    for (const Row& row : rows) {
        doc->GetHistory().RemoveAll();
        projectHost.noAutoSave = row.noAutoSave;
        projectHost.recordHistory = row.recordHistory;
        saver.answer = row.saverAnswer;
        saver.calls = 0;
        std::unique_ptr<fw::ScopedInstall<IMeasurementDataSaver>> install;
        if (row.installed)
            install = std::make_unique<fw::ScopedInstall<IMeasurementDataSaver>>(saver);
        EXPECT_EQ(doc->FinishDataImport(record, false), row.result) << row.name;
        EXPECT_EQ(doc->GetHistory().GetLastIndex() + 1, row.steps) << row.name;
        if (row.steps) {
            EXPECT_EQ(doc->GetHistory().GetDataFileName(0).str(), row.dataFile) << row.name;
        }
        EXPECT_EQ(saver.calls, row.installed && !row.noAutoSave ? 1 : 0) << row.name;
    }
}

TEST_F(Import, StepHoldsTheMeasurementsTimesAndTheCardFile)
{
    doc->AppendHistoryStep(record);
    const CMMAObject& h = doc->GetHistory();
    ASSERT_EQ(h.GetLastIndex(), 0);
    EXPECT_DOUBLE_EQ(h.GetStepTime(0).m_dt, 45000.25);
    EXPECT_EQ(h.GetMeasureMethod(0), 1);
    EXPECT_DOUBLE_EQ(h.GetCycleCount(0), 12);
    EXPECT_EQ(h.GetCardFileName(0).str(), "KIV00001.DAT");
    const int values = doc->GetBoxArray().GetTankList().GetDataCount();
    const CADSetPrf& ad = doc->GetBoxArray().GetADSet();
    EXPECT_DOUBLE_EQ(h.GetDuration(0), 1000 / ad.GetUnitFactor(-1) * (values - 1));
    EXPECT_EQ(h.GetDurationUnit(0), static_cast<int16_t>(ad.GetUnitCaptionId()));
    EXPECT_EQ(h.GetTitle(0).str(), doc->GetTestTitle().str());
}

TEST_F(Import, TemporaryMeasuringSystemCarriesSettingsAndGoesAgain)
{
    ASSERT_TRUE(doc->GetBoxArray().SetChannelText(0, 1000, "Load"));
    ASSERT_TRUE(doc->BeginImportBoxArray(ProfileOf({{1, 2}}), doc->GetBoxArray().GetADSet()));
    CBoxArray& active = doc->GetActiveBoxArray();
    EXPECT_NE(&active, &doc->GetBoxArray());
    fw::CString name;
    active.GetChannelText(0, 1000, name);
    EXPECT_EQ(name.str(), "Load");
    doc->EndImportBoxArray();
    EXPECT_EQ(&doc->GetActiveBoxArray(), &doc->GetBoxArray());
}

TEST_F(Import, OutputSourcesAreNamedByChannelName)
{
    CBoxArray& system = doc->GetBoxArray();
    const int output = system.GetMeasuringCount();
    ASSERT_GT(system.GetOutputCount(), 0);
    ASSERT_TRUE(system.SetChannelText(2, 1000, "Load"));
    ASSERT_TRUE(doc->SetChannelText(23, 0, output, "Load", nullptr));
    EXPECT_EQ(system.GetChannelValue(output, 23), 3);
    ASSERT_TRUE(doc->SetChannelText(44, 0, output, "- Load", nullptr));
    EXPECT_EQ(system.GetChannelValue(output, 44), -3);
    ASSERT_TRUE(doc->SetChannelText(23, 0, output, "OFF", nullptr));
    EXPECT_EQ(system.GetChannelValue(output, 23), 0);
    EXPECT_FALSE(doc->SetChannelText(23, 0, output, "nobody", nullptr));
}

TEST_F(Import, SavingBeforeAMeasurementAsksForANameOnce)
{
    const std::string path = PathOf("m.kivp");
    dialogs.AnswerSave(path.c_str());
    EXPECT_TRUE(doc->SaveForMeasurement());
    EXPECT_EQ(doc->GetPathName().str(), path);
    EXPECT_TRUE(doc->SaveForMeasurement()) << "saved and unchanged: no second dialog";
}

} // namespace
