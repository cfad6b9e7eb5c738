#pragma once

// The identity of one document instance, independent of its path: graph
// pages and conversion settings store it beside the file name so that they
// find "their" document again, even after it was renamed, and never mistake a
// copy for the original.

#include <cstdint>
#include <ctime>

namespace fw {
class CArchive;
}

class CDocIdent {
public:
    // (-1, -1): no document.
    CDocIdent() = default;
    CDocIdent(int appId, int timeStamp) : m_appId(appId), m_timeStamp(timeStamp) {}
    CDocIdent(const CDocIdent&) = default;
    CDocIdent& operator=(const CDocIdent&) = default;

    bool operator==(const CDocIdent& other) const
    {
        return m_appId == other.m_appId && m_timeStamp == other.m_timeStamp;
    }
    bool operator!=(const CDocIdent& other) const { return !(*this == other); }

    // 8 bytes: application identifier, then time stamp, both int32 LE; no tag.
    void Serialize(fw::CArchive& ar);

    int32_t GetAppId() const { return m_appId; }
    int32_t GetTimeStamp() const { return m_timeStamp; }
    bool IsNone() const { return *this == CDocIdent(); }

private:
    int32_t m_appId = -1;
    int32_t m_timeStamp = -1;
};

// Issues identifiers for one program run: the run's start time names the
// run, the issue time names the document. At most one identifier per second
// is issued, so two documents of one run never share a time stamp.
class CDocIdentSource {
public:
    // The start time is read from the installed clock.
    CDocIdentSource();
    explicit CDocIdentSource(int64_t startTime) : m_startTime(startTime) {}

    // Waits for the next second when one was already issued in this one.
    CDocIdent NewDocIdent();

    int64_t GetStartTime() const { return m_startTime; }
    int64_t GetLastIssued() const { return m_lastIssued; }

    // The wait between two looks at the clock; short against a second.
    static constexpr int kRetryMs = 20;

private:
    int64_t m_startTime;
    int64_t m_lastIssued = 0;
};
