#pragma once

// What the measurement sequences of the measuring system share: the state
// of the running wait, the control unit of a box, and the error a list
// command keeps while it still reads the other units' replies.

#include "common/base/ZelException.h"
#include "instrument/Kiv406ErrStr.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"

#include <array>
#include <atomic>
#include <exception>

struct CBoxArray::SequenceState {
    std::atomic<bool> cancelled{false};
    // Per box: its last current values were refused, so its tanks keep theirs.
    std::array<std::atomic<bool>, kMaxBoxes> refused{};
};

namespace sequence {

// A wait that the user ended; sequences give up without asking to continue.
class WaitCancelled : public CZelException {
public:
    WaitCancelled() : CZelException(-1, CBoxArray::kMsgWaitCancelled) {}
};

inline CKivMeter& MeterOf(const CBoxArray& system, int box)
{
    CKivMeter* meter = system.GetBox(box)->GetMeter();
    if (!meter)
        fw::ThrowInvalidArgException();
    return *meter;
}

// The master control unit: the first box in use.
inline CKivMeter& Master(const CBoxArray& system)
{
    if (system.GetBoxesInUse().empty())
        fw::ThrowInvalidArgException();
    return MeterOf(system, system.GetBoxesInUse().front());
}

// The control unit's text for a unit error, else the exception's message.
inline fw::CString ErrorText(const std::exception& e)
{
    CKiv406ErrStr texts;
    return texts.GetExceptionText(e);
}

// The last error of a step that goes on through all units before it fails,
// so that no unit's reply is left unread on its connection.
class KeptError {
public:
    void Keep(const std::exception& e)
    {
        const auto* zel = dynamic_cast<const CZelException*>(&e);
        m_code = zel ? zel->m_nErrorCode : -1;
        m_text = ErrorText(e);
        m_set = true;
    }
    bool IsSet() const { return m_set; }
    int Code() const { return m_code; }
    void Clear() { m_set = false; }
    void Raise() const
    {
        if (m_set)
            throw CZelException(m_code, m_text.c_str());
    }

private:
    bool m_set = false;
    int m_code = 0;
    fw::CString m_text;
};

} // namespace sequence
