#include "framework/ui/HandOverServer.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>

namespace fw {

namespace {

constexpr char kReceipt = 'A';
constexpr int kMaxSenders = 16;

// The address of a socket file. A socket address holds little more than
// a hundred bytes, so a longer path is reached through its folder, opened
// for the purpose, as /proc/self/fd/N/name.
class SocketAddress {
public:
    explicit SocketAddress(const CString& path)
    {
        m_addr.sun_family = AF_UNIX;
        const std::string& full = path.str();
        if (full.empty())
            return;
        if (full.size() < sizeof m_addr.sun_path) {
            std::memcpy(m_addr.sun_path, full.data(), full.size());
            m_valid = true;
            return;
        }
        const size_t slash = full.rfind('/');
        if (slash == std::string::npos)
            return;
        m_folder = ::open(slash == 0 ? "/" : full.substr(0, slash).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (m_folder < 0)
            return;
        const std::string viaFolder = "/proc/self/fd/" + std::to_string(m_folder) + full.substr(slash);
        if (viaFolder.size() >= sizeof m_addr.sun_path)
            return;
        std::memcpy(m_addr.sun_path, viaFolder.data(), viaFolder.size());
        m_valid = true;
    }
    ~SocketAddress()
    {
        if (m_folder >= 0)
            ::close(m_folder);
    }
    SocketAddress(const SocketAddress&) = delete;
    SocketAddress& operator=(const SocketAddress&) = delete;

    bool IsValid() const { return m_valid; }
    const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&m_addr); }
    socklen_t Size() const { return sizeof m_addr; }

private:
    sockaddr_un m_addr{};
    int m_folder = -1;
    bool m_valid = false;
};

// The other end runs under this process's own user.
bool PeerIsSameUser(int fd)
{
    ucred cred{};
    socklen_t size = sizeof cred;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0 || size != sizeof cred)
        return false;
    return cred.uid == ::geteuid();
}

void SetTimeouts(int fd, int ms)
{
    timeval tv{};
    tv.tv_sec = ms / 1000;
    tv.tv_usec = (ms % 1000) * 1000;
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
}

// Every name the sender closed with a zero byte; a cut last name is not one.
std::vector<CString> SplitNames(const std::string& bytes)
{
    std::vector<CString> names;
    size_t start = 0;
    for (size_t end = bytes.find('\0'); end != std::string::npos; end = bytes.find('\0', start)) {
        if (end > start)
            names.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

class FdGuard {
public:
    explicit FdGuard(int fd) : m_fd(fd) {}
    ~FdGuard() { ::close(m_fd); }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;

private:
    int m_fd;
};

bool SendAll(int fd, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

// A connected sender; its notifier and timer may be signalling when it
// goes, so they are deleted from the event loop.
struct HandOverServer::Sender {
    int fd = -1;
    std::string bytes;
    QSocketNotifier* notifier = nullptr;
    QTimer* timer = nullptr;

    ~Sender()
    {
        notifier->setEnabled(false);
        notifier->deleteLater();
        timer->stop();
        timer->deleteLater();
        ::close(fd);
    }
};

HandOverServer::HandOverServer() = default;

HandOverServer::~HandOverServer()
{
    Close();
}

bool HandOverServer::Listen(const CString& path, Receiver receiver)
{
    Close();
    const SocketAddress addr(path);
    if (!addr.IsValid())
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ::unlink(path.c_str());
    // The mode keeps other users out of the socket; the peer check on every
    // connection covers the moment before it is set.
    struct stat st {};
    if (::bind(fd, addr.Get(), addr.Size()) != 0 || ::chmod(path.c_str(), 0600) != 0
        || ::listen(fd, kMaxSenders) != 0 || ::lstat(path.c_str(), &st) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_device = st.st_dev;
    m_inode = st.st_ino;
    m_receiver = std::move(receiver);
    m_notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { AcceptPending(); });
    return true;
}

void HandOverServer::Close()
{
    m_senders.clear();
    m_notifier.reset();
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    // Only our own socket file goes; one that replaced it stays.
    struct stat st {};
    if (::lstat(m_path.c_str(), &st) == 0 && st.st_dev == m_device && st.st_ino == m_inode)
        ::unlink(m_path.c_str());
    m_path.Empty();
}

void HandOverServer::AcceptPending()
{
    for (;;) {
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        if (!PeerIsSameUser(fd) || m_senders.size() >= static_cast<size_t>(kMaxSenders)) {
            ::close(fd);
            continue;
        }
        auto sender = std::make_unique<Sender>();
        Sender* raw = sender.get();
        raw->fd = fd;
        raw->notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
        raw->timer = new QTimer;
        raw->timer->setSingleShot(true);
        QObject::connect(raw->notifier, &QSocketNotifier::activated, [this, raw] { ReadFrom(raw); });
        QObject::connect(raw->timer, &QTimer::timeout, [this, raw] { Drop(raw); });
        raw->timer->start(kSenderTimeoutMs);
        m_senders.push_back(std::move(sender));
    }
}

void HandOverServer::ReadFrom(Sender* sender)
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::recv(sender->fd, buffer, sizeof buffer, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                Drop(sender);
            return;
        }
        if (n == 0)
            break;
        sender->bytes.append(buffer, static_cast<size_t>(n));
        if (sender->bytes.size() > kMaxBytes) {
            Drop(sender);
            return;
        }
    }
    ::send(sender->fd, &kReceipt, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    const std::vector<CString> names = SplitNames(sender->bytes);
    Drop(sender);
    // The receiver may open windows and run modal loops, or even close
    // this server: it gets its own copy and nothing of ours is used after.
    if (!names.empty() && m_receiver) {
        const Receiver receiver = m_receiver;
        receiver(names);
    }
}

void HandOverServer::Drop(Sender* sender)
{
    m_senders.remove_if([sender](const std::unique_ptr<Sender>& s) { return s.get() == sender; });
}

bool HandOverToServer(const CString& path, const std::vector<CString>& names, int waitMs)
{
    const SocketAddress addr(path);
    if (!addr.IsValid())
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    int fd = -1;
    for (;;) {
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        SetTimeouts(fd, waitMs);
        if (::connect(fd, addr.Get(), addr.Size()) == 0)
            break;
        const int error = errno;
        ::close(fd);
        // A missing socket or one nobody listens on: the instance is still
        // starting, or the socket is a dead one's that it will replace.
        const bool worthWaiting = error == ENOENT || error == ECONNREFUSED || error == EAGAIN || error == EINTR;
        if (!worthWaiting || std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    FdGuard guard(fd);
    // Names go only to a listener of this same user.
    if (!PeerIsSameUser(fd))
        return false;
    std::string bytes;
    for (const CString& name : names) {
        bytes += name.str();
        bytes += '\0';
    }
    if (!SendAll(fd, bytes) || ::shutdown(fd, SHUT_WR) != 0)
        return false;
    char reply = 0;
    ssize_t n;
    do
        n = ::recv(fd, &reply, 1, 0);
    while (n < 0 && errno == EINTR);
    return n == 1 && reply == kReceipt;
}

} // namespace fw
