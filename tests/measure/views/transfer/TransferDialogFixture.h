#pragma once

// A saved measurement project whose own control units are emulated on
// loopback, the data documents able to save, and the transfer dialog run
// by script: the script lets the dialog's event loop run (as the shown
// dialog would) until the transfer ends or the script cancels it.

#include "common/cache/CacheDataTank.h"
#include "data/model/DataClasses.h"
#include "data/model/MeasurementDataSaver.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "grid/model/GridClasses.h"
#include "instrument/ContinueQuestion.h"
#include "instrument/MeterSocket.h"
#include "instrument/check/CheckClasses.h"
#include "instrument/system/BoxArray.h"
#include "framework/ui/CommonControls.h"
#include "measure/views/transfer/CFUpdateDlg.h"
#include "measure/views/transfer/TransferSession.h"
#include "project/model/DataHeaderReader.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "tests/emulator/Emulator.h"
#include "tests/emulator/MeasurementCommands.h"
#include "tests/emulator/RecordedData.h"
#include "tests/support/TestSupport.h"
#include "tests/support/link/SystemTestSupport.h"
#include "tests/support/ui/DialogFixture.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace transferdlgtest {

using Files = std::vector<CKiv406FileInfo>;
using Lines = std::vector<std::string>;

class TestProjectHost : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    void UpdateAllGraphDocs(intptr_t hint, fw::CObject*) override { hints.push_back(hint); }
    CMeterInterfacePrf profile;
    CADSetPrf adSet;
    std::vector<intptr_t> hints;
};

class ScriptedQuestion final : public IContinueQuestion {
public:
    bool Ask(const fw::CString& message, int) override
    {
        asked.push_back(message.str());
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        return answer;
    }
    std::vector<bool> answers;
    std::vector<std::string> asked;
};

class TransferDialogTest : public ::testing::Test {
protected:
    static constexpr uint32_t kLoopback = 0x7F000001;

    static void SetUpTestSuite()
    {
        kivtest::RegisterAllClasses();
        systest::RegisterClassesOnce();
        RegisterCheckClasses();
        RegisterGridClasses();
        RegisterDataClasses();
    }

    void SetUp() override
    {
        std::filesystem::create_directories(dir / "cache");
        CCacheDataTank<float>::SetTempFolder((dir / "cache").c_str());
        CCacheDataTank<double>::SetTempFolder((dir / "cache").c_str());
        oldDataHost = InstallDataDocHost(&dataHost);
        previousQuestion = InstallContinueQuestion(&question);
        services.prompt.SetUnexpectedHandler(
            [](const auto& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.str(); });
        link.SetReplyTimeout(0);
    }

    void TearDown() override
    {
        if (doc)
            doc->GetBoxArray().CloseMeters();
        manager.CloseAllDocuments(false);
        InstallContinueQuestion(previousQuestion);
        InstallDataDocHost(oldDataHost);
        EXPECT_EQ(services.prompt.Problems(), "");
        EXPECT_EQ(dialogs.Problems(), "");
    }

    // `boxes` emulated control units of two strain units each, a new
    // project of them saved under the temporary folder, its units
    // connected.
    void MakeProject(int boxes)
    {
        projectHost.profile.SetCount(boxes);
        for (int i = 0; i < boxes; ++i) {
            emu.AddUnit();
            devices.push_back(std::make_unique<kivemu::MeasureEmulator>(emu.Unit(static_cast<size_t>(i))));
            devices.back()->With([](kivemu::MeasureDevice&, kivemu::MeterDevice&, kivemu::DeviceState& s) {
                s.unitTypes.fill(0);
                s.unitTypes[0] = 2;
                s.unitTypes[1] = 2;
            });
            const auto k = static_cast<size_t>(i);
            projectHost.profile.m_unitTypes[k] = systest::Types({2, 2});
            projectHost.profile.m_ipAddress[k] = kLoopback;
            projectHost.profile.m_port[k] = emu.Port(k);
            projectHost.profile.m_serialNo[k] = static_cast<int16_t>(100 + i);
        }
        auto* tmpl = new fw::CDocTemplate(129, FW_RUNTIME_CLASS(CKIV5980Doc), nullptr, nullptr);
        tmpl->SetDocStrings(fw::LoadStringText(129).c_str());
        manager.AddDocTemplate(tmpl);
        doc = dynamic_cast<CKIV5980Doc*>(tmpl->OpenDocumentFile(fw::CString(), false));
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(doc->DoSave(fw::CString((dir / "proj.kivp").string()), true));
        CBoxArray& own = doc->GetBoxArray();
        ASSERT_TRUE(own.ConnectMeters(&link));
        ASSERT_TRUE(own.SelectOnChannels(true));
        own.FindFirstActiveBox();
        lists.assign(static_cast<size_t>(boxes), {});
        ClearLines();
    }

    static kivemu::RecordedSetSpec Spec(const std::string& name, int samples, const std::string& time = "15:30:00")
    {
        kivemu::RecordedSetSpec spec;
        spec.name = name;
        spec.channels = {1, 2, 3, 9};
        spec.widths.assign(spec.channels.size(), 2);
        spec.samples = samples;
        spec.unitTypes = {2, 2, 0, 0, 0, 0, 0, 0, 0, 0};
        spec.time = time;
        return spec;
    }

