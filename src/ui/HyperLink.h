#pragma once
#include <wx/control.h>

#include <functional>
#include <string>

class wxDC;

// A web link: underlined text in link colours (visited ones in their own colour, the hover
// colour under the pointer), a hand cursor and the URL as its tooltip. A click opens the URL;
// success marks the link visited, failure beeps and explains the error in a message box.
// The control shrinks to its text, keeping its left and top edges.
class HyperLink : public wxControl {
 public:
  using Opener = std::function<int(const std::string& url)>;  // > 32: success

  // label: the text shown; url: the address opened (the label when empty).
  HyperLink(wxWindow* parent, wxWindowID id, const wxString& label, const wxString& url = "",
            const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
            long style = 0);

  const wxString& Url() const { return url_; }
  bool IsVisited() const { return visited_; }
  bool IsOver() const { return over_; }
  wxColour TextColour() const;

  // Opens the URL as a click does; returns the opener's code.
  int Open();
  // The opener is platform::OpenUrl unless replaced.
  void SetOpener(Opener opener) { opener_ = std::move(opener); }

  void Render(wxDC& dc) const;

 protected:
  wxSize DoGetBestSize() const override;

 private:
  void OnPaint(wxPaintEvent&);
  void OnEnter(wxMouseEvent&);
  void OnLeave(wxMouseEvent&);
  void OnLeftDown(wxMouseEvent&);
  void OnLeftUp(wxMouseEvent&);
  void OnCaptureLost(wxMouseCaptureLostEvent&);

  wxString url_;
  Opener opener_;
  bool over_ = false;
  bool visited_ = false;
  bool pressing_ = false;

  wxDECLARE_EVENT_TABLE();
};
