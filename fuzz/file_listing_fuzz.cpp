// The control unit's recorded-file listing and the headers it reads for
// it, with the unit's side of the link played by the input: every reply
// line and block comes from it, in order, and the link falls silent (a
// time-out) where it ends.

#include "fuzz/FuzzTarget.h"

#include "instrument/MeterInterface.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "instrument/meter/KivMeter.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

class ScriptedUnit : public CMeterInterface {
public:
    explicit ScriptedUnit(std::string_view said) : m_said(said) {}

    void SendAndRead(int16_t address, const fw::CString&, const fw::CString& delimiter) override
    {
        ReadLine(address, delimiter);
    }
    bool SendChecked(int16_t, const fw::CString&, const fw::CString&) override { return true; }
    int IsUnitPresent(int16_t) override { return 1; }

    void ReadLine(int16_t, const fw::CString&) override
    {
        if (m_at >= m_said.size())
            throw CZelException(kErrNoReply, kMsgCommFailure);
        const size_t end = std::min(m_said.find('\n', m_at), m_said.size());
        std::string_view line = m_said.substr(m_at, end - m_at);
        m_at = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        SetReplyBytes(line.substr(0, kReplyChars));
    }

    int ReadBlock(int16_t, std::span<uint8_t> buffer, bool) override
    {
        const size_t n = std::min(buffer.size(), m_said.size() - std::min(m_at, m_said.size()));
        if (n)
            std::memcpy(buffer.data(), m_said.data() + m_at, n);
        m_at += n;
        if (n < buffer.size())
            throw CZelException(kErrNoReply, kMsgCommFailure);
        return static_cast<int>(n);
    }

private:
    std::string_view m_said;
    size_t m_at = 0;
};

} // namespace

KIV_FUZZ_TARGET(file_listing_fuzz)
{
    kivfuzz::RegisterEverything();
    ScriptedUnit unit(kivfuzz::AsText(data, size));
    CKivMeter meter;
    meter.SetInterface(&unit);
    std::vector<CKiv406FileInfo> waveforms, frequencies, voices;
    kivfuzz::RefusedAsDamage([&] { meter.ReadMemoryFileList(waveforms, frequencies, voices); });
    meter.SetInterface(nullptr);
    return 0;
}
