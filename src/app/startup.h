// The program's start-up sequence: the single-instance guard, the two windows, the message loop.
#pragma once

#include <string>

#include "app/services.h"
#include "platform/os/instance_lock.h"

class TForm1;
class TForm2;

using InstanceLock = os::InstanceLock;

class Frontend {
 public:
  virtual ~Frontend() = default;
  // Shows the windows and runs the message loop until the main window closes.
  virtual void Run(TForm1& form1, TForm2& form2) = 0;
  // The box for an error that escaped the message loop.
  virtual void ShowException(const std::string& what) = 0;
};

// Returns the exit code: 0 also when another instance runs or an error escaped.
int RunSonoquill(Services& services, InstanceLock& lock, Frontend& frontend);
