#include "framework/core/FileDialogs.h"

#include "framework/core/ServiceSlot.h"

#include <cstdio>

namespace fw {

namespace {

// Without a desktop nobody can choose: every dialog is cancelled, which
// every caller already handles.
class CancellingFileDialogs final : public IFileDialogs {
public:
    FileDialogResult Open(const FileDialogRequest& r) override { return Log("open", r); }
    FileDialogResult Save(const FileDialogRequest& r) override { return Log("save", r); }
    bool BrowseFolder(const CString& title, CString&) override
    {
        std::fprintf(stderr, "folder dialog \"%s\" cancelled (no desktop)\n", title.c_str());
        return false;
    }

private:
    static FileDialogResult Log(const char* kind, const FileDialogRequest& r)
    {
        std::fprintf(stderr, "%s dialog \"%s\" cancelled (no desktop)\n", kind, r.title.c_str());
        return {};
    }
};

CancellingFileDialogs g_default;
} // namespace

IFileDialogs& FileDialogs()
{
    IFileDialogs* s = Installed<IFileDialogs>();
    return s ? *s : g_default;
}

IFileDialogs* InstallFileDialogs(IFileDialogs* service)
{
    return Install<IFileDialogs>(service);
}

CString QtFilterText(const FileFilter& filter)
{
    CString text = filter.name;
    text += " (";
    for (size_t i = 0; i < filter.patterns.size(); ++i) {
        if (i)
            text += " ";
        text += filter.patterns[i];
    }
    text += ")";
    return text;
}

std::vector<FileFilter> ParseMfcFilter(const CString& filter)
{
    std::vector<FileFilter> out;
    std::vector<CString> parts;
    for (int i = 0;; ++i) {
        CString part;
        if (!CString::ExtractSubString(part, filter.c_str(), i, '|'))
            break;
        parts.push_back(part);
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].IsEmpty())
            break;  // the "||" end
        FileFilter f;
        f.name = parts[i];
        for (int k = 0;; ++k) {
            CString pattern;
            if (!CString::ExtractSubString(pattern, parts[i + 1].c_str(), k, ';'))
                break;
            pattern.Trim();
            if (!pattern.IsEmpty())
                f.patterns.push_back(pattern);
        }
        out.push_back(std::move(f));
    }
    return out;
}

} // namespace fw
