#include "platform/os/resident_memory.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace os {

long ResidentMemoryKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

}  // namespace os
