#pragma once

// Hands names (of files, as a rule) from a later start of a program to the
// instance already running, over a local socket that only processes of the
// same user may use. The running instance listens beside its
// single-instance lock; the later start connects, sends its names, waits
// for the receipt and ends.
//
// On the wire: each name's bytes followed by a zero byte, then the end of
// the sender's stream; the listener answers one byte once it has them all.

#include "framework/core/CString.h"

#include <sys/types.h>

#include <functional>
#include <list>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace fw {

class HandOverServer {
public:
    using Receiver = std::function<void(const std::vector<CString>& names)>;

    HandOverServer();
    // Stops listening and takes the socket file away.
    ~HandOverServer();
    HandOverServer(const HandOverServer&) = delete;
    HandOverServer& operator=(const HandOverServer&) = delete;

    // Listens at `path` in the running event loop. Whatever lies at the
    // path is removed first: only the holder of the single-instance lock
    // listens, so a socket found there is a dead instance's. The receiver
    // is called from the event loop once per sender that gave names.
    // False when the socket cannot be made (the folder missing or not
    // writable).
    bool Listen(const CString& path, Receiver receiver);
    void Close();
    bool IsListening() const { return m_fd >= 0; }

    // The most bytes one sender may send, and how long it may take.
    static constexpr size_t kMaxBytes = 1u << 20;
    static constexpr int kSenderTimeoutMs = 5000;

private:
    struct Sender;
    void AcceptPending();
    void ReadFrom(Sender* sender);
    void Drop(Sender* sender);

    int m_fd = -1;
    CString m_path;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    Receiver m_receiver;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::list<std::unique_ptr<Sender>> m_senders;
};

// Sends `names` to the instance listening at `path`. While nothing listens
// there yet (the instance may still be starting), tries again until
// `waitMs` has passed; then waits as long again for the receipt. True when
// the listener, a process of this same user, took the names. Needs no
// event loop.
bool HandOverToServer(const CString& path, const std::vector<CString>& names, int waitMs = 5000);

} // namespace fw
