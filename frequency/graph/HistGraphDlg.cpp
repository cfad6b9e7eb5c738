#include "frequency/graph/HistGraphDlg.h"

#include "docbase/doc/KivDocBase.h"
#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "frequency/document/HistDataBoxArray.h"
#include "frequency/document/HistDoc.h"
#include "frequency/model/HistCountArray.h"
#include "frequency/model/HistTables.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/views/SheetSelectCombBox.h"
#include "project/model/KIV5980Doc.h"

#include <QAbstractItemView>
#include <QListWidget>

FW_IMPLEMENT_DYNAMIC(CHistGraphDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CHistGraphDlg, fw::CDialog)
    FW_ON_CBN_SELCHANGE(CHistGraphDlg::kIdDocument, &CHistGraphDlg::OnDocumentChange)
    FW_ON_LBN_SELCHANGE(CHistGraphDlg::kIdAnalyses, &CHistGraphDlg::UpdateCountTypes)
    FW_ON_CBN_SELCHANGE(CHistGraphDlg::kIdCountType, &CHistGraphDlg::OnCountTypeChange)
FW_END_COMMANDS

namespace {

constexpr const char* kFromTo = "FROM/TO";

CHistCountArray* AnalysesOf(CKivDocBase* document)
{
    if (auto* hist = dynamic_cast<CHistDoc*>(document))
        return hist->GetHistCountArray();
    if (auto* project = dynamic_cast<CKIV5980Doc*>(document))
        return project->GetHistCountArray();
    return nullptr;
}

} // namespace

bool StoreHistGraphRows(CHistGraphPrf& profile, const std::vector<HistGraphRow>& rows)
{
    profile.m_analyses.clear();
    int fromTo = 0;
    int others = 0;
    for (const HistGraphRow& row : rows) {
        if (row.operation == kFromTo) {
            ++fromTo;
            profile.m_layout = CHistGraphPrf::kFromTo;
        } else {
            ++others;
            profile.m_layout = CHistGraphPrf::kPerAnalysis;
        }
        if ((fromTo > 0 && others > 0) || fromTo > 1)
            return false;
        profile.m_analyses.push_back(row.analysis);
    }
    return true;
}

std::vector<fw::CString> HistCountTypeChoices(int operation, int16_t& countType)
{
    std::vector<fw::CString> labels;
    for (int column = 0; column < kHistLabelColumns; ++column) {
        const char* label = HistCountLabel(operation, column);
        if (!*label)
            break;
        labels.emplace_back(label);
    }
    // FROM/TO and NONE OP tables have one column.
    if (labels.empty())
        labels.emplace_back("Count");
    if (countType >= static_cast<int16_t>(labels.size()))
        countType = static_cast<int16_t>(labels.size() - 1);
    if (countType < 0)
        countType = 0;
    return labels;
}

CHistGraphDlg::CHistGraphDlg(CHistGraphPrf& profile, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_profile(profile)
{
}

void CHistGraphDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("頻度グラフの設定");
    b.Static(0, "参照ファイル名");
    b.Custom(kIdDocument, std::make_unique<CSheetSelectCombBox>());
    b.Row();
    b.List(kIdAnalyses);
    b.Row();
    b.Static(0, "作図モード");
    b.Combo(kIdCountType);
    b.OkCancel();
}

fw::CListBox* CHistGraphDlg::List() const { return GetDlgItemAs<fw::CListBox>(kIdAnalyses); }

bool CHistGraphDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    if (fw::CListBox* list = List(); list && list->List())
        list->List()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* combo = GetDlgItemAs<CSheetSelectCombBox>(kIdDocument);
    if (!combo)
        return false;
    combo->List().m_dataDocs = 0;
    CKivDocBase* found = nullptr;
    if (!combo->FillDocuments(&found, m_profile.m_docIdent, m_profile.m_strTitle, false)) {
        EndDialog(-1);
        return false;
    }
    if (combo->GetCurSel() < 0 && combo->GetCount() > 0)
        combo->SetCurSel(0);
    m_countTypes = m_profile.m_countTypes;
    OnDocumentChange();
    return true;
}

void CHistGraphDlg::OnDocumentChange()
{
    m_document = nullptr;
    auto* combo = GetDlgItemAs<CSheetSelectCombBox>(kIdDocument);
    if (const CDocIdent* ident = combo ? combo->GetSelectedIdent() : nullptr) {
        std::vector<CKivDocBase*> documents;
        for (unsigned id : {129u, 132u}) {
            documents.clear();
            if (GraphPageHost().DocumentsOfTemplate(id, documents))
                for (CKivDocBase* doc : documents)
                    if (doc->GetDocIdent() == *ident)
                        m_document = doc;
        }
    }
    FillAnalysisList();
    SelectProfileAnalyses();
    UpdateCountTypes();
}

