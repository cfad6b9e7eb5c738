#pragma once

// The measurement project as the recorded-data transfers see it: samples
// go into the project's active measuring system (its own, or the temporary
// one built from recorded headers), questions and messages go to the
// user, and each finished file set becomes a history step and a
// measurement-data document of the project. Interface thread only.

#include "measure/views/transfer/TransferTarget.h"
#include "project/model/KIV5980Doc.h"

class CProjectTransferHost : public ITransferTarget {
public:
    // Update hints around a transfer: the channel tanks are about to be
    // refilled (views hold back their painting), and the transfer ended.
    static constexpr intptr_t kHintTransferBegins = 37;
    static constexpr intptr_t kHintTransferEnds = 38;

    explicit CProjectTransferHost(CKIV5980Doc& doc) : m_doc(doc) {}

    CKIV5980Doc& GetDocument() const { return m_doc; }
    // The import record of a file set from its first box's entry.
    static CKIV5980Doc::ImportRecord MakeRecord(const CKiv406FileInfo& entry);

    // Hint to the graph documents and the project's views.
    void Broadcast(intptr_t hint);
    // The calculated channels of the active measuring system from step 0,
    // when it has any.
    void RecalculateChannels();

    CBoxArray& GetActiveBoxArray() override;
    CBoxArray& GetOwnBoxArray() override;
    bool BeginImportBoxArray(const CMeterInterfacePrf& profile, const CADSetPrf& adSet) override;
    void RefreshChannelColumns() override;
    bool AskContinue(const fw::CString& text) override;
    void ShowMessage(const fw::CString& text) override;
    void ReportException(const std::exception& e) override;

    int SaveStep(const CKiv406FileInfo& entry, bool force, bool endMeterEdit) override;
    bool CanAddStep() override;
    int StepCount() override;
    void ClearCompanionTanks() override;
    void EndImportBoxArray() override;

private:
    CKIV5980Doc& m_doc;
};
