#include "tests/data/model/DataFixture.h"

#include "common/cache/CacheDataTank.h"
#include "common/calc/CashCalcuDataTank.h"
#include "data/model/DataClasses.h"
#include "data/model/KivDataBoxPropaty.h"
#include "grid/model/GridClasses.h"
#include "instrument/system/SystemClasses.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace datatest {

std::string DataFixture::ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void DataFixture::WriteAll(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void DataFixture::SetUpTestSuite()
{
    kivtest::RegisterAllClasses();
    RegisterGridClasses();
    RegisterDataClasses();
    RegisterSystemClasses();
}

DataFixture::DataFixture() : m_oldHost(InstallDataDocHost(&host))
{
    std::filesystem::create_directories(dir / "cache");
    CCacheDataTank<float>::SetTempFolder((dir / "cache").c_str());
    CCacheDataTank<double>::SetTempFolder((dir / "cache").c_str());
    services.prompt.SetUnexpectedHandler(
        [](const fw::test::ScriptedPrompt::Record& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.str(); });
}

DataFixture::~DataFixture()
{
    InstallDataDocHost(m_oldHost);
    EXPECT_EQ(services.prompt.Problems(), "");
}

std::filesystem::path DataFixture::FolderPath(const std::string& name)
{
    const auto folder = dir / name;
    std::filesystem::create_directories(folder);
    return folder;
}

std::unique_ptr<CKivDataDoc> DataFixture::MakeDocument(int rows)
{
    auto doc = std::make_unique<CKivDataDoc>();
    EXPECT_TRUE(doc->CreateNewContents());
    CKivDataBoxArray& boxes = doc->GetBoxArray();
    auto* box = new CKivDataBoxPropaty;
    box->SetName("BOX1");
    box->SetRowCount(3);
    box->CreateColumns();
    boxes.AddBox(box);
    boxes.SetTotalRows(3);
    boxes.RebuildChannelMap();
    CKivSPTankData& list = boxes.GetTankList();
    list.SetDataCount(rows, true);
    list.SetChannelCount(3);
    const char* names[] = {"CH-A", "CH-B", "CH-C"};
    for (int ch = 0; ch < 3; ++ch) {
        boxes.SetChannelText(ch, 0, "SET");
        boxes.SetChannelText(ch, 1, names[ch]);
        boxes.SetChannelText(ch, 13, "V");
        CDataTankObject* tank = list.GetObjectAt(ch);
        for (int i = 0; i < rows; ++i)
            tank->SetValue(i, ch * 10 + i);
    }
    CCashCalcuDataTank* sum = list.CreateChannelTank(500, -1, true);
    sum->SetName("SUM");
    for (int i = 0; i < rows; ++i)
        sum->SetValue(i, 100 + i);
    doc->GetBoxArray().GetSourceCodes().assign(3, 0);
    doc->SetTitleText("振動試験");
    doc->SetMeasureMethod(2);
    doc->SetStartTime(45322.5);
    doc->SetCycleCount(3);
    doc->SetCardFileName("REC0001");
    doc->GetAdSet().m_nNum = rows;
    doc->GetAdSet().m_dClk = 10;
    doc->RebuildChannels();
    return doc;
}

std::unique_ptr<CKivDataDoc> DataFixture::Open(const std::filesystem::path& path)
{
    auto doc = std::make_unique<CKivDataDoc>();
    if (!doc->OnOpenDocument(fw::CString(path.string())))
        return nullptr;
    return doc;
}

} // namespace datatest
