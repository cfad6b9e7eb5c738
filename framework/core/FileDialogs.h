#pragma once

// File and folder choosers as a service, so that document code asks for
// names without windows: the interface layer installs Qt dialogs, tests a
// scripted fake (fw::test::ScriptedFileDialogs). Until one is installed,
// every dialog answers "cancelled".

#include "framework/core/CString.h"

#include <vector>

namespace fw {

// Flags of the original dialogs that callers pass on.
inline constexpr unsigned OFN_READONLY = 0x1;
inline constexpr unsigned OFN_OVERWRITEPROMPT = 0x2;
inline constexpr unsigned OFN_HIDEREADONLY = 0x4;
inline constexpr unsigned OFN_ALLOWMULTISELECT = 0x200;
inline constexpr unsigned OFN_PATHMUSTEXIST = 0x800;
inline constexpr unsigned OFN_FILEMUSTEXIST = 0x1000;

struct FileFilter {
    CString name;                   // as shown, e.g. "計測データ(*.kivd)"
    std::vector<CString> patterns;  // e.g. "*.kivd"
};

struct FileDialogRequest {
    CString title;
    std::vector<FileFilter> filters;
    int selectedFilter = 0;
    CString defaultExt;  // without the point
    CString initial;     // file name or path the dialog starts with
    unsigned flags = 0;
    // An extra check box below the file list (id 0: none).
    int extraCheckId = 0;
    CString extraCheckText;
    bool extraCheckState = false;
};

struct FileDialogResult {
    bool ok = false;
    std::vector<CString> paths;  // one unless multiple selection was asked for
    int filterIndex = 0;
    bool extraCheckState = false;
};

struct IFileDialogs {
    virtual ~IFileDialogs() = default;
    virtual FileDialogResult Open(const FileDialogRequest& request) = 0;
    virtual FileDialogResult Save(const FileDialogRequest& request) = 0;
    // False when cancelled; `folder` holds the start folder and the choice.
    virtual bool BrowseFolder(const CString& title, CString& folder) = 0;
};

IFileDialogs& FileDialogs();
// Returns the previous service; nullptr restores the cancelling default.
IFileDialogs* InstallFileDialogs(IFileDialogs* service);

// "name (*.a *.b)" entries for a Qt file dialog.
CString QtFilterText(const FileFilter& filter);
// Splits an MFC filter "name|*.a;*.b|name2|*.c||" into entries.
std::vector<FileFilter> ParseMfcFilter(const CString& filter);

} // namespace fw
