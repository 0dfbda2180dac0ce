#include "platform/WxMessageBox.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

#include "platform/MessageBox.h"

namespace platform {

void InstallWxMessageBox() {
  SetMessageBoxHandler([](const std::string& text, const std::string& caption, int flags) {
    long style = wxOK | wxCENTRE;
    if ((flags & kMbIconExclamation) == kMbIconExclamation) style |= wxICON_EXCLAMATION;
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    // An empty caption shows the application's name, as a framework message box does.
    const wxString title = caption.empty() ? (wxTheApp ? wxTheApp->GetAppDisplayName()
                                                        : wxString())
                                           : wxString::FromUTF8(caption.c_str());
    wxMessageBox(wxString::FromUTF8(text.c_str()), title, style, parent);
  });
}

}  // namespace platform
