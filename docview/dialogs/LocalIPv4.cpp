#include "docview/dialogs/LocalIPv4.h"

#include "framework/core/ServiceSlot.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

namespace {

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
    ILocalIPv4Source* source = fw::Installed<ILocalIPv4Source>();
    return source ? source->Table() : SystemTable();
}
