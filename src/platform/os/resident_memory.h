// How much memory this process holds in RAM right now.
#pragma once

namespace os {

// VmRSS of /proc/self/status in KiB; 0 when it cannot be read.
long ResidentMemoryKiB();

}  // namespace os
