#pragma once

#include "framework/core/Services.h"

#include <mutex>
#include <vector>

namespace fw::test {

// Remembers what was put on the status line.
class RecordingStatus final : public IStatus {
public:
    void SetText(const CString& text) override;
    void Clear() override;
    void Beep() override;

    std::vector<CString> Texts() const;  // every SetText, in order
    CString Current() const;             // empty after Clear
    int Clears() const;
    int Beeps() const;
    void Reset();

private:
    mutable std::mutex m_mutex;
    std::vector<CString> m_texts;
    CString m_current;
    int m_clears = 0;
    int m_beeps = 0;
};

// Counts wait-cursor calls; Depth() is Begin minus End.
class CountingWaitCursor final : public IWaitCursor {
public:
    void Begin() override;
    void End() override;
    int Begins() const;
    int Depth() const;

private:
    mutable std::mutex m_mutex;
    int m_begins = 0;
    int m_depth = 0;
};

} // namespace fw::test
