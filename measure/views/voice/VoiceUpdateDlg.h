#pragma once

// The progress dialog of the voice copy from the cards ("計測ﾃﾞｰﾀ更新中"):
// the caption of the file being copied, its progress and the number of the
// file among all chosen files. The copy runs from the dialog's event loop;
// Esc ends it after the block in hand. Afterwards the project's views hear
// that the voice list changed.

#include "framework/ui/Dialog.h"
#include "instrument/system/BoxArray.h"

#include <memory>

class CCFVoiceUpdate;
class CKIV5980Doc;
class CVoiceCopyRun;

class CVoiceUpdateDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CVoiceUpdateDlg)
public:
    static constexpr unsigned kTemplateId = 195;
    static constexpr int kIdCaption = 1183;
    static constexpr int kIdFileProgress = 1184;
    static constexpr int kIdOverallProgress = 1185;
    static constexpr intptr_t kHintVoiceListChanged = 44;

    explicit CVoiceUpdateDlg(fw::CWnd* parent = nullptr);
    ~CVoiceUpdateDlg() override;

    void SetDocument(CKIV5980Doc* doc) { m_pDoc = doc; }
    // One list of chosen voice files per control unit (not owned).
    void SetFileLists(const CBoxArray::FileVectors* lists) { m_pLists = lists; }

    // 1 every file copied; 2 nothing to copy, Esc or the voice list full;
    // 3 the user stopped after a failure.
    int DoModal() override;

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;

private:
    class Host;
    void RunCopy();
    void ShowFile(int ordinal);
    void ShowPercent(unsigned percent);

    CKIV5980Doc* m_pDoc = nullptr;
    const CBoxArray::FileVectors* m_pLists = nullptr;
    std::unique_ptr<Host> m_host;
    std::unique_ptr<class CProjectVoiceTarget> m_target;
    std::unique_ptr<CCFVoiceUpdate> m_job;
    std::unique_ptr<CVoiceCopyRun> m_run;
    bool m_running = false;
};
