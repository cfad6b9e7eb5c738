#include "tests/emulator/UnitServer.h"

#include "tests/emulator/LineSplitter.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kivemu {

namespace {

bool SendAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

} // namespace

UnitServer::UnitServer(ControlUnit& unit) : m_unit(unit) {}

UnitServer::~UnitServer()
{
    Stop();
}

bool UnitServer::Start(uint16_t port, const std::string& bindAddress, std::string* error)
{
    auto fail = [&](const char* what) {
        if (error)
            *error = std::string(what) + ": " + std::strerror(errno);
        if (m_listenFd >= 0)
            ::close(m_listenFd);
        m_listenFd = -1;
        return false;
    };
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0)
        return fail("socket");
    const int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (::inet_pton(AF_INET, bindAddress.c_str(), &addr.sin_addr) != 1) {
        errno = EINVAL;
        return fail("address");
    }
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) < 0)
        return fail("bind");
    if (::listen(m_listenFd, 16) < 0)
        return fail("listen");
    socklen_t length = sizeof addr;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&addr), &length);
    m_port = ntohs(addr.sin_port);
    if (::pipe2(m_wakePipe, O_CLOEXEC) < 0)
        return fail("pipe");
    m_stopping = false;
    m_acceptThread = std::thread([this] { AcceptLoop(); });
    return true;
}

void UnitServer::Stop()
{
    if (!m_acceptThread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_stopSignal.notify_all();
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wakePipe[1], &byte, 1);
    m_acceptThread.join();
    DropConnections();
    std::list<std::unique_ptr<Session>> sessions;
    {
        std::lock_guard lock(m_mutex);
        sessions.swap(m_sessions);
    }
    for (auto& s : sessions) {
        if (s->thread.joinable())
            s->thread.join();
        ::close(s->fd);
    }
    ::close(m_listenFd);
    ::close(m_wakePipe[0]);
    ::close(m_wakePipe[1]);
    m_listenFd = m_wakePipe[0] = m_wakePipe[1] = -1;
}

void UnitServer::DropConnections()
{
    std::lock_guard lock(m_mutex);
    for (auto& s : m_sessions)
        ::shutdown(s->fd, SHUT_RDWR);
}

void UnitServer::ReapFinishedSessions()
{
    std::lock_guard lock(m_mutex);
    for (auto it = m_sessions.begin(); it != m_sessions.end();) {
        if ((*it)->done) {
            (*it)->thread.join();
            ::close((*it)->fd);
            it = m_sessions.erase(it);
        } else {
            ++it;
        }
    }
}

void UnitServer::AcceptLoop()
{
    pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
    while (!m_stopping) {
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        if (fds[1].revents)
            break;
        if (!(fds[0].revents & POLLIN))
            continue;
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        ++m_accepted;
        ReapFinishedSessions();
        std::lock_guard lock(m_mutex);
        auto session = std::make_unique<Session>();
        session->fd = fd;
        Session& ref = *session;
        m_sessions.push_back(std::move(session));
        ref.thread = std::thread([this, &ref] { Serve(ref); });
    }
}

bool UnitServer::SleepUnlessStopping(int ms)
{
    std::unique_lock lock(m_mutex);
    return !m_stopSignal.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_stopping.load(); });
}

bool UnitServer::SendPlan(int fd, const ReplyPlan& plan)
{
    if (plan.delayMs > 0 && !SleepUnlessStopping(plan.delayMs))
        return false;
    if (plan.dropMidReply) {
        SendAll(fd, plan.bytes.data(), plan.bytes.size() / 2);
        ::shutdown(fd, SHUT_RDWR);
        return false;
    }
    if (plan.splitAt > 0 && plan.splitAt < plan.bytes.size()) {
        if (!SendAll(fd, plan.bytes.data(), plan.splitAt) || !SleepUnlessStopping(plan.splitPauseMs))
            return false;
        return SendAll(fd, plan.bytes.data() + plan.splitAt, plan.bytes.size() - plan.splitAt);
    }
    return SendAll(fd, plan.bytes.data(), plan.bytes.size());
}

void UnitServer::Serve(Session& session)
{
    LineSplitter splitter;
    std::vector<std::string> lines;
    uint8_t buffer[4096];
    bool open = true;
    while (open && !m_stopping) {
        const ssize_t got = ::recv(session.fd, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        m_unit.AddReceivedBytes(buffer, static_cast<size_t>(got));
        lines.clear();
        splitter.Feed(buffer, static_cast<size_t>(got), lines);
        for (const std::string& line : lines) {
            open = SendPlan(session.fd, m_unit.Handle(line));
            m_unit.NoteReplySent();
            if (!open)
                break;
        }
    }
    session.done = true;
}

} // namespace kivemu
