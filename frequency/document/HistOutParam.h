#pragma once

// The choices of one VO-8025 CSV output: which blocks to write and which
// analyses get a frequency-data block of their own.

#include <cstddef>
#include <vector>

struct CHistOutParam {
    int m_all = 1;           // one frequency-data block with all analyses
    int m_separate = 1;      // one block for each selected analysis
    int m_inputChannels = 0; // the input-channel block
    int m_conditions = 0;    // the analysis-conditions block
    int m_mmData = 0;        // the maximum/minimum block
    std::vector<bool> m_selection; // per analysis, for the separate blocks

    // Something to write: a block chosen, or separate blocks with at least
    // one analysis selected.
    bool CanOutput() const
    {
        if (m_all || m_inputChannels || m_conditions || m_mmData)
            return true;
        if (!m_separate)
            return false;
        for (bool on : m_selection) {
            if (on)
                return true;
        }
        return false;
    }
    // Sets the flag of the rows first..last that the selection holds.
    void SelectRows(int first, int last, bool on)
    {
        for (int i = first; i <= last; ++i) {
            if (i >= 0 && i < static_cast<int>(m_selection.size()))
                m_selection[static_cast<size_t>(i)] = on;
        }
    }
    // Every row first..last that the selection holds has the state `on`.
    bool RowsAre(int first, int last, bool on) const
    {
        for (int i = first; i <= last; ++i) {
            if (i >= 0 && i < static_cast<int>(m_selection.size()) && m_selection[static_cast<size_t>(i)] != on)
                return false;
        }
        return true;
    }
};
