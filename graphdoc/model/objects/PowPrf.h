#pragma once

// The settings of a power-spectrum graph: the four choices of the spectrum
// and the channel and document it is taken from; and the profile list that
// carries them with the series profiles between the graph, its dialogs and
// the application's remembered spectrum settings.

#include "common/base/DocIdent.h"
#include "framework/core/CString.h"
#include "graphdoc/model/GraphPrf.h"
#include "graphdoc/model/objects/ChannelFft.h"

#include <cstdint>

namespace fw {
class CArchive;
}

class CPowPrf {
public:
    // Marks the data-count mode in the record; records without it are
    // computed in truncate mode.
    static constexpr const char* kCountTag = "<FFTNUMS>";

    CPowPrf() = default;
    CPowPrf(const CPowPrf&) = default;
    CPowPrf& operator=(const CPowPrf&) = default;
    virtual ~CPowPrf() = default;

    // Shift, window, kind, channel, source name, the tagged data-count mode,
    // the source identifier.
    virtual void Serialize(fw::CArchive& ar);

    SpectrumChoices Choices() const { return {m_shift, m_window, m_kind, m_countMode}; }

    int32_t m_shift = spectrum::shiftMean;
    int32_t m_window = spectrum::windowRect;
    int32_t m_kind = spectrum::kindPower;
    int32_t m_countMode = spectrum::countZeroPad;
    int32_t m_channel = 0;
    CDocIdent m_docIdent;
    fw::CString m_strName;
};

// Entry 0 is a placeholder, entry 1 describes the spectrum series.
class CPowGraphPrfList : public CGraphPrfList {
public:
    CPowGraphPrfList() = default;

    CPowPrf m_pow;
};
