#include "app/shell/DummyDocTemplate.h"

#include "app/shell/ShellIds.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

CDummyDocTemplate::CDummyDocTemplate() : fw::CMultiDocTemplate(kIdrCombinedFilter, nullptr, nullptr, nullptr, true)
{
}

fw::CDocument* CDummyDocTemplate::OpenDocumentFile(const fw::CString& path, bool)
{
    if (path.IsEmpty())
        return nullptr;
    const fw::CString name = fw::fs::FileNameOf(path);
    const int dot = name.ReverseFind('.');
    if (dot >= 0 && name.Mid(dot).CompareNoCase(".kivs") == 0) {
        fw::AfxMessageBox(IDP_NEEDS_HIST_PROGRAM, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return nullptr;
    }
    fw::Prompt().MessageBox(fw::FormatString(AFX_IDP_FAILED_TO_OPEN_DOC, path), fw::MB_OK | fw::MB_ICONEXCLAMATION,
                            AFX_IDP_FAILED_TO_OPEN_DOC);
    return nullptr;
}
