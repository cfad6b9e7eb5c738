#include "measure/model/UnitPortStreamUpdate.h"

#include "measure/model/DataStream.h"

#include <algorithm>

bool CUnitPortStreamUpdate::TransferChunk()
{
    if (m_total == 0 || m_chunk == 0)
        return false;
    try {
        m_data.resize(m_chunk);
        ReadDataStream(UnitMeter(), m_data, "DAT");
        m_writeFile.Write(m_data.data(), m_data.size());
        const unsigned done = m_transferred.load() + m_chunk;
        m_transferred = done;
        if (done >= m_end) {
            m_chunk = 0;
            return false;
        }
        m_chunk = std::min(m_chunk, m_end - done);
        return true;
    } catch (const std::exception& e) {
        m_data.clear();
        SetErrorFrom(e);
        return false;
    }
}
