#include "framework/core/DescriptorLimit.h"

#include <sys/resource.h>

namespace fw {

namespace {

int64_t AsLimit(rlim_t value) { return value == RLIM_INFINITY ? INT64_MAX : static_cast<int64_t>(value); }

} // namespace

int64_t GetDescriptorLimit()
{
    rlimit lim{};
    if (::getrlimit(RLIMIT_NOFILE, &lim) != 0)
        return -1;
    return AsLimit(lim.rlim_cur);
}

int64_t RaiseDescriptorLimit()
{
    rlimit lim{};
    if (::getrlimit(RLIMIT_NOFILE, &lim) != 0)
        return -1;
    if (lim.rlim_cur != lim.rlim_max) {
        rlimit raised = lim;
        raised.rlim_cur = lim.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0)
            lim = raised;
    }
    return AsLimit(lim.rlim_cur);
}

} // namespace fw
