// The system version as the version test needs it. Linux has no such version: a kernel number
// such as 6.1 would pass the test by accident, so the query reports that it cannot tell.
#pragma once

#include "platform/os/os_services.h"

namespace os {

class LinuxVersionQuery : public VersionQuery {
 public:
  std::optional<OsVersion> Query() override { return std::nullopt; }
};

}  // namespace os
