#pragma once

// A project window with a few measurement-history steps, and a fake of the
// program's conversion services that records what it is asked.

#include "tests/project/views/ProjectWindowFixture.h"

#include "grid/views/GridPane.h"
#include "project/views/pages/HistoryPageServices.h"

#include <string>
#include <vector>

namespace prjview {

class CFakeHistoryServices : public IHistoryPageServices {
public:
    bool ChooseDataTextOptions(const fw::CString& folder) override
    {
        proposed = folder.str();
        return accept;
    }
    bool ConvertDataFile(const fw::CString& path) override
    {
        converted.push_back(path.str());
        return true;
    }
    bool ChooseHistTextOptions(const fw::CString& folder) override
    {
        proposed = folder.str();
        return accept;
    }
    bool ConvertHistFile(const fw::CString& path) override
    {
        converted.push_back(path.str());
        return converted.size() != failAt;
    }
    bool IsFrequencyDataOpen() override { return freqOpen; }

    bool accept = true;
    bool freqOpen = false;
    size_t failAt = 0;
    std::string proposed;
    std::vector<std::string> converted;
};

class HistoryPageFixture : public ProjectWindowFixture {
protected:
    // The project with `steps` steps; steps named in `files` have data.
    void MakeHistory(int steps, const std::vector<std::string>& files);
    // Adds measured channel `channel` with values step * 10 + kind.
    void AddChannel(int channel, const std::string& name, const std::string& unit);
    template <class Page> Page* Show(unsigned id)
    {
        CProjectFrame* frame = FrameOf(doc);
        frame->OnPageCommand(id);
        return dynamic_cast<Page*>(frame->GetActiveView());
    }
    void Select(CProjectBaseView* page, int top, int left, int bottom, int right)
    {
        page->GetGrid()->SetSelection({top, left, bottom, right}, {top, left}, {top, left}, false);
    }
    static bool Enabled(fw::CCmdTarget* page, unsigned id)
    {
        fw::CCmdUI ui(id);
        page->OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
        return ui.m_bEnabled;
    }

    CKIV5980Doc* doc = nullptr;
    CFakeHistoryServices fake;
    fw::ScopedInstall<IHistoryPageServices> installFake{fake};
};

} // namespace prjview
