#include "framework/core/testing/ScriptedFileDialogs.h"

namespace fw::test {

namespace {

const char* KindName(ScriptedFileDialogs::Kind k)
{
    switch (k) {
    case ScriptedFileDialogs::Kind::open: return "open";
    case ScriptedFileDialogs::Kind::save: return "save";
    default: return "folder";
    }
}

} // namespace

ScriptedFileDialogs::ScriptedFileDialogs() : m_previous(InstallFileDialogs(this))
{
}

ScriptedFileDialogs::~ScriptedFileDialogs()
{
    InstallFileDialogs(m_previous);
}

ScriptedFileDialogs& ScriptedFileDialogs::AnswerOpen(const CString& path, bool extraCheck)
{
    m_answers.push_back(Answer{Kind::open, true, {path}, extraCheck});
    return *this;
}

ScriptedFileDialogs& ScriptedFileDialogs::AnswerSave(const CString& path)
{
    m_answers.push_back(Answer{Kind::save, true, {path}});
    return *this;
}

ScriptedFileDialogs& ScriptedFileDialogs::AnswerFolder(const CString& folder)
{
    m_answers.push_back(Answer{Kind::folder, true, {folder}});
    return *this;
}

ScriptedFileDialogs& ScriptedFileDialogs::Cancel(Kind kind)
{
    m_answers.push_back(Answer{kind, false, {}});
    return *this;
}

FileDialogResult ScriptedFileDialogs::Next(Kind kind, const FileDialogRequest& request)
{
    m_records.push_back(Record{kind, request});
    FileDialogResult result;
    result.extraCheckState = request.extraCheckState;
    if (m_answers.empty() || m_answers.front().kind != kind) {
        m_problems.push_back(std::string("unexpected ") + KindName(kind) + " dialog \"" + request.title.str() + "\"");
        return result;
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    result.ok = a.ok;
    result.paths = a.paths;
    if (a.ok && request.extraCheckId != 0)
        result.extraCheckState = a.extraCheckState;
    result.filterIndex = request.selectedFilter;
    return result;
}

FileDialogResult ScriptedFileDialogs::Open(const FileDialogRequest& request)
{
    return Next(Kind::open, request);
}

FileDialogResult ScriptedFileDialogs::Save(const FileDialogRequest& request)
{
    return Next(Kind::save, request);
}

bool ScriptedFileDialogs::BrowseFolder(const CString& title, CString& folder)
{
    FileDialogRequest r;
    r.title = title;
    r.initial = folder;
    const FileDialogResult result = Next(Kind::folder, r);
    if (result.ok && !result.paths.empty())
        folder = result.paths.front();
    return result.ok;
}

std::string ScriptedFileDialogs::Problems() const
{
    std::string text;
    for (const auto& p : m_problems)
        text += p + "\n";
    for (const auto& a : m_answers)
        text += std::string("unused ") + KindName(a.kind) + " answer\n";
    return text;
}

} // namespace fw::test
