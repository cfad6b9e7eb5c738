#pragma once

// The choices of one VO-8025 CSV output: which blocks to write and which
// analyses get a frequency-data block of their own.

#include <vector>

struct CHistOutParam {
    int m_all = 1;           // one frequency-data block with all analyses
    int m_separate = 1;      // one block for each selected analysis
    int m_inputChannels = 0; // the input-channel block
    int m_conditions = 0;    // the analysis-conditions block
    int m_mmData = 0;        // the maximum/minimum block
    std::vector<bool> m_selection; // per analysis, for the separate blocks
};
