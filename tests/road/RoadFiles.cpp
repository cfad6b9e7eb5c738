#include "tests/road/RoadFiles.h"

#include "common/cache/CacheDataTank.h"
#include "common/calc/CashCalcuDataTank.h"
#include "data/model/DataClasses.h"
#include "data/model/KivDataBoxPropaty.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "frequency/document/FrequencyDocClasses.h"
#include "frequency/document/HistDoc.h"
#include "frequency/model/FrequencyModelClasses.h"
#include "grid/model/GridClasses.h"
#include "instrument/system/SystemClasses.h"
#include "tests/frequency/document/HistDocFixture.h"
#include "tests/support/TestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace road {

namespace {

bool WriteDataFile(const std::string& path)
{
    kivtest::RegisterAllClasses();
    RegisterGridClasses();
    RegisterDataClasses();
    RegisterSystemClasses();
    const std::filesystem::path cache = std::filesystem::path(path).parent_path() / "cache-of-maker";
    std::filesystem::create_directories(cache);
    CCacheDataTank<float>::SetTempFolder(cache.c_str());
    CCacheDataTank<double>::SetTempFolder(cache.c_str());
    CKivDocManager manager;
    CDataDocHost host{&manager};
    InstallDataDocHost(&host);

    const int rows = 200;
    CKivDataDoc doc;
    if (!doc.CreateNewContents())
        return false;
    CKivDataBoxArray& boxes = doc.GetBoxArray();
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
            tank->SetValue(i, ch * 10 + (i % 50));
    }
    CCashCalcuDataTank* sum = list.CreateChannelTank(500, -1, true);
    sum->SetName("SUM");
    for (int i = 0; i < rows; ++i)
        sum->SetValue(i, 100 + i);
    doc.GetBoxArray().GetSourceCodes().assign(3, 0);
    doc.SetTitleText("振動試験");
    doc.SetMeasureMethod(2);
    doc.SetStartTime(45322.5);
    doc.SetCycleCount(3);
    doc.SetCardFileName("REC0001");
    doc.GetAdSet().m_nNum = rows;
    doc.GetAdSet().m_dClk = 10;
    doc.RebuildChannels();
    const bool saved = doc.OnSaveDocument(fw::CString(path));
    std::filesystem::remove_all(cache);
    return saved;
}

bool WriteFrequencyFile(const std::string& folder, const std::string& answer)
{
    kivtest::RegisterAllClasses();
    RegisterFrequencyModelClasses();
    RegisterGridClasses();
    RegisterFrequencyDocClasses();
    CHistDoc doc;
    if (!doc.CreateNewContents() || !doc.CreateFile(fw::CString(folder), fw::CString(), fw::CString("頻度試験"),
                                                    histtest::FixtureRecord().release(), "HIST0001.DAT"))
        return false;
    std::ofstream(answer) << doc.GetPathName().str();
    return true;
}

// Runs `write` in a child process; true when it succeeded.
template <class F> bool InChild(F write)
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0)
        _exit(write() ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

std::string MakeFrequencyFile(const std::string& folder)
{
    const std::string answer = folder + "/.frequency-file-name";
    if (!InChild([&] { return WriteFrequencyFile(folder, answer); }))
        return {};
    std::string path;
    std::getline(std::ifstream(answer), path);
    std::filesystem::remove(answer);
    return std::filesystem::exists(path) ? path : std::string();
}

bool MakeDataFile(const std::string& path)
{
    std::error_code ec;
    return InChild([&] { return WriteDataFile(path); }) && std::filesystem::file_size(path, ec) > 0 && !ec;
}

} // namespace road
