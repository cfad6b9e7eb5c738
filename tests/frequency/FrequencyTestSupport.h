#pragma once

#include "common/tank/DblDataTank.h"
#include "frequency/model/HistCountObj.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace histtest {

inline std::vector<double> Table(const CHistCountObj& h)
{
    const CDblDataTank* tank = h.GetCountTank();
    if (!tank)
        return {};
    return {tank->Values().begin(), tank->Values().end()};
}

inline CHistCountObj* NewAnalysis(int16_t operation, int16_t plus, int16_t minus)
{
    auto* h = new CHistCountObj;
    h->m_operation = operation;
    h->m_plusSlices = plus;
    h->m_minusSlices = minus;
    h->CreateCountTank();
    return h;
}

// Little-endian bytes in the order they are appended.
class Bytes {
public:
    template <class T> Bytes& Put(T v)
    {
        const auto* p = reinterpret_cast<const uint8_t*>(&v);
        m_b.insert(m_b.end(), p, p + sizeof v);
        return *this;
    }
    Bytes& Raw(const std::string& s)
    {
        m_b.insert(m_b.end(), s.begin(), s.end());
        return *this;
    }
    // The archive's short string form: one length byte, then the bytes.
    Bytes& Str(const std::string& s)
    {
        m_b.push_back(static_cast<uint8_t>(s.size()));
        return Raw(s);
    }
    Bytes& Zeros(size_t n)
    {
        m_b.insert(m_b.end(), n, 0);
        return *this;
    }
    Bytes& Append(const std::vector<uint8_t>& more)
    {
        m_b.insert(m_b.end(), more.begin(), more.end());
        return *this;
    }
    size_t Size() const { return m_b.size(); }
    const std::vector<uint8_t>& Get() const { return m_b; }

private:
    std::vector<uint8_t> m_b;
};

} // namespace histtest
