#include "frequency/views/HistOpeView.h"

#include "common/base/TextFile.h"
#include "docbase/doc/DocTextConversion.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "frequency/document/HistDoc.h"
#include "frequency/document/HistFileTextParam.h"
#include "frequency/document/HistOutParam.h"
#include "frequency/model/HistCountArray.h"
#include "frequency/views/HistColumns.h"
#include "frequency/views/HistCountView.h"
#include "frequency/views/HistFrame.h"
#include "frequency/views/HistSaveTextDlg.h"
#include "frequency/views/HistViewIds.h"
#include "grid/views/GridObject.h"
#include "grid/views/GridPane.h"

#include <QWidget>

#include <cctype>
#include <filesystem>
#include <iterator>
#include <vector>

FW_IMPLEMENT_DYNCREATE(CHistOpeView, CHistDataViewBase)

using namespace histview;

namespace {

constexpr HistColumnSpec kColumns[] = {
    {kHistColComment, "入力ｃｈ.", nullptr},
    {kHistColOperation, "解析方法", nullptr},
    {kHistColFullScale, "ﾌﾙｽｹｰﾙ\n[μ&mV]", nullptr},
    {kHistColHysteresis, "ﾋｽﾃﾘｼｽ\n(%FS)\n[μ&mV]", nullptr},
    {kHistColCrossOrSample, "ｻﾝﾌﾟﾘﾝｸﾞ/\nｸﾛｽﾚﾍﾞﾙ", nullptr},
    {kHistColPlusSlices, "ｽﾗｲｽ(+)", nullptr},
    {kHistColMinusSlices, "ｽﾗｲｽ(-)", nullptr},
    {kHistColPlusOver, "ｵｰﾊﾞｰｶｳﾝﾄ", "正側"},
    {kHistColMinusOver, "ｵｰﾊﾞｰｶｳﾝﾄ", "負側"},
    {kHistColMax, "最大", "値"},
    {kHistColMaxTime, "最大", "日時"},
    {kHistColMin, "最小", "値"},
    {kHistColMinTime, "最小", "日時"},
};
static_assert(std::size(kColumns) == CHistOpeView::kColumnCount);

// Drawing of a view is held off while many files are written.
class CUpdateHold {
public:
    explicit CUpdateHold(std::initializer_list<fw::CView*> views)
    {
        for (fw::CView* v : views)
            if (v && v->Widget() && v->Widget()->updatesEnabled()) {
                v->Widget()->setUpdatesEnabled(false);
                m_held.push_back(v);
            }
    }
    ~CUpdateHold()
    {
        for (fw::CView* v : m_held)
            v->Widget()->setUpdatesEnabled(true);
    }
    CUpdateHold(const CUpdateHold&) = delete;
    CUpdateHold& operator=(const CUpdateHold&) = delete;

private:
    std::vector<fw::CView*> m_held;
};

size_t FileNameStart(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

} // namespace

CHistOpeView::CHistOpeView() { m_nContextMenuId = kCountContextMenu; }

void CHistOpeView::OnInitialUpdate()
{
    if (CHistDoc* doc = GetHistDoc(); doc && doc->GetLayout(1))
        SetGridStyle(doc->GetLayout(1));
    CHistDataViewBase::OnInitialUpdate();
}

bool CHistOpeView::GetTagText(fw::CString& text, int32_t, int32_t, int)
{
    text = "NO";
    return true;
}

bool CHistOpeView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    return HistHeaderCaption(kColumns, col, row, display, text);
}

bool CHistOpeView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    HistAnalysisName(GetHistDoc(), row, text);
    return true;
}

bool CHistOpeView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    return HistAnalysisCell(GetHistDoc(), kColumns, col, row, text);
}

void CHistOpeView::ShowAnalysis(int index)
{
    CHistDoc* doc = GetHistDoc();
    if (!doc)
        return;
    CUpdateKivData hint(doc);
    hint.m_pSender = this;
    hint.m_firstColumn = index;
    hint.m_lastColumn = index;
    doc->UpdateAllViews(this, kHintShowAnalysis, &hint);
}

intptr_t CHistOpeView::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == WM_GRID_SELCHANGE && GetGrid()->GetStyle())
        ShowAnalysis(GetGrid()->GetSheetPane()->GetCurrentCell().row);
    return CHistDataViewBase::OnMessage(message, wParam, lParam);
}

void CHistOpeView::WriteText(CTextFile& file, bool csv)
{
    switch (m_nTextMode) {
    case kSaveList:
        CHistDataViewBase::WriteText(file, csv);
        break;
    case kSaveShownCounts:
    case kSaveAllCounts:
        if (m_pCountView)
            m_pCountView->WriteText(file, csv);
        break;
    default:
        break;
    }
}

