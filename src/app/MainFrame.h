#pragma once
#include <wx/eventfilter.h>
#include <wx/frame.h>

#include "app/DesktopWindow.h"

class AquariumView;
class wxDialog;

// The program's only top-level window: no caption, border or menu, covering the primary
// display, with the aquarium view as its only child. Esc in the tank's window opens the
// about page and ends the program at once (never while a modal dialog is up).
class CMainFrame : public wxFrame {
 public:
  // openGl false makes the view as if the display had no usable pixel format.
  explicit CMainFrame(bool openGl = true);
  ~CMainFrame() override;

  // Sizes the frame to the primary display and shows it full screen.
  void ShowCoveringScreen();
  // Shows the frame as the desktop's background (support: not kNone): over the primary
  // monitor, below every other window, without sound; Esc ends it without the about page.
  void ShowAsDesktop(app::DesktopSupport support);
  bool IsDesktop() const { return desktop_; }

  // The view, or nullptr when it could not be made (no temporary directory); the frame then
  // stays empty.
  AquariumView* View() const { return view_; }

  // The program's modal dialog while one is up (its keys are its own), else nullptr.
  static wxDialog* OpenModalDialog();

  // The keyboard focus given to the frame goes on to the view.
  void SetFocus() override;

 private:
  void CreateView();
  void OnCharHook(wxKeyEvent& event);
  void OnSetFocus(wxFocusEvent& event);
  void OnClose(wxCloseEvent& event);

  // Whether the Escape key is pressed again without having been let go: a held key's
  // repeats, which the toolkit does not tell from presses. It sees every key of the program,
  // in any window, before that window does.
  class HeldKey : public wxEventFilter {
   public:
    int FilterEvent(wxEvent& event) override;
    bool Repeated() const { return repeated_; }

   private:
    bool held_ = false;
    bool repeated_ = false;
  };

  HeldKey escapeHeld_;
  AquariumView* view_ = nullptr;
  wxWindow* child_ = nullptr;
  bool openGl_ = true;
  bool desktop_ = false;
};
