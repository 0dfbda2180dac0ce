#pragma once
#include <functional>
#include <string>

// Message boxes go through one replaceable function: the program installs a real dialog
// (WxMessageBox.cpp); tests install a recorder so no test ever waits on a dialog.
namespace platform {

enum MessageBoxFlags { kMbOk = 0, kMbIconExclamation = 0x30 };

using MessageBoxHandler =
    std::function<void(const std::string& text, const std::string& caption, int flags)>;

void ShowMessageBox(const std::string& text, const std::string& caption = "", int flags = kMbOk);

// Installs a handler and returns the previous one. An empty handler restores the default,
// which writes the message to standard error.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace platform
