#include "graphdoc/model/GraphPrf.h"

#include "chart/model/GraphParamArray.h"
#include "framework/core/Exceptions.h"

CGraphPrf::CGraphPrf(const CGraphPrf& other)
{
    *this = other;
    m_bOwner = 0;
}

CGraphPrf& CGraphPrf::operator=(const CGraphPrf& other)
{
    if (this == &other)
        return *this;
    m_pSeries = other.m_pSeries;
    m_xTickLabel = other.m_xTickLabel;
    m_yTickLabel = other.m_yTickLabel;
    m_xChannels = other.m_xChannels;
    m_yChannels = other.m_yChannels;
    m_seriesFlag = other.m_seriesFlag;
    m_docIdent = other.m_docIdent;
    m_reserved = other.m_reserved;
    m_rangeStart = other.m_rangeStart;
    m_rangeEnd = other.m_rangeEnd;
    m_autoRange = other.m_autoRange;
    m_strSourceName = other.m_strSourceName;
    m_secondFlag = other.m_secondFlag;
    m_seriesValue = other.m_seriesValue;
    m_plotOrder = other.m_plotOrder;
    int16_t block[kLineBlockValues];
    other.GetLineBlock(block);
    SetLineBlock(block);
    m_pXTitle = other.m_pXTitle;
    m_pYTitle = other.m_pYTitle;
    m_xListKinds = other.m_xListKinds;
    m_yListKinds = other.m_yListKinds;
    // The note and the ownership stay with the target.
    return *this;
}

CGraphPrf::~CGraphPrf()
{
    if (m_bOwner)
        delete m_pSeries;
}

void CGraphPrf::GetLineBlock(int16_t (&out)[kLineBlockValues]) const
{
    const int16_t values[kLineBlockValues] = {m_lineWidth, m_lineWidthCopy, m_fillPattern, m_size,
                                              m_symbol, m_spare, m_lineStyle, m_symbolInterval,
                                              m_lineColor, m_symbolColor, m_fillColor, m_stepLines};
    for (int i = 0; i < kLineBlockValues; ++i)
        out[i] = values[i];
}

void CGraphPrf::SetLineBlock(const int16_t (&values)[kLineBlockValues])
{
    int16_t* fields[kLineBlockValues] = {&m_lineWidth, &m_lineWidthCopy, &m_fillPattern, &m_size,
                                         &m_symbol, &m_spare, &m_lineStyle, &m_symbolInterval,
                                         &m_lineColor, &m_symbolColor, &m_fillColor, &m_stepLines};
    for (int i = 0; i < kLineBlockValues; ++i)
        *fields[i] = values[i];
}

CGraphPrfList::~CGraphPrfList() = default;

CGraphPrf* CGraphPrfList::GetAt(int index) const
{
    if (index < 0 || index >= GetSize())
        fw::ThrowInvalidArgException();
    return m_profiles[static_cast<size_t>(index)].get();
}

int CGraphPrfList::Add(CGraphPrf* profile)
{
    m_profiles.emplace_back(profile);
    return GetSize() - 1;
}

void CGraphPrfList::InsertAt(int index, CGraphPrf* profile)
{
    if (index < 0 || index > GetSize())
        fw::ThrowInvalidArgException();
    m_profiles.emplace(m_profiles.begin() + index, profile);
}

void CGraphPrfList::RemoveAt(int index)
{
    if (index < 0 || index >= GetSize())
        fw::ThrowInvalidArgException();
    m_profiles.erase(m_profiles.begin() + index);
}

void CGraphPrfList::RemoveAll()
{
    m_profiles.clear();
}
