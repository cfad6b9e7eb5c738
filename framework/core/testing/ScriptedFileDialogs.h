#pragma once

#include "framework/core/FileDialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace fw::test {

// File dialogs that answer from a script, in order, and record every
// request. A dialog with no answer left is cancelled and counted as a
// problem (EXPECT_EQ(dialogs.Problems(), "")). Installs itself for its
// lifetime.
class ScriptedFileDialogs final : public IFileDialogs {
public:
    enum class Kind { open, save, folder };
    struct Answer {
        Kind kind;
        bool ok;
        std::vector<CString> paths;
        bool extraCheckState = false;
    };
    struct Record {
        Kind kind;
        FileDialogRequest request;  // for folders: title and initial only
    };

    ScriptedFileDialogs();
    ~ScriptedFileDialogs() override;
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    ScriptedFileDialogs& AnswerOpen(const CString& path, bool extraCheck = false);
    ScriptedFileDialogs& AnswerSave(const CString& path);
    ScriptedFileDialogs& AnswerFolder(const CString& folder);
    ScriptedFileDialogs& Cancel(Kind kind);

    FileDialogResult Open(const FileDialogRequest& request) override;
    FileDialogResult Save(const FileDialogRequest& request) override;
    bool BrowseFolder(const CString& title, CString& folder) override;

    const std::vector<Record>& Requests() const { return m_records; }
    std::string Problems() const;

private:
    FileDialogResult Next(Kind kind, const FileDialogRequest& request);

    std::deque<Answer> m_answers;
    std::vector<Record> m_records;
    std::vector<std::string> m_problems;
    IFileDialogs* m_previous;
};

} // namespace fw::test
