#pragma once
#include <functional>

#include <wx/gdicmn.h>

#include "settings/TankMedia.h"

class CustomBackgroundDialog;
class CustomMusicDialog;
class wxWindow;

namespace view {

class Scene;

// The tank's commands: the popup menu's items, and what each one does (a mode for the
// scene, a dialog, the end of the program). It owns the two modeless dialogs and the user's
// pictures and music they show (settings::TankMedia), which the scene and the tune's
// hand-off read.
class TankCommands {
 public:
  // owner: the window the menu and the dialogs belong to. beforeExit: what Exit runs before
  // the program ends (the window's teardown).
  TankCommands(wxWindow* owner, Scene& scene, std::function<void()> beforeExit);
  ~TankCommands();
  TankCommands(const TankCommands&) = delete;
  TankCommands& operator=(const TankCommands&) = delete;

  // Makes the modeless dialogs, hidden, once scene start-up has run. The music dialog is
  // always made, since its timer hands the built-in tune on: without it "custom music on"
  // would never leave its start value and the tune never play. The picture dialog needs the
  // GL context and a complete start-up (withPictures). Later calls make nothing new.
  void CreateDialogs(bool withPictures);

  // The desktop background's menu also has "Start with Session", whose lamp is lit while
  // the session's autostart entry exists.
  void SetDesktopBackground(bool desktop) { desktop_ = desktop; }

  // The menu at screenPoint; the command chosen, 0 for none.
  int ChooseFromMenu(const wxPoint& screenPoint);
  // Runs one command: stores it as the mode, opens the dialog it names or ends the program.
  // After a dialog the mode is Feed again. Start with Session writes or removes the
  // autostart entry and leaves the mode as it was.
  void Run(int commandId);

  // Writes both modeless dialogs' sections as hiding them does, so a list the user built
  // survives leaving with Esc, Exit or a request to end.
  void SaveDialogs();
  // Destroys both dialogs (their timers stop at once). Safe to call more than once.
  void DestroyDialogs();

  settings::TankMedia& Media() { return media_; }
  CustomMusicDialog* MusicDialog() const { return musicDialog_; }
  CustomBackgroundDialog* BackgroundDialog() const { return backgroundDialog_; }

 private:
  wxWindow* owner_;
  Scene& scene_;
  std::function<void()> beforeExit_;
  bool desktop_ = false;
  settings::TankMedia media_;
  CustomMusicDialog* musicDialog_ = nullptr;
  CustomBackgroundDialog* backgroundDialog_ = nullptr;
};

}  // namespace view
