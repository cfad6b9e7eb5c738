#pragma once

#include "tests/emulator/ControlUnit.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace kivemu {

// Serves one emulated control unit on one TCP port: an accept thread, and a
// thread per accepted connection that reads command lines and writes the
// unit's replies. The unit outlives the server.
class UnitServer {
public:
    explicit UnitServer(ControlUnit& unit);
    ~UnitServer();
    UnitServer(const UnitServer&) = delete;
    UnitServer& operator=(const UnitServer&) = delete;

    // Port 0 takes a free port; Port() tells which. False with `error` set
    // when the port cannot be opened.
    bool Start(uint16_t port = 0, const std::string& bindAddress = "127.0.0.1",
               std::string* error = nullptr);
    uint16_t Port() const { return m_port; }
    // Closes the listening socket and every connection, and joins the threads.
    void Stop();
    // Closes the open connections but keeps listening (a unit that was
    // switched off and on again).
    void DropConnections();
    size_t ConnectionsAccepted() const { return m_accepted.load(); }

private:
    struct Session {
        int fd = -1;
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void AcceptLoop();
    void Serve(Session& session);
    bool SendPlan(int fd, const ReplyPlan& plan);
    // Sleeps, but returns early (false) when the server stops.
    bool SleepUnlessStopping(int ms);
    void ReapFinishedSessions();

    ControlUnit& m_unit;
    int m_listenFd = -1;
    int m_wakePipe[2] = {-1, -1};
    uint16_t m_port = 0;
    std::thread m_acceptThread;
    std::atomic<bool> m_stopping{false};
    std::atomic<size_t> m_accepted{0};

    std::mutex m_mutex;  // m_sessions
    std::condition_variable m_stopSignal;
    std::list<std::unique_ptr<Session>> m_sessions;
};

} // namespace kivemu
