#include "graphdoc/views/objects/PowGraphDlg.h"

#include "common/tank/DataTankList.h"
#include "common/tank/DataTankObject.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocBase.h"
#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "graphdoc/model/objects/PowPrf.h"

FW_IMPLEMENT_DYNAMIC(CPowGraphDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CPowGraphDlg, fw::CDialog)
    FW_ON_CBN_SELCHANGE(CPowGraphDlg::IDC_DOCUMENT, &CPowGraphDlg::OnDocumentChange)
FW_END_COMMANDS

namespace {

constexpr uintptr_t kUsedTankKind = 2;

} // namespace

std::vector<CKivDocBase*> OpenInstrumentDocuments()
{
    std::vector<CKivDocBase*> documents;
    auto* host = dynamic_cast<CDataDocHost*>(&DataDocHost());
    fw::CDocManager* manager = host ? host->GetDocManager() : nullptr;
    if (!manager)
        return documents;
    fw::POSITION t = manager->GetFirstDocTemplatePosition();
    while (t) {
        fw::CDocTemplate* tmpl = manager->GetNextDocTemplate(t);
        fw::POSITION d = tmpl->GetFirstDocPosition();
        while (d)
            if (auto* doc = dynamic_cast<CKivDocBase*>(tmpl->GetNextDoc(d)))
                documents.push_back(doc);
    }
    return documents;
}

CPowGraphDlg::CPowGraphDlg(CPowGraphPrfList& list, std::vector<CKivDocBase*> documents, fw::CWnd* parent)
    : fw::CDialog(IDD, parent), m_list(list), m_documents(std::move(documents))
{
    m_nShift = list.m_pow.m_shift;
    m_nWindow = list.m_pow.m_window;
    m_nKind = list.m_pow.m_kind;
    m_nCount = list.m_pow.m_countMode;
}

void CPowGraphDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("スペクトルグラフ");
    b.Group("参照ファイル名 ");
    b.Combo(IDC_DOCUMENT);
    b.EndGroup();
    b.Row();
    b.List(IDC_CHANNELS);
    b.Row();
    b.Group("シフト");
    b.Radio(IDC_SHIFT, "なし", true);
    b.Radio(IDC_SHIFT + 1, "DCカット");
    b.Radio(IDC_SHIFT + 2, "トレンド");
    b.EndGroup();
    b.Group("ウィンドウ関数");
    b.Radio(IDC_WINDOW, "矩形", true);
    b.Radio(IDC_WINDOW + 1, "ハミング");
    b.Radio(IDC_WINDOW + 2, "ハニング");
    b.EndGroup();
    b.Row();
    b.Group("種類");
    b.Radio(IDC_KIND, "パワースペクトル", true);
    b.Radio(IDC_KIND_DB, "パワースペクトル(dB)");
    b.Radio(IDC_KIND + 2, "振幅スペクトル");
    b.EndGroup();
    b.Group("データ数");
    b.Radio(IDC_COUNT, "2の乗数個に切り詰める", true);
    b.Radio(IDC_COUNT + 1, "2の乗数個まで0を追加");
    b.EndGroup();
    b.OkCancel("OK", "キャンセル");
}

bool CPowGraphDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    if (fw::CWnd* db = GetDlgItem(IDC_KIND_DB))
        db->ShowWindow(fw::SW_HIDE);
    auto* combo = GetDlgItemAs<fw::CComboBox>(IDC_DOCUMENT);
    const CPowPrf& pow = m_list.m_pow;
    int selected = -1;
    bool listed = false;
    for (size_t i = 0; i < m_documents.size(); ++i) {
        const int item = combo->AddString(m_documents[i]->GetTitle());
        combo->SetItemData(item, i + 1);
        if (m_documents[i]->GetDocIdent() == pow.m_docIdent) {
            selected = item;
            listed = true;
        }
    }
    // A referenced document that is not open is listed by its stored name.
    if (!listed && !pow.m_docIdent.IsNone()) {
        selected = combo->AddString(pow.m_strName);
        combo->SetItemData(selected, 0);
    }
    if (selected < 0 && combo->GetCount() > 0)
        selected = 0;
    combo->SetCurSel(selected);
    OnDocumentChange();
    return true;
}

CKivDocBase* CPowGraphDlg::SelectedDocument() const
{
    auto* combo = GetDlgItemAs<fw::CComboBox>(IDC_DOCUMENT);
    const int item = combo ? combo->GetCurSel() : -1;
    if (item < 0)
        return nullptr;
    const uintptr_t index = combo->GetItemData(item);
    return index > 0 && index <= m_documents.size() ? m_documents[index - 1] : nullptr;
}

void CPowGraphDlg::OnDocumentChange()
{
    auto* list = GetDlgItemAs<fw::CListBox>(IDC_CHANNELS);
    list->ResetContent();
    if (m_list.GetSize() < 2 || m_list.GetAt(1)->m_yChannels.empty())
        fw::ThrowInvalidArgException();
    CKivDocBase* doc = SelectedDocument();
    CDataTankList* tanks = doc ? doc->GetChannelTankList() : nullptr;
    if (!tanks)
        return;
    const int wanted = m_list.GetAt(1)->m_yChannels.front() & 0xFFFF;
    for (int i = 0; i < tanks->GetSize(); ++i) {
        if (i > kLastInputEntry && i < kFirstCalcEntry)
            continue;
        CDataTankObject* tank = tanks->GetObjectAt(i);
        if (!tank || tank->GetName().IsEmpty())
            continue;
        const fw::CString number =
            i < kFirstCalcEntry ? fw::Format("CH%d", i + 1) : fw::Format("NO%d", i - kFirstCalcEntry + 1);
        const int row = list->AddString(number + "  " + tank->GetName());
        list->SetItemData(row, (kUsedTankKind << 16) | uintptr_t(i));
        if (i == wanted)
            list->SetCurSel(row);
    }
}

void CPowGraphDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Radio(dx, IDC_SHIFT, m_nShift);
    fw::DDX_Radio(dx, IDC_WINDOW, m_nWindow);
    fw::DDX_Radio(dx, IDC_KIND, m_nKind);
    fw::DDX_Radio(dx, IDC_COUNT, m_nCount);
}

void CPowGraphDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    auto* list = GetDlgItemAs<fw::CListBox>(IDC_CHANNELS);
    const int row = list ? list->GetCurSel() : -1;
    CKivDocBase* doc = SelectedDocument();
    if (row < 0 || !doc) {
        fw::AfxMessageBox(kTextNoSelection);
        return;
    }
    const uintptr_t data = list->GetItemData(row);
    const int channel = static_cast<int>(data & 0xFFFF);
    m_list.GetAt(1)->m_yChannels.front() = static_cast<int32_t>(data);
    CPowPrf& pow = m_list.m_pow;
    pow.m_channel = channel;
    pow.m_strName = doc->GetTitle();
    pow.m_docIdent = doc->GetDocIdent();
    pow.m_shift = m_nShift;
    pow.m_window = m_nWindow;
    pow.m_kind = m_nKind;
    pow.m_countMode = m_nCount;
    EndDialog(fw::IDOK);
}