    static CKiv406FileInfo Entry(const std::string& name, const kivemu::RecordedSet& set, int samples)
    {
        CKiv406FileInfo entry;
        entry.m_name = name.c_str();
        entry.m_headerSize = static_cast<int>(set.header.size());
        entry.m_dataSize = static_cast<int>(set.data.size());
        entry.m_sampleCount = samples;
        entry.m_interval = 1.0;
        entry.m_firstSampleTime.SetDateTime(2023, 12, 24, 15, 30, 0);
        for (int p = 0; p < 2; ++p)
            entry.m_unitTypes.SetAt(p, 2);
        return entry;
    }

    // The set on the card of unit `box`, and in its list.
    void AddCardSet(int box, const kivemu::RecordedSetSpec& spec)
    {
        const kivemu::RecordedSet set = kivemu::MakeRecordedSet(spec);
        devices[static_cast<size_t>(box)]->With(
            [&](kivemu::MeasureDevice&, kivemu::MeterDevice& meter, kivemu::DeviceState&) {
                meter.files.push_back({spec.name + ".hed", std::vector<uint8_t>(set.header.begin(), set.header.end()), -1});
                meter.files.push_back({spec.name + ".dat", set.data, -1});
            });
        lists[static_cast<size_t>(box)].push_back(Entry(spec.name, set, spec.samples));
    }

    // The set as ".HED" and ".DAT" files of a PC folder, and in the list.
    void AddFolderSet(int box, const kivemu::RecordedSetSpec& spec)
    {
        const kivemu::RecordedSet set = kivemu::MakeRecordedSet(spec);
        std::filesystem::create_directories(dir / "card");
        const std::string base = (dir / "card" / spec.name).string();
        std::ofstream(base + ".HED", std::ios::binary) << set.header;
        std::ofstream out(base + ".DAT", std::ios::binary);
        out.write(reinterpret_cast<const char*>(set.data.data()), static_cast<std::streamsize>(set.data.size()));
        lists[static_cast<size_t>(box)].push_back(Entry(base, set, spec.samples));
    }

    // The dialog's event loop, as the shown dialog runs it, until the
    // dialog ends or `stop` asks to cancel (then Esc).
    static int RunLoop(fw::CDialog& d, const std::function<bool()>& cancelWhen = {})
    {
        auto& dlg = static_cast<CCFUpdateDlg&>(d);
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!dlg.IsEnded() && std::chrono::steady_clock::now() < limit) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (cancelWhen && cancelWhen())
                dlg.OnCancel();
        }
        return dlg.GetResult();
    }

    int RunDialog(int mode, bool deleteAfter = false, std::function<bool(CCFUpdateDlg&)> cancelWhen = {})
    {
        vectors.clear();
        for (Files& list : lists)
            vectors.push_back(&list);
        dialogs.On(CCFUpdateDlg::kTemplateId, [this, cancelWhen](fw::CDialog& d) {
            auto& dlg = static_cast<CCFUpdateDlg&>(d);
            const int result = RunLoop(d, cancelWhen ? std::function<bool()>([&] { return cancelWhen(dlg); })
                                                     : std::function<bool()>());
            posts = dlg.GetProgressPosts();
            if (auto* files = dlg.GetDlgItemAs<fw::CProgressCtrl>(CCFUpdateDlg::kIdFileProgress))
                fileProgress = files->GetPos();
            caption = dlg.GetDlgItemText(CCFUpdateDlg::kIdCaption).str();
            return result;
        });
        CCFUpdateDlg dlg;
        dlg.SetDocument(doc);
        dlg.SetFileSelection(&vectors);
        dlg.m_nMode = mode;
        dlg.m_nDeleteAfterTransfer = deleteAfter ? 1 : 0;
        dlg.m_bUseFileFormat = true;
        return dlg.DoModal();
    }

    Lines LinesOf(int i) { return emu.Unit(static_cast<size_t>(i)).GetTranscript().Lines(); }
    void ClearLines()
    {
        for (size_t i = 0; i < emu.UnitCount(); ++i)
            emu.Unit(i).GetTranscript().Clear();
    }
    // Lines of unit i that start with one of the words.
    Lines LinesWith(int i, std::initializer_list<const char*> words)
    {
        Lines out;
        for (const std::string& line : LinesOf(i)) {
            for (const char* w : words)
                if (line.rfind(w, 0) == 0) {
                    out.push_back(line);
                    break;
                }
        }
        return out;
    }
    int Steps() { return doc->GetHistory().GetLastIndex() + 1; }
    // Folders of measurement-data documents in the project's data folder.
    int DataFolders()
    {
        int n = 0;
        const std::filesystem::path data(doc->GetDataFolder().str());
        if (!std::filesystem::exists(data))
            return 0;
        for (const auto& e : std::filesystem::directory_iterator(data))
            n += e.is_directory() && e.path().filename().string().rfind("D", 0) == 0 ? 1 : 0;
        return n;
    }

    kivtest::TempDir dir;
    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs dialogs;
    CKivDocManager manager;
    CDataDocHost dataHost{&manager};
    IDataDocHost* oldDataHost = nullptr;
    TestProjectHost projectHost;
    fw::ScopedInstall<IProjectHost> installProjectHost{projectHost};
    CKivMeasurementDataSaver saver;
    fw::ScopedInstall<IMeasurementDataSaver> installSaver{saver};
    ScriptedQuestion question;
    IContinueQuestion* previousQuestion = nullptr;
    kivemu::Emulator emu;
    std::vector<std::unique_ptr<kivemu::MeasureEmulator>> devices;
    CMeterSocket link;
    CKIV5980Doc* doc = nullptr;
    std::vector<Files> lists;
    CBoxArray::FileVectors vectors;
    int posts = 0;
    int fileProgress = 0;
    std::string caption;
};

} // namespace transferdlgtest
