#include "Progress.h"

#include <chrono>
#include <cstdio>

#include <unistd.h>

namespace lombar::tool {

using namespace std::chrono_literals;

Progress::Progress() {
  if (isatty(STDERR_FILENO)) painter_ = std::thread([this] { Show(); });
}

Progress::~Progress() {
  {
    const std::lock_guard lock(mutex_);
    done_ = true;
  }
  wake_.notify_all();
  if (painter_.joinable()) painter_.join();
}

void Progress::Stage(std::string text) {
  const std::lock_guard lock(mutex_);
  stage_ = std::move(text);
}

void Progress::Show() {
  std::unique_lock lock(mutex_);
  if (wake_.wait_for(lock, 1s, [this] { return done_; })) return;
  std::string shown;
  const auto started = std::chrono::steady_clock::now() - 1s;
  do {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started);
    shown = "lombar: " + stage_ + " ... " + std::to_string(seconds.count()) + " s";
    std::fprintf(stderr, "\r%s\x1b[K", shown.c_str());
    std::fflush(stderr);
  } while (!wake_.wait_for(lock, 250ms, [this] { return done_; }));
  std::fprintf(stderr, "\r\x1b[K");
  std::fflush(stderr);
}

}  // namespace lombar::tool
