#pragma once

// The project window's voice page ("音声履歴"): one row per recording of the
// project's voice list with its file name, recording time and folder. A
// recording plays from the button in its name cell or the page's menu,
// stops with a second click, and the selected recordings are renamed on
// disk with the numbered naming pattern. The page only reads the list.

#include "canvoicegps/views/VoiceRows.h"
#include "project/views/ProjectBaseView.h"

class CPrjVoiceView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjVoiceView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 406;
    static constexpr unsigned kIdRename = 33327;
    static constexpr unsigned kIdPlay = 33328;
    static constexpr unsigned kIdStop = 33329;
    static constexpr intptr_t kHintVoiceList = 44;
    static constexpr unsigned kIdsExists = 511;

    CPrjVoiceView();
    ~CPrjVoiceView() override;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override { return false; }
    bool CanPaste() const override { return false; }
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnCheckBoxClick(int32_t col, int32_t row, fw::CPoint screen) override;

    // Plays the recording of `row`, or stops it when it is the one playing.
    void OnCellButton(int32_t col, int32_t row);
    void OnPlay();
    void OnStop();
    void OnRename();
    bool IsPlaying() const { return m_player.IsPlaying(); }
    int32_t GetPlayingRow() const { return m_player.GetPlayingRow(); }

private:
    void OnUpdatePlay(fw::CCmdUI* ui);
    void OnUpdateStop(fw::CCmdUI* ui);
    void OnUpdateRename(fw::CCmdUI* ui);
    int32_t LastIndex() const;
    void SetUsedExtents();

    CVoiceRowPlayer m_player;
};
