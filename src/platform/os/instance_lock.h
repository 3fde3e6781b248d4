// The single-instance guard: held from start-up to the end of the run.
#pragma once

namespace os {

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // False when another instance holds the lock.
  virtual bool TryAcquire() = 0;
  virtual void Release() = 0;
};

}  // namespace os
