#pragma once

// The process's limit of open descriptors.

#include <cstdint>

namespace fw {

// Raises the soft limit to the hard one: a program of thousands of files
// and links should not stop at the small default soft limit. Answers the
// soft limit in force afterwards (unchanged when raising was refused).
int64_t RaiseDescriptorLimit();

// The soft limit now; INT64_MAX when unlimited.
int64_t GetDescriptorLimit();

} // namespace fw
