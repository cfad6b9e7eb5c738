#pragma once

// The floating alarm window: the channels of the measured project that are
// in alarm, with their value, kind and the time the alarm began, rebuilt
// after every poll; the highest alarm raises the application's alarm
// sound. Closing only hides it.

#include "framework/ui/DialogBar.h"
#include "framework/ui/MiniFrameWnd.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"
#include "measure/model/poll/AlarmList.h"

class CKIV5980Doc;

class CArarmGrid : public CZELGrid {
public:
    explicit CArarmGrid(const CAlarmList& list) : m_list(list) {}
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;

private:
    const CAlarmList& m_list;
};

class CArarmFrame : public fw::CMiniFrameWnd {
    FW_DECLARE_DYNAMIC(CArarmFrame)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kIdsTitle = 194;
    static constexpr unsigned ID_SHOW_CONDITION = 1273, ID_RESET_ALL = 1266, ID_FIT = 1274;
    static constexpr int kMinRows = 5;

    CArarmFrame();
    ~CArarmFrame() override;

    bool CreateFrame(fw::CWnd* owner);
    void SetDocument(CKIV5980Doc* doc);
    // Rebuilds the rows; with `sound` the highest alarm raises the sound.
    void UpdateAlarms(bool sound);
    void ResetAlarms();
    const CAlarmList& List() const { return m_list; }
    void OnClose() override { ShowWindow(fw::SW_HIDE); }
    // The window just takes the list's columns and at most six rows.
    void FitToList();

private:
    void OnResetAll();
    void OnUpdateResetAll(fw::CCmdUI* ui) { ui->Enable(!m_list.Rows().empty()); }
    void OnShowCondition() {}
    void OnUpdateShowCondition(fw::CCmdUI* ui) { ui->Enable(false); }

    CAlarmList m_list;
    CZELGridStyle m_style;
    CArarmGrid m_grid{m_list};
    fw::CDialogBar m_bar;
    CKIV5980Doc* m_doc = nullptr;
};
