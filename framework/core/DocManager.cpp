#include "framework/core/DocManager.h"

#include "framework/core/Document.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

#include <filesystem>
#include <system_error>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::CDocManager() = default;

CDocManager::~CDocManager() = default;

void CDocManager::AddDocTemplate(CDocTemplate* tmpl)
{
    if (!tmpl)
        return;
    tmpl->m_pDocManager = this;
    m_templates.emplace_back(tmpl);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return m_templates.empty() ? nullptr : reinterpret_cast<POSITION>(uintptr_t{1});
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    const size_t index = reinterpret_cast<uintptr_t>(pos) - 1;
    CDocTemplate* tmpl = index < m_templates.size() ? m_templates[index].get() : nullptr;
    pos = index + 1 < m_templates.size() ? reinterpret_cast<POSITION>(uintptr_t{index + 2}) : nullptr;
    return tmpl;
}

int CDocManager::GetOpenDocumentCount() const
{
    size_t n = 0;
    for (const auto& t : m_templates)
        n += t->GetDocumentCount();
    return static_cast<int>(n);
}

CString CDocManager::NormalizePath(const CString& path)
{
    CString text = path;
    // A quoted name from a command line or a shell: drop the first quote
    // and cut at the last one.
    if (!text.IsEmpty() && text[0] == '"')
        text = text.Mid(1);
    const int lastQuote = text.ReverseFind('"');
    if (lastQuote >= 0)
        text = text.Left(lastQuote);
    if (text.IsEmpty())
        return {};
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(text.str()), ec);
    if (ec)
        return {};
    return CString(full.lexically_normal().string());
}

CDocTemplate* CDocManager::FindBestTemplate(const CString& fullPath, CDocTemplate::Confidence& confidence,
                                            CDocument*& openDocument) const
{
    CDocTemplate* best = nullptr;
    confidence = CDocTemplate::noAttempt;
    openDocument = nullptr;
    for (const auto& t : m_templates) {
        CDocument* match = nullptr;
        const CDocTemplate::Confidence c = t->MatchDocType(fullPath, match);
        if (c > confidence) {
            confidence = c;
            best = t.get();
            if (c == CDocTemplate::yesAlreadyOpen)
                openDocument = match;
        }
        if (c == CDocTemplate::yesAlreadyOpen)
            break;
    }
    return best;
}

CDocument* CDocManager::OpenDocumentFile(const CString& path, bool makeVisible)
{
    const CString full = NormalizePath(path);
    if (full.IsEmpty()) {
        Prompt().MessageBox(FormatString(kIdpFailedToOpenDoc, path), MB_ICONEXCLAMATION, kIdpFailedToOpenDoc);
        return nullptr;
    }
    CDocTemplate::Confidence confidence;
    CDocument* open = nullptr;
    CDocTemplate* best = FindBestTemplate(full, confidence, open);
    if (open) {
        if (makeVisible) {
            POSITION pos = open->GetFirstViewPosition();
            if (pos)
                open->GetNextViewLink(pos)->OnDocumentActivate();
        }
        return open;
    }
    if (!best) {
        Prompt().MessageBox(FormatString(kIdpFailedToOpenDoc, full), MB_ICONEXCLAMATION, kIdpFailedToOpenDoc);
        return nullptr;
    }
    return best->OpenDocumentFile(full, makeVisible);
}

std::vector<FileFilter> CDocManager::BuildFilters(CDocTemplate* tmpl, CString& defaultExt, int& selected) const
{
    std::vector<FileFilter> filters;
    defaultExt.Empty();
    selected = 0;
    auto append = [&](CDocTemplate* t) {
        CString name;
        const auto exts = t->GetFilterExtensions();
        if (exts.empty() || !t->GetDocString(name, CDocTemplate::filterName))
            return;
        FileFilter f;
        f.name = name;
        for (const CString& e : exts)
            f.patterns.push_back(CString("*") + e);
        if (defaultExt.IsEmpty()) {
            defaultExt = exts.front().Mid(1);
            selected = static_cast<int>(filters.size());
        }
        filters.push_back(std::move(f));
    };
    if (tmpl) {
        append(tmpl);
    } else {
        for (const auto& t : m_templates)
            append(t.get());
    }
    filters.push_back(FileFilter{LoadStringText(kIdsAllFilter), {CString("*.*")}});
    return filters;
}

bool CDocManager::DoPromptFileName(CString& fileName, unsigned titleId, unsigned flags, bool openFileDialog,
                                   CDocTemplate* tmpl)
{
    FileDialogRequest request;
    request.title = LoadStringText(titleId);
    request.filters = BuildFilters(tmpl, request.defaultExt, request.selectedFilter);
    request.initial = fileName;
    request.flags = flags | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    const FileDialogResult result = openFileDialog ? FileDialogs().Open(request) : FileDialogs().Save(request);
    if (!result.ok || result.paths.empty())
        return false;
    fileName = result.paths.front();
    return true;
}

void CDocManager::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(CString());
}

void CDocManager::OnFileOpen()
{
    CString name;
    if (!DoPromptFileName(name, kIdsOpenFileTitle, OFN_FILEMUSTEXIST, true, nullptr))
        return;
    OpenDocumentFile(name);
}

bool CDocManager::SaveAllModified()
{
    for (const auto& t : m_templates) {
        if (!t->SaveAllModified())
            return false;
    }
    return true;
}

void CDocManager::CloseAllDocuments(bool endSession)
{
    for (const auto& t : m_templates)
        t->CloseAllDocuments(endSession);
}

} // namespace fw
