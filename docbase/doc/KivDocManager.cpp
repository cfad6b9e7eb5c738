#include "docbase/doc/KivDocManager.h"

#include "framework/core/FileDialogs.h"
#include "framework/core/StringTable.h"

FW_IMPLEMENT_DYNAMIC(CKivDocManager, fw::CDocManager)

namespace {

// The caption of the open dialog's check box.
constexpr const char* kStartUpGraphsText = "計測プロジェクトを開く時にStartUpフォルダ内のグラフを同時に開く";

} // namespace

bool CKivDocManager::DoPromptFileName(fw::CString& fileName, unsigned titleId, unsigned flags, bool openFileDialog,
                                      fw::CDocTemplate* tmpl)
{
    fw::FileDialogRequest request;
    request.title = fw::LoadStringText(titleId);
    request.filters = BuildFilters(tmpl, request.defaultExt, request.selectedFilter);
    request.initial = fileName;
    request.flags = flags | fw::OFN_HIDEREADONLY | fw::OFN_OVERWRITEPROMPT;
    if (openFileDialog && m_pStartUpGraphs) {
        request.extraCheckId = kStartUpGraphsCheckId;
        request.extraCheckText = kStartUpGraphsText;
        request.extraCheckState = *m_pStartUpGraphs > 0;
    }
    const fw::FileDialogResult result =
        openFileDialog ? fw::FileDialogs().Open(request) : fw::FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return false;
    if (openFileDialog && m_pStartUpGraphs)
        *m_pStartUpGraphs = result.extraCheckState ? 1 : 0;
    fileName = result.paths.front();
    return true;
}

fw::CDocument* CKivDocManager::OpenDocumentHidden(const fw::CString& path, fw::CDocTemplate::Confidence& confidence)
{
    confidence = fw::CDocTemplate::noAttempt;
    const fw::CString full = NormalizePath(path);
    if (full.IsEmpty())
        return nullptr;
    fw::CDocument* open = nullptr;
    fw::CDocTemplate* best = FindBestTemplate(full, confidence, open);
    if (open)
        return open;
    if (!best)
        return nullptr;
    return best->OpenDocumentFile(full, false);
}
