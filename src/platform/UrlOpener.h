#pragma once
#include <string>
#include <vector>

// Opening web pages in the user's browser. Results use the classic shell codes: a value
// above 32 is success, anything else is an error code that HyperlinkErrorText explains.
namespace platform {

inline constexpr int kOpenUrlSuccess = 42;       // any value above 32 means success
inline constexpr int kOpenUrlNoHandler = 31;     // no program is registered for web pages
inline constexpr int kOpenUrlFileNotFound = 2;   // the registered program is not installed
inline constexpr int kOpenUrlAccessDenied = 5;   // the registered program may not be run
inline constexpr int kOpenUrlOutOfMemory = 8;

// Opens the URL in the default browser; when that fails, starts the desktop's handler for
// text/html directly (never through a shell). Returns > 32 on success.
int OpenUrl(const std::string& url);

// The second way of OpenUrl on its own: the desktop's text/html handler, found through
// `xdg-mime query default text/html` or the mimeapps.list files, started with the URL as
// one argument. Returns > 32 on success, else kOpenUrlNoHandler or a spawn error code.
int OpenUrlWithHtmlHandler(const std::string& url);

// The argument vector that starts a desktop entry's Exec line for one URL: the line is split
// into arguments (double quotes and backslash escapes as desktop entries write them), cut at
// the first %u/%U/%f/%F field code, other field codes dropped, "%%" read as "%", and the URL
// appended as the last argument. An empty or unterminated line gives an empty vector.
std::vector<std::string> HandlerArgv(const std::string& execLine, const std::string& url);

// The desktop id (such as "browser.desktop") registered for text/html, or "" when none is.
std::string DefaultHtmlHandlerId();

// The full path of a desktop entry found in the XDG data directories, or "" when absent.
std::string FindDesktopEntry(const std::string& desktopId);

// The Exec value of the [Desktop Entry] group of a desktop file, or "" when absent.
std::string DesktopEntryExec(const std::string& desktopFilePath);

// The explanation shown for a failed opening: the text for the code, or
// "Unknown Error (<code>) occurred." for a code without one.
std::string HyperlinkErrorText(int code);

// The program's about page as a file:// URL: about.html beside the running program, else the
// installed copy.
std::string AboutPageUrl();

}  // namespace platform
