#include "chart/model/GraphUpdateHints.h"

CUpdateGraph::CUpdateGraph(const CUpdateGraph& other)
    : fw::CObject(),
      m_firstDoc(other.m_firstDoc),
      m_secondDoc(other.m_secondDoc),
      m_path(other.m_path),
      m_flag(other.m_flag),
      m_firstKey(other.m_firstKey),
      m_secondKey(other.m_secondKey),
      m_firstTanks(other.m_firstTanks),
      m_secondTanks(other.m_secondTanks)
{
}
