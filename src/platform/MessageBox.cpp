#include "platform/MessageBox.h"

#include <cstdio>
#include <utility>

namespace platform {
namespace {
MessageBoxHandler& handler() {
  static MessageBoxHandler h;
  return h;
}
}  // namespace

void ShowMessageBox(const std::string& text, const std::string& caption, int flags) {
  if (handler()) {
    handler()(text, caption, flags);
    return;
  }
  std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler h) {
  return std::exchange(handler(), std::move(h));
}

}  // namespace platform
