#pragma once

// The settings of a frequency graph: the source document (open project and
// frequency-data documents), its analyses drawn, and the count column drawn
// per operation. Edits the profile it is given, on OK only; a FROM/TO
// analysis can only be drawn alone.

#include "framework/ui/Dialog.h"
#include "frequency/graph/HistGraphPrf.h"

#include <vector>

class CKivDocBase;
class CSheetSelectCombBox;

namespace fw {
class CListBox;
class CComboBox;
}

// One selected row of the analysis list.
struct HistGraphRow {
    int32_t analysis;
    fw::CString operation; // the operation text shown in the row
};

// Stores the chosen rows into the profile: layout 3 for one FROM/TO row
// alone, else 1. False (the profile partly written, as the dialog leaves
// it) when a FROM/TO row is chosen with others.
bool StoreHistGraphRows(CHistGraphPrf& profile, const std::vector<HistGraphRow>& rows);
// The count labels an operation offers (up to 4, to the first empty one)
// and the stored type brought within them.
std::vector<fw::CString> HistCountTypeChoices(int operation, int16_t& countType);

class CHistGraphDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CHistGraphDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 378;
    static constexpr int kIdDocument = 1098;
    static constexpr int kIdAnalyses = 1162;
    static constexpr int kIdCountType = 1302;
    static constexpr unsigned kIdsFromToAlone = 648; // "FORM/TOは重ね描きすることができません。"

    CHistGraphDlg(CHistGraphPrf& profile, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    void OnDocumentChange();
    void UpdateCountTypes();
    void OnCountTypeChange();
    const std::array<int16_t, CHistGraphPrf::kOperations>& CountTypes() const { return m_countTypes; }

private:
    bool FillAnalysisList();
    void SelectProfileAnalyses();
    std::vector<int> SelectedRows() const;
    fw::CListBox* List() const;

    CHistGraphPrf& m_profile;
    CKivDocBase* m_document = nullptr;
    std::array<int16_t, CHistGraphPrf::kOperations> m_countTypes{};
    int m_operationRow = -1;
};
