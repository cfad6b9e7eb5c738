#pragma once

// The progress dialog through which every retrieval of recorded data runs
// ("計測ﾃﾞｰﾀ更新中"): the chosen file sets of every control unit are moved
// into the project by a transfer thread of their own, item by item with a
// progress bar, file set by file set with a second one; each completed set
// becomes a history step and a measurement-data document. Esc ends the
// transfer after the chunk in hand; nothing half-stored becomes a step.

#include "framework/ui/Dialog.h"
#include "instrument/system/BoxArray.h"

#include <atomic>
#include <memory>
#include <thread>

class CInterfaceThreadTarget;
class CKIV5980Doc;
class CProjectTransferHost;
class CTransferSession;

class CCFUpdateDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CCFUpdateDlg)
public:
    static constexpr unsigned kTemplateId = 195;
    static constexpr int kIdCaption = 1183;
    static constexpr int kIdItemProgress = 1184;
    static constexpr int kIdFileProgress = 1185;

    explicit CCFUpdateDlg(fw::CWnd* parent = nullptr);
    // Waits for a transfer thread that still runs.
    ~CCFUpdateDlg() override;

    void SetDocument(CKIV5980Doc* doc) { m_pDoc = doc; }
    // One list of chosen files per control unit (not owned).
    void SetFileSelection(const CBoxArray::FileVectors* lists) { m_pFiles = lists; }

    // 0 unit memory, 1 card through the unit (the file just recorded),
    // 2 card files copied to a PC folder, 3 chosen card files through the
    // unit.
    int m_nMode = 0;
    // Modes 1 and 3: the transferred files are deleted on the cards.
    int m_nDeleteAfterTransfer = 0;
    bool m_bUseFileFormat = false;
    bool m_bAskOnError = true;

    // 1 every file set completed; 2 nothing to prepare, Esc, a refused
    // card deletion or a full history; 3 a failed transfer not retried;
    // another result of the project's step, passed on.
    int DoModal() override;

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    // Enter does not end a transfer.
    void OnOK() override {}
    void OnCancel() override;

    // Starts the transfer thread (once); the shown dialog does it itself.
    void StartTransfer();
    bool IsTransferDone() const { return m_done; }
    // Progress hand-overs of the run (at most one waits at a time).
    int GetProgressPosts() const;

private:
    void OnTransferEnded(int result);
    // Interface thread: waits for the transfer thread, serving its calls.
    void StopTransfer();
    void ShowProgress(unsigned percent, const fw::CString* caption, int fileSet);

    CKIV5980Doc* m_pDoc = nullptr;
    const CBoxArray::FileVectors* m_pFiles = nullptr;
    std::unique_ptr<CProjectTransferHost> m_host;
    std::unique_ptr<CInterfaceThreadTarget> m_target;
    std::unique_ptr<CTransferSession> m_session;
    std::thread m_thread;
    std::atomic<bool> m_done{false};
    int m_fileSets = 0;
};
