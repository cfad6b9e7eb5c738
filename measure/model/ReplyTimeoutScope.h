#pragma once

// A link's reply time-out changed for a transfer and restored to its
// previous value on every way out.

class CMeterInterface;

class CReplyTimeoutScope {
public:
    // Seconds a transfer allows for one block of a card or memory file.
    static constexpr int kTransferTimeoutS = 100;

    CReplyTimeoutScope(CMeterInterface* link, int seconds);
    ~CReplyTimeoutScope();
    CReplyTimeoutScope(const CReplyTimeoutScope&) = delete;
    CReplyTimeoutScope& operator=(const CReplyTimeoutScope&) = delete;

    // The link's reply time-out in whole seconds; the default of the
    // control units for a link that does not tell.
    static int CurrentTimeout(const CMeterInterface& link);

private:
    CMeterInterface* m_link;
    int m_previous = 0;
};
