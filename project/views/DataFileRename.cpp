#include "project/views/DataFileRename.h"

#include "data/model/KivDataDoc.h"
#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Services.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/ReNamePrf.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <algorithm>
#include <fcntl.h>

namespace {

constexpr intptr_t kHintHistoryChanged = 35;

fw::CString Join(const fw::CString& folder, const fw::CString& name) { return folder + fw::CString("/") + name; }

void Tell(const fw::CString& text) { fw::AfxMessageBox(text, fw::MB_OK | fw::MB_ICONINFORMATION); }

// The message with its two "%s" filled in order.
fw::CString Replace(const char* pattern, const fw::CString& a, const fw::CString& b)
{
    std::string s = pattern;
    size_t at = s.find("%s");
    if (at == std::string::npos)
        return fw::CString(s);
    s.replace(at, 2, a.str());
    at = s.find("%s", at + a.str().size());
    if (at != std::string::npos)
        s.replace(at, 2, b.str());
    return fw::CString(s);
}

} // namespace

fw::CString CDataFileRename::DataFilePath(const fw::CString& folder, const fw::CString& name,
                                          const fw::CString& extension)
{
    return Join(Join(folder, name), name + extension);
}

int CDataFileRename::MoveNoReplace(const fw::CString& from, const fw::CString& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    return errno;
}

bool CDataFileRename::IsDocumentOpen(const CKIV5980Doc& doc, const fw::CString& path)
{
    fw::CDocTemplate* own = doc.GetDocTemplate();
    fw::CDocManager* manager = own ? own->GetDocManager() : nullptr;
    if (!manager)
        return false;
    const fw::CString wanted = fw::CDocManager::NormalizePath(path);
    fw::POSITION t = manager->GetFirstDocTemplatePosition();
    while (t) {
        fw::CDocTemplate* tmpl = manager->GetNextDocTemplate(t);
        fw::POSITION d = tmpl->GetFirstDocPosition();
        while (d) {
            fw::CDocument* open = tmpl->GetNextDoc(d);
            if (open && !open->GetPathName().IsEmpty() && fw::CDocManager::NormalizePath(open->GetPathName()) == wanted)
                return true;
        }
    }
    return false;
}

bool CDataFileRename::RefuseOpenDataFiles(CKIV5980Doc& doc, int first, int last, const fw::CString& extension)
{
    const CMMAObject& history = doc.GetHistory();
    const fw::CString folder = doc.GetDataFolder();
    for (int step = first; step <= last; ++step) {
        const fw::CString name = history.GetDataFileName(step);
        if (!name.IsEmpty() && IsDocumentOpen(doc, DataFilePath(folder, name, extension))) {
            Tell("データファイルをすべて閉じてから行ってください。");
            return true;
        }
    }
    return false;
}

int CDataFileRename::Rename(CKIV5980Doc& doc, int first, int last, CReNamePrf& pattern)
{
    CMMAObject& history = doc.GetHistory();
    const fw::CString folder = doc.GetDataFolder();
    last = std::min(last, history.GetLastIndex());
    // A data file that is open would lose its document's path.
    if (RefuseOpenDataFiles(doc, first, last, pattern.m_strExtension))
        return 0;
    int renamed = 0;
    for (int step = first; step <= last; ++step) {
        const fw::CString oldName = history.GetDataFileName(step);
        if (oldName.IsEmpty())
            continue;
        fw::CString newName;
        pattern.MakeName(newName);
        const fw::CString oldFolder = Join(folder, oldName);
        const fw::CString newFolder = Join(folder, newName);
        if (const int err = MoveNoReplace(oldFolder, newFolder)) {
            Tell(err == EEXIST ? Replace("%sはすでにあるので%sの名前を変更できません。", newName, oldName)
                               : fw::CString(std::strerror(err)));
            break;
        }
        const int err = MoveNoReplace(Join(newFolder, oldName + pattern.m_strExtension),
                                      Join(newFolder, newName + pattern.m_strExtension));
        if (err) {
            // The folder goes back, so that the step still names its data.
            MoveNoReplace(newFolder, oldFolder);
            Tell(fw::CString(std::strerror(err)));
            break;
        }
        history.SetDataFileName(step, newName);
        ++renamed;
    }
    if (renamed)
        doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr, kHintHistoryChanged);
    return renamed;
}

int CDataFileRename::Retitle(CKIV5980Doc& doc, int first, int last, CReNameTitlePrf& pattern)
{
    CMMAObject& history = doc.GetHistory();
    const fw::CString folder = doc.GetDataFolder();
    last = std::min(last, history.GetLastIndex());
    // An open data document would write its own title back over the new one.
    if (RefuseOpenDataFiles(doc, first, last, pattern.m_strExtension))
        return 0;
    int retitled = 0;
    for (int step = first; step <= last; ++step) {
        const fw::CString name = history.GetDataFileName(step);
        if (name.IsEmpty())
            continue;
        const fw::CString path = DataFilePath(folder, name, pattern.m_strExtension);
        fw::CFile file;
        fw::CFileException error;
        if (!file.Open(path, fw::CFile::modeReadWrite | fw::CFile::shareExclusive | fw::CFile::typeBinary, &error)) {
            error.ReportError();
            continue;
        }
        fw::CString title = pattern.m_nAppend ? history.GetTitle(step) : fw::CString();
        pattern.MakeName(title);
        try {
            if (CKivDataDoc::RewriteDataFileTitle(file, title)) {
                history.SetTitle(step, title);
                ++retitled;
            }
            file.Close();
        } catch (const fw::CException& e) {
            e.ReportError();
        }
    }
    if (retitled)
        doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr, kHintHistoryChanged);
    return retitled;
}
