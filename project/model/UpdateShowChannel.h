#pragma once

// What travels with update hint 27: a channel to bring into view on the
// project page that lists it, with the columns to select in its row.
// Input channels are numbered from 0, calculated channels from 500.

#include "docbase/doc/UpdateHints.h"

#include <cstdint>

inline constexpr intptr_t kHintShowChannel = 27;

class CUpdateShowChannel : public CUpdateDataDoc {
    FW_DECLARE_DYNAMIC(CUpdateShowChannel)
public:
    static constexpr int32_t kFirstCalcChannel = 500;

    CUpdateShowChannel(fw::CDocument* document, int32_t channel, int32_t firstColumn, int32_t lastColumn)
        : CUpdateDataDoc(document), m_channel(channel), m_firstColumn(firstColumn), m_lastColumn(lastColumn)
    {
    }

    int32_t m_channel;
    int32_t m_firstColumn;
    int32_t m_lastColumn;
};