bool CHistGraphDlg::FillAnalysisList()
{
    fw::CListBox* list = List();
    if (!list)
        return false;
    list->ResetContent();
    CHistCountArray* analyses = AnalysesOf(m_document);
    if (!analyses)
        return true;
    auto* hist = dynamic_cast<CHistDoc*>(m_document);
    for (int i = 0; i < analyses->GetSize(); ++i) {
        const CHistCountObj* a = analyses->GetAt(i);
        fw::CString name;
        fw::CString channel;
        if (hist) {
            hist->GetBoxArray().GetText(i, kHistColName, name);
            hist->GetBoxArray().GetText(i, kHistColComment, channel);
        } else {
            name.Format("DN_%d", i + 1);
            if (a)
                channel = a->m_comment;
        }
        const fw::CString operation = a ? fw::CString(a->GetOperationText()) : fw::CString();
        const int row = list->AddString(name + "\t" + channel + "\t" + operation);
        if (row < 0)
            return false;
        list->SetItemData(row, static_cast<uintptr_t>(i));
    }
    return true;
}

void CHistGraphDlg::SelectProfileAnalyses()
{
    fw::CListBox* list = List();
    if (!list || !list->List())
        return;
    list->List()->clearSelection();
    if (!m_document || m_document->GetDocIdent() != m_profile.m_docIdent)
        return;
    for (int32_t index : m_profile.m_analyses)
        for (int row = 0; row < list->GetCount(); ++row)
            if (list->GetItemData(row) == static_cast<uintptr_t>(index)) {
                list->List()->item(row)->setSelected(true);
                list->List()->scrollToItem(list->List()->item(row));
            }
}

std::vector<int> CHistGraphDlg::SelectedRows() const
{
    std::vector<int> rows;
    fw::CListBox* list = List();
    if (!list || !list->List())
        return rows;
    for (int row = 0; row < list->GetCount(); ++row)
        if (list->List()->item(row)->isSelected())
            rows.push_back(row);
    return rows;
}

void CHistGraphDlg::UpdateCountTypes()
{
    const std::vector<int> rows = SelectedRows();
    if (fw::CWnd* ok = GetDlgItem(fw::IDOK))
        ok->EnableWindow(!rows.empty());
    auto* combo = GetDlgItemAs<fw::CComboBox>(kIdCountType);
    if (!combo)
        return;
    combo->ResetContent();
    CHistCountArray* analyses = AnalysesOf(m_document);
    if (!analyses || rows.empty()) {
        combo->EnableWindow(false);
        return;
    }
    // The last selected row decides the operation.
    m_operationRow = -1;
    for (int row : rows) {
        const int index = static_cast<int>(List()->GetItemData(row));
        const CHistCountObj* a = index < analyses->GetSize() ? analyses->GetAt(index) : nullptr;
        if (a)
            m_operationRow = a->m_operation - 1;
    }
    if (m_operationRow < 0 || m_operationRow >= CHistGraphPrf::kOperations) {
        combo->EnableWindow(false);
        return;
    }
    int16_t& type = m_countTypes[static_cast<size_t>(m_operationRow)];
    for (const fw::CString& label : HistCountTypeChoices(m_operationRow + 1, type))
        combo->AddString(label);
    combo->EnableWindow(true);
    combo->SetCurSel(type);
}

void CHistGraphDlg::OnCountTypeChange()
{
    auto* combo = GetDlgItemAs<fw::CComboBox>(kIdCountType);
    if (combo && m_operationRow >= 0 && m_operationRow < CHistGraphPrf::kOperations && combo->GetCurSel() >= 0)
        m_countTypes[static_cast<size_t>(m_operationRow)] = static_cast<int16_t>(combo->GetCurSel());
}

void CHistGraphDlg::DoDataExchange(fw::CDataExchange* dx)
{
    if (!dx->m_bSaveAndValidate || !m_document)
        return;
    m_profile.m_docIdent = m_document->GetDocIdent();
    m_profile.m_strTitle = m_document->GetTitle();
    m_profile.m_projectSource = m_document->HasOpData() ? 1 : 0;
    m_profile.m_countTypes = m_countTypes;
    std::vector<HistGraphRow> rows;
    CHistCountArray* analyses = AnalysesOf(m_document);
    for (int row : SelectedRows()) {
        const int index = static_cast<int>(List()->GetItemData(row));
        const CHistCountObj* a = analyses && index < analyses->GetSize() ? analyses->GetAt(index) : nullptr;
        rows.push_back({index, a ? fw::CString(a->GetOperationText()) : fw::CString()});
    }
    if (!StoreHistGraphRows(m_profile, rows)) {
        fw::Prompt().MessageBox(fw::CString("FORM/TOは重ね描きすることができません。"),
                                fw::MB_OK | fw::MB_ICONEXCLAMATION, kIdsFromToAlone);
        dx->Fail();
    }
}
