#include "frequency/graph/HistGraphPrf.h"

#include "common/base/ArchiveTags.h"
#include "framework/core/Archive.h"

namespace {

constexpr std::array<int16_t, CHistGraphPrf::kOperations> kDefaultCountTypes = {2, 2, 2, 0, 2, 0, 0};

} // namespace

CHistGraphPrf::CHistGraphPrf() : m_countTypes(kDefaultCountTypes) {}

int CHistGraphPrf::CountType(int operation) const
{
    return operation >= 1 && operation <= kOperations ? m_countTypes[static_cast<size_t>(operation - 1)] : 0;
}

void CHistGraphPrf::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_projectSource;
        ar << m_strTitle;
        ar << m_layout;
        WriteArchiveTag(ar, kCountTypeTag);
        for (int16_t type : m_countTypes)
            ar << type;
        ar.WriteCount(m_analyses.size());
        for (int32_t index : m_analyses)
            ar << index;
        m_docIdent.Serialize(ar);
        return;
    }
    ar >> m_projectSource;
    ar >> m_strTitle;
    ar >> m_layout;
    m_countTypes = kDefaultCountTypes;
    if (PeekArchiveTag(ar, kCountTypeTag))
        for (int16_t& type : m_countTypes)
            ar >> type;
    const uint64_t count = ar.ReadCount(sizeof(int32_t));
    m_analyses.assign(static_cast<size_t>(count), 0);
    for (int32_t& index : m_analyses)
        ar >> index;
    m_docIdent.Serialize(ar);
}
