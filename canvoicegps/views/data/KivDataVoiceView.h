#pragma once

// The voice page of a measurement-data window ("音声履歴"): one row per
// recording found in the document's folder with its file name, recording
// time and start time in seconds. A recording plays from the button in its
// name cell or the page's menu and stops with a second click; the selected
// recordings are renamed on disk with the numbered naming pattern, after
// which the open projects scan their recordings again. The page only reads
// the list.

#include "canvoicegps/views/VoiceRows.h"
#include "data/views/KivDataViewBase.h"

class CVoiceListObj;

class CKivDataVoiceView : public CKivDataViewBase {
    FW_DECLARE_DYNCREATE(CKivDataVoiceView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 406;
    static constexpr unsigned kIdRename = 33327;
    static constexpr unsigned kIdPlay = 33328;
    static constexpr unsigned kIdStop = 33329;
    static constexpr unsigned kIdHistoryUpdate = 32830;
    static constexpr intptr_t kHintVoiceList = 44;
    static constexpr unsigned kIdsExists = 511;

    CKivDataVoiceView();
    ~CKivDataVoiceView() override;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanEdit() const override { return false; }
    bool CanInsertRows() override { return false; }
    bool CanPaste() const override { return false; }
    CZELGridStyle* GetViewStyle() override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnCheckBoxClick(int32_t col, int32_t row, fw::CPoint screen) override;

    // Plays the recording of `row`, or stops it when it is the one playing.
    void OnCellButton(int32_t col, int32_t row);
    void OnPlay();
    void OnStop();
    void OnRename();
    // Finds the recordings of the folder again.
    void OnHistoryUpdate();
    bool IsPlaying() const { return m_player.IsPlaying(); }
    int32_t GetPlayingRow() const { return m_player.GetPlayingRow(); }

private:
    void OnUpdatePlay(fw::CCmdUI* ui);
    void OnUpdateStop(fw::CCmdUI* ui);
    void OnUpdateRename(fw::CCmdUI* ui);
    void OnUpdateHistory(fw::CCmdUI* ui);
    CVoiceListObj* VoiceList() const;
    int32_t LastIndex() const;
    void SetUsedExtents();
    void RescanProjects();

    CVoiceRowPlayer m_player;
};
