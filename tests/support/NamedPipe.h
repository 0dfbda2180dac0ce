#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>

// A named pipe nobody writes to: opening it for reading waits for a writer for ever.
// Finishes(call) runs the call on this thread (where the GL context is current) and says
// whether it returned within ten seconds; after that a watchdog keeps opening the pipe for
// writing, which sets every reader waiting in open() free, until the call returns.
class NamedPipe {
 public:
  explicit NamedPipe(std::string path) : path_(std::move(path)) {
    made_ = mkfifo(path_.c_str(), 0600) == 0;
  }
  ~NamedPipe() { unlink(path_.c_str()); }
  NamedPipe(const NamedPipe&) = delete;
  NamedPipe& operator=(const NamedPipe&) = delete;

  bool made() const { return made_; }
  const std::string& path() const { return path_; }

  template <class Call>
  bool Finishes(Call&& call) const {
    std::promise<void> finished;
    auto watchdog = std::async(std::launch::async, [this, f = finished.get_future()] {
      if (f.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return true;
      do {
        const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) close(fd);
      } while (f.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready);
      return false;
    });
    call();
    finished.set_value();
    return watchdog.get();
  }

 private:
  std::string path_;
  bool made_ = false;
};
