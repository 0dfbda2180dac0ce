#pragma once
#include <string>
#include <vector>

#include "platform/MessageBox.h"

// A fresh settings directory for one test: XDG_CONFIG_HOME points at a new temporary
// directory for the object's life, and message boxes are recorded instead of shown.
class TempConfigDir {
 public:
  TempConfigDir();
  ~TempConfigDir();
  TempConfigDir(const TempConfigDir&) = delete;
  TempConfigDir& operator=(const TempConfigDir&) = delete;

  const std::string& root() const { return root_; }           // XDG_CONFIG_HOME
  std::string settingsDir() const;                             // root/PelavoScr/
  std::string settingsFile() const;                            // .../PelavoSet.ini
  void writeFile(const std::string& path, const std::string& text) const;
  std::string readFile(const std::string& path) const;

  struct Message {
    std::string text, caption;
    int flags;
  };
  const std::vector<Message>& messages() const { return messages_; }
  void clearMessages() { messages_.clear(); }

 private:
  std::string root_;
  std::string oldXdg_;
  bool hadXdg_ = false;
  std::vector<Message> messages_;
  platform::MessageBoxHandler oldHandler_;
};
