// A progress line on standard error for work that takes a while: shown only
// when standard error is a terminal and the work has run for a second.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace lombar::tool {

class Progress {
 public:
  Progress();
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // What is being done now ("sorting store D2 (2 of 3)").
  void Stage(std::string text);

 private:
  void Show();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::string stage_;
  bool done_ = false;
  std::thread painter_;
};

}  // namespace lombar::tool
