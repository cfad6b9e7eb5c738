#pragma once

// Which blocks a VO-8025 CSV output writes and which analyses get a block
// of their own. OK is enabled only while there is something to write.

#include "framework/ui/Dialog.h"
#include "frequency/document/HistOutParam.h"

class CHistCountArray;
class CHistOutGrid;

namespace fw {
class CCmdUI;
}

class C8025OutDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(C8025OutDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 380;
    static constexpr int kIdAll = 1319;
    static constexpr int kIdSeparate = 1320;
    static constexpr int kIdInputChannels = 1322;
    static constexpr int kIdConditions = 1323;
    static constexpr int kIdMMData = 1324;
    static constexpr int kIdGrid = 1313;

    C8025OutDlg(CHistOutParam& options, const CHistCountArray* analyses, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    CHistOutGrid* GetGrid() const { return m_grid; }

private:
    void OnCheck();
    void UpdateOk();
    void OnOutput();
    void OnNoOutput();
    void OnUpdateOutput(fw::CCmdUI* ui);
    void OnUpdateNoOutput(fw::CCmdUI* ui);

    CHistOutParam& m_options;
    const CHistCountArray* m_analyses;
    CHistOutGrid* m_grid = nullptr;
};