void CHistOpeView::OnTextSave()
{
    CHistSaveTextDlg dlg(this);
    dlg.m_choice = m_nTextMode;
    if (dlg.DoModal() != fw::IDOK)
        return;
    m_nTextMode = dlg.m_choice;
    if (m_nTextMode != kSaveAllCounts) {
        const fw::CString path = AskTextPath(true);
        if (!path.IsEmpty())
            SaveTextFile(path);
        return;
    }
    const fw::CString path = AskTextPath(false);
    if (path.IsEmpty())
        return;
    const fw::CString upper = UpperFileName(path);
    ExportEachAnalysis(upper, SeparatorFor(upper) == ',' ? 1 : 0, false);
}

fw::CString CHistOpeView::UpperFileName(const fw::CString& path)
{
    std::string s = path.str();
    for (size_t i = FileNameStart(s); i < s.size(); ++i)
        s[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i])));
    return fw::CString(s);
}

int CHistOpeView::ReplaceInFileName(fw::CString& path, const char* from, const fw::CString& to)
{
    std::string s = path.str();
    const size_t start = FileNameStart(s);
    std::string name = s.substr(start);
    const std::string needle(from);
    int count = 0;
    for (size_t at = name.find(needle); !needle.empty() && at != std::string::npos;
         at = name.find(needle, at + to.str().size())) {
        name.replace(at, needle.size(), to.str());
        ++count;
    }
    path = fw::CString(s.substr(0, start) + name);
    return count;
}

bool CHistOpeView::ExportEachAnalysis(const fw::CString& path, int commaSeparated, bool skipOverwriteQuestion)
{
    CHistDoc* doc = GetHistDoc();
    const CHistCountArray* analyses = doc ? doc->GetHistCountArray() : nullptr;
    CZELViewGrid* grid = GetGrid();
    if (!analyses || !grid->GetStyle())
        return true;
    const char* extension = commaSeparated ? ".CSV" : ".TXT";
    bool result = true;
    CUpdateHold hold{this, m_pCountView};
    const CCellIndices kept = grid->GetSheetPane()->GetCurrentCell();
    const int32_t rows = grid->GetSheetPane()->RowCount();
    for (int32_t i = 0; i < rows; ++i) {
        if (i >= analyses->GetSize() || !analyses->GetAt(i))
            continue;
        grid->GetSheetPane()->SetCurrentCell({i, kept.col});
        ShowAnalysis(i);
        fw::CString name;
        GetRowHeaderText(name, 0, i, 0);
        fw::CString file = path;
        ReplaceInFileName(file, extension, fw::CString("_") + name + extension);
        if (!skipOverwriteQuestion && std::filesystem::exists(std::filesystem::path(file.str()))) {
            const fw::CString question = fw::Format("%sは既に存在します。\n上書きしますか?", file.c_str());
            if (fw::Prompt().MessageBox(question, fw::MB_YESNO | fw::MB_ICONQUESTION | fw::MB_DEFBUTTON2,
                                        kIdsOverwrite) != fw::IDYES)
                break;
        }
        CTextFile out;
        if (!out.OpenFile(file, fw::CFile::modeCreate | fw::CFile::modeWrite | fw::CFile::shareExclusive))
            continue;
        fw::CWaitCursor wait;
        try {
            WriteText(out, commaSeparated != 0);
            out.Close();
        } catch (const fw::CFileException& e) {
            out.Abort();
            CTextFile::ReportFileError(file, e, true, kIdFileCreateFailed);
            result = false;
            break;
        }
    }
    grid->GetSheetPane()->SetCurrentCell(kept);
    ShowAnalysis(kept.row);
    return result;
}

bool CHistOpeView::ConvertFile(const fw::CString& path, const CHistFileTextParam& settings)
{
    CHistDoc* doc = GetHistDoc();
    if (!doc)
        return false;
    fw::CWaitCursor wait;
    if (CHistFrame* frame = GetHistFrame()) {
        frame->UpdateTitleField();
        frame->UpdateTimes();
    }
    fw::CString target = UpperFileName(path);
    const fw::CString extension = settings.m_commaSeparated ? ".CSV" : ".TXT";
    if (ReplaceInFileName(target, ".KIVH", extension) == 0)
        target += extension;
    if (settings.m_kind == CHistFileTextParam::kKindVo8025) {
        CHistOutParam options;
        options.m_all = 1;
        options.m_separate = 0;
        options.m_inputChannels = settings.m_inputChannels;
        options.m_conditions = settings.m_conditions;
        options.m_mmData = settings.m_mmData;
        return doc->Write8025CsvFile(target, options);
    }
    const int mode = m_nTextMode;
    m_nTextMode = kSaveAllCounts;
    const bool written = ExportEachAnalysis(target, settings.m_commaSeparated, true);
    m_nTextMode = mode;
    return written;
}

bool ConvertHistDocumentToText(fw::CDocument& document, const CHistFileTextParam& settings)
{
    for (fw::POSITION pos = document.GetFirstViewPosition(); pos;) {
        auto* view = dynamic_cast<CHistOpeView*>(document.GetNextView(pos));
        if (!view)
            continue;
        // The output never lands beside the frequency file but in the
        // chosen folder.
        const fw::CString path = MakeExportBasePath(settings.m_folder, document.GetTitle());
        return !path.IsEmpty() && view->ConvertFile(path, settings);
    }
    return false;
}
