#include "docview/dialogs/LocalIPv4.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

namespace {

std::function<std::optional<std::vector<LocalIPv4Entry>>()>& Source()
{
    static std::function<std::optional<std::vector<LocalIPv4Entry>>()> source;
    return source;
}

std::optional<std::vector<LocalIPv4Entry>> SystemTable()
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return std::nullopt;
    std::vector<LocalIPv4Entry> table;
    for (ifaddrs* it = list; it; it = it->ifa_next) {
        if (!it->ifa_addr || !it->ifa_netmask || it->ifa_addr->sa_family != AF_INET)
            continue;
        LocalIPv4Entry entry;
        entry.address = ntohl(reinterpret_cast<const sockaddr_in*>(it->ifa_addr)->sin_addr.s_addr);
        entry.mask = ntohl(reinterpret_cast<const sockaddr_in*>(it->ifa_netmask)->sin_addr.s_addr);
        table.push_back(entry);
    }
    freeifaddrs(list);
    return table;
}

} // namespace

std::optional<std::vector<LocalIPv4Entry>> LocalIPv4Table()
{
    return Source() ? Source()() : SystemTable();
}

void SetLocalIPv4Source(std::function<std::optional<std::vector<LocalIPv4Entry>>()> source)
{
    Source() = std::move(source);
}
