#include "graphdoc/model/PrintJobsEditor.h"

#include <algorithm>

void CPrintJobsEditor::Start(const CPrintJobList& jobs, const std::vector<Entry>& openPages)
{
    m_open = openPages;
    m_print.clear();
    for (const fw::CString& title : jobs.m_titles) {
        for (const Entry& page : m_open) {
            if (page.title == title)
                m_print.push_back(page);
        }
    }
    RebuildCandidates();
}

void CPrintJobsEditor::RebuildCandidates()
{
    m_candidates.clear();
    for (const Entry& page : m_open) {
        const bool listed = std::any_of(m_print.begin(), m_print.end(),
                                        [&page](const Entry& e) { return e.page == page.page; });
        if (!listed)
            m_candidates.push_back(page);
    }
}

void CPrintJobsEditor::InsertAt(size_t position, const std::vector<int>& candidates)
{
    std::vector<int> chosen;
    for (int index : candidates) {
        if (index >= 0 && static_cast<size_t>(index) < m_candidates.size())
            chosen.push_back(index);
    }
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    position = std::min(position, m_print.size());
    for (int index : chosen)
        m_print.insert(m_print.begin() + static_cast<std::ptrdiff_t>(position++), m_candidates[static_cast<size_t>(index)]);
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
        m_candidates.erase(m_candidates.begin() + *it);
}

void CPrintJobsEditor::Register(const std::vector<int>& candidates)
{
    InsertAt(m_print.size(), candidates);
}

void CPrintJobsEditor::Insert(const std::vector<int>& candidates, const std::vector<int>& selectedPrint)
{
    size_t position = m_print.size();
    for (int index : selectedPrint) {
        if (index >= 0)
            position = std::min(position, static_cast<size_t>(index));
    }
    InsertAt(position, candidates);
}

void CPrintJobsEditor::Remove(const std::vector<int>& selectedPrint)
{
    std::vector<int> chosen = selectedPrint;
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
        if (*it >= 0 && static_cast<size_t>(*it) < m_print.size())
            m_print.erase(m_print.begin() + *it);
    }
    RebuildCandidates();
}

void CPrintJobsEditor::RemoveAll()
{
    m_print.clear();
    RebuildCandidates();
}

std::vector<fw::CString> CPrintJobsEditor::Titles() const
{
    std::vector<fw::CString> titles;
    for (const Entry& entry : m_print)
        titles.push_back(entry.title);
    return titles;
}
