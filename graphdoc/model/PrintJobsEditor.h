#pragma once

// What the batch-print dialog does with its two lists: the open graph
// pages not yet chosen (candidates) and the pages to print in order, each
// entry a page's title and the page itself.

#include "framework/core/CString.h"
#include "graphdoc/model/PrintJobList.h"

#include <vector>

class CPrintJobsEditor {
public:
    struct Entry {
        fw::CString title;
        const void* page = nullptr;
        bool operator==(const Entry&) const = default;
    };

    // The print list: every open page whose title is listed, by the list's
    // order (two pages of one title both); the candidates: the other pages
    // in the order given.
    void Start(const CPrintJobList& jobs, const std::vector<Entry>& openPages);
    // The selected candidates (their indexes, ascending) at the end.
    void Register(const std::vector<int>& candidates);
    // The selected candidates before the first selected print entry; at
    // the end when none is selected.
    void Insert(const std::vector<int>& candidates, const std::vector<int>& selectedPrint);
    // The selected print entries go back among the candidates.
    void Remove(const std::vector<int>& selectedPrint);
    void RemoveAll();
    std::vector<fw::CString> Titles() const;

    const std::vector<Entry>& Candidates() const { return m_candidates; }
    const std::vector<Entry>& PrintList() const { return m_print; }

private:
    void InsertAt(size_t position, const std::vector<int>& candidates);
    void RebuildCandidates();

    std::vector<Entry> m_open;
    std::vector<Entry> m_candidates;
    std::vector<Entry> m_print;
};
