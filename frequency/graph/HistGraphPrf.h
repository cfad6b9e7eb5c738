#pragma once

// What a frequency graph shows: the source document (identifier and
// title), the chosen analyses by index, whether the source is the project,
// the layout and, per operation, which column of its count table is drawn.

#include "graphdoc/model/DrawMeasObj.h"

#include <array>
#include <cstdint>
#include <vector>

namespace fw {
class CArchive;
}

class CHistGraphPrf : public CDataMeasPrf {
public:
    static constexpr const char* kCountTypeTag = "<COUNTTYPE>";
    static constexpr int kOperations = 7;
    // Layout modes: one series per analysis, the dialog's FROM/TO mark
    // (drawn as 1); anything else one series per count tank.
    static constexpr int16_t kPerAnalysis = 1;
    static constexpr int16_t kFromTo = 3;

    CHistGraphPrf();
    virtual ~CHistGraphPrf() = default;
    CHistGraphPrf(const CHistGraphPrf&) = default;
    CHistGraphPrf& operator=(const CHistGraphPrf&) = default;

    virtual void Serialize(fw::CArchive& ar);
    // The count column drawn for an operation (1..7); 0 otherwise.
    int CountType(int operation) const;

    std::vector<int32_t> m_analyses;
    uint8_t m_projectSource = 1;
    int16_t m_layout = kPerAnalysis;
    std::array<int16_t, kOperations> m_countTypes{};
};
