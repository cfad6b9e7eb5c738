#include "data/views/FolderDialog.h"

#include "framework/core/FileDialogs.h"
#include "framework/core/Services.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace {

// Puts the current folder back when the chooser has left.
class CurrentFolderKeeper {
public:
    CurrentFolderKeeper()
    {
        std::error_code ec;
        m_saved = std::filesystem::current_path(ec);
        m_valid = !ec;
    }
    ~CurrentFolderKeeper()
    {
        std::error_code ec;
        if (m_valid)
            std::filesystem::current_path(m_saved, ec);
    }
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;

private:
    std::filesystem::path m_saved;
    bool m_valid = false;
};

// Bytes of the first `count` UTF-8 characters of `text`.
size_t PrefixBytes(const std::string& text, int count)
{
    size_t at = 0;
    for (int n = 0; n < count && at < text.size(); ++n) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            ++at;
    }
    return at;
}

} // namespace

CFolderDialog::CFolderDialog(const fw::CString& initialFolder, unsigned flags, fw::CWnd* owner)
    : m_initial(initialFolder), m_flags(flags | kNewDialogStyle), m_owner(owner)
{
}

int CFolderDialog::DoModal()
{
    m_chosen = m_initial;
    fw::CString folder = m_initial;
    bool chosen = false;
    {
        CurrentFolderKeeper keep;
        chosen = fw::FileDialogs().BrowseFolder(m_title, folder);
    }
    if (!chosen || folder.IsEmpty())
        return fw::IDCANCEL;
    m_chosen = folder;
    return fw::IDOK;
}

fw::CString CFolderDialog::ShownPath(const fw::CString& path)
{
    const std::string& text = path.str();
    const size_t cut = PrefixBytes(text, kShownChars);
    if (cut >= text.size())
        return path;
    return fw::CString(text.substr(0, cut) + "...");
}
