#pragma once

// The common base of the documents that hold instrument data (project,
// measurement data, frequency data): the test title, the tanks the
// document uses, the three operation-data tanks, and the time list graph
// with one row per channel. A name chosen in the save dialog never replaces
// an existing file.

#include "common/tank/DataTankList.h"
#include "common/tank/UseTankList.h"
#include "docbase/doc/GraphTimeList.h"
#include "docbase/doc/ZELDataDoc.h"

#include <memory>

class CDataTankObject;

// Lets the interface layer commit an open cell editor before a save
// (fw::Install<IEditorCommit>).
struct IEditorCommit {
    virtual ~IEditorCommit() = default;
    virtual void CommitEditors(fw::CDocument& document) = 0;
};

class CKivDocBase : public CZELDataDoc {
    FW_DECLARE_DYNCREATE(CKivDocBase)
public:
    static constexpr size_t kMaxTestTitleBytes = 256;
    static constexpr int kTimeChannel = 499;
    static constexpr int kFirstCalcChannel = 500;
    static constexpr int kLastChannel = 1499;
    // List numbers of GetChannelTank and of the list graphs' rows: the
    // channel tank list, the operation-data list. The graph pages' profiles
    // and series number their lists otherwise (operation data 1, CAN 5) and
    // translate before they ask a document.
    static constexpr int16_t kChannelList = 2;
    static constexpr int16_t kOpDataList = 5;
    static constexpr int kOpDataTanks = 3;

    CKivDocBase();
    ~CKivDocBase() override;

    // --- operations of the derived documents ---------------------------------
    // The list indexed by channel number; null here.
    virtual CDataTankList* GetChannelTankList() { return nullptr; }
    virtual int GetChannelCount() { return 0; }
    virtual const fw::CString& GetTestTitle() const { return m_strTestTitle; }
    // The derived documents build a CUpdateKivData for their views.
    virtual void SendUpdateHint(fw::CObject* sender, int first, int last, int32_t flags) {}
    // A row profile for the channel copied from `profile`, or null when the
    // channel has no tank of a plotted kind (a measured channel) or no name
    // (a calculated one).
    virtual GraphProfilePtr MakeGraphListEntry(int channel, const GraphListProfile& profile);
    // False, after message 477, when a file of that path exists.
    virtual bool RefuseExistingFile(const fw::CString& path, const fw::CString& title, const fw::CString& extension);
    virtual CDataTankList* GetOpDataList() { return nullptr; }
    virtual GraphProfilePtr MakeOpDataGraphEntry(int number, const GraphListProfile& profile);

    // --- contents -------------------------------------------------------------
    bool CreateNewContents() override;
    void DeleteContents() override;
    void OnDocumentLoaded() override;

    // Cuts to 256 CP932 bytes (255 when a double-byte character would be
    // split), stores, marks modified, sends hint 15; false when cut.
    bool SetTestTitle(const fw::CString& text);
    // The same cut in place; true when the text stayed whole.
    static bool LimitTestTitle(fw::CString& text);

    // The tank of a channel in the operation-data list (list 5) or the
    // channel tank list; null when the list does not hold it.
    CDataTankObject* GetChannelTank(int channel, int list);
    void SetOpDataValue(int tankNumber, int row, double value);
    bool HasOpData() const { return m_bOpData && m_bOpDataAllowed; }
    void SetOpDataFlag(bool on) { m_bOpData = on; }
    void SetOpDataAllowed(bool allowed) { m_bOpDataAllowed = allowed; }
    CDataTankList* GetOpDataTanks() const { return m_pOpDataList.get(); }
    CUseTankList& GetUseTanks() { return m_useTanks; }
    IGraphTimeList& GetGraphTimeList() { return *m_pGraphTimeList; }

    // Rebuilds the graph rows after the set of channels changed.
    void RebuildGraphList();

    // Save and Save As. A name chosen in the dialog that names an existing
    // file is refused with message 477 and the dialog comes again.
    bool DoSave(const fw::CString& path, bool replace = true) override;
    // The data-document part, then the operation-data flag as int32.
    void Serialize(fw::CArchive& ar) override;


protected:
    GraphProfilePtr MakeHeadProfile();
    void MergeGraphRows(GraphProfileList& rows, const GraphListProfile& head);
    // The save dialog of DoSave; false when cancelled.
    bool PromptSaveName(fw::CString& name, bool replace);

    bool m_bOpData = true;
    fw::CString m_strTestTitle;
    std::unique_ptr<CDataTankList> m_pOpDataList;
    CUseTankList m_useTanks;
    std::unique_ptr<IGraphTimeList> m_pGraphTimeList;
    bool m_bOpDataAllowed = true;
};
