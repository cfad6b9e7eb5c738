#pragma once

// One run of the transfer dialog without its window: the transfer objects
// of the mode, the chosen file sets one after the other (each stored box by
// box with the GPS and CAN data of its CAN/voice/GPS unit, then made a
// history step and a measurement-data document by the project), the card
// files deleted after each set when asked, and the stop at a full history.
// The run stands between the transfers and the project (it is the host the
// transfers see), so a cancel from any thread ends the run after the chunk
// in hand and keeps every later question and step from happening.

#include "instrument/system/BoxArray.h"
#include "measure/model/TransferHost.h"
#include "measure/model/TransferRun.h"

#include <atomic>
#include <memory>

class CCFUpdate;
struct ITransferTarget;

class CTransferSession final : public ITransferHost {
public:
    enum Mode : int { kUnitMemory = 0, kCardThroughUnit = 1, kCardFolder = 2, kChosenCardFiles = 3 };
    // Results of a run, as the dialog ends with them.
    enum Result : int { kAllDone = 1, kStopped = 2, kFailed = 3 };
    static constexpr unsigned kIdsHistoryFull = 557;
    using FileLists = CBoxArray::FileVectors;

    CTransferSession(ITransferTarget& target, int mode, const FileLists& files);
    ~CTransferSession() override;
    CTransferSession(const CTransferSession&) = delete;
    CTransferSession& operator=(const CTransferSession&) = delete;

    void SetUseFileFormat(bool use) { m_useFileFormat = use; }
    void SetDeleteAfterTransfer(bool on) { m_deleteAfter = on; }
    void SetAskOnError(bool ask) { m_askOnError = ask; }
    int GetMode() const { return m_mode; }
    // Entries in the first box's list: the file sets of the run.
    int GetFileSetCount() const;
    int GetFileIndex() const { return m_fileIndex; }

    // Builds the transfer objects and prepares the first file set (on the
    // interface thread, before the dialog shows). False: the run ends with
    // kStopped and nothing is transferred.
    bool PrepareFirst();
    // Every file set from the prepared one on (on the transfer thread):
    // kAllDone, kStopped, kFailed or a result of the project's step.
    int Run();
    // Any thread: ends the run after the chunk in hand.
    void Cancel() { m_cancel = true; }
    bool IsCancelled() const { return m_cancel; }
    // Puts the project's measuring systems back as the mode left them
    // (interface thread, after the run).
    void Finish();

    // ---- ITransferHost, as the transfers see it
    CBoxArray& GetActiveBoxArray() override;
    CBoxArray& GetOwnBoxArray() override;
    bool BeginImportBoxArray(const CMeterInterfacePrf& profile, const CADSetPrf& adSet) override;
    void RefreshChannelColumns() override;
    bool AskContinue(const fw::CString& text) override;
    void ShowMessage(const fw::CString& text) override;
    void ReportException(const std::exception& e) override;
    void ShowProgress(unsigned messageId, unsigned percent) override;

private:
    void BuildTransfers();
    int RunFileSet();
    int CompleteFileSet();
    bool PrepareNext();
    const CKiv406FileInfo* FirstEntry() const;
    CCFUpdate* TransferOfMessage(unsigned messageId) const;

    ITransferTarget& m_target;
    const int m_mode;
    const FileLists& m_files;
    bool m_useFileFormat = false;
    bool m_deleteAfter = false;
    bool m_askOnError = true;
    int m_fileIndex = 0;
    bool m_meterEdit = false;
    std::unique_ptr<CCFUpdate> m_main;
    std::unique_ptr<CCFUpdate> m_second;
    std::unique_ptr<CCFUpdate> m_gps;
    std::unique_ptr<CCFUpdate> m_gpsSecond;
    std::unique_ptr<CCFUpdate> m_can;
    std::unique_ptr<CCFUpdate> m_canSecond;
    CTransferRun m_run{*this};
    std::atomic<bool> m_cancel{false};
    fw::CString m_caption;
};
