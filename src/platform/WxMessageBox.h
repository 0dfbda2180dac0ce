#pragma once

// Routes platform::ShowMessageBox to a real wx message box (OK button, the exclamation
// icon when asked for), parented to the application's top window when there is one.
namespace platform {

void InstallWxMessageBox();

}  // namespace platform
