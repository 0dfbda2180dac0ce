#include "view/TankCommands.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/Autostart.h"
#include "platform/MessageBox.h"
#include "ui/CommandId.h"
#include "ui/IconMenu.h"
#include "ui/dialogs/CustomBackgroundDialog.h"
#include "ui/dialogs/CustomMusicDialog.h"
#include "ui/dialogs/FishSettingsDialog.h"
#include "view/Scene.h"
#include "resource_ids.h"

namespace view {
namespace {

struct MenuEntry {
  int command;
  int icon;
  const char* text;
};
constexpr MenuEntry kMenuEntries[] = {
    {kCmdFeed, res::id::kMenuFeed, "  Feed Fish"},
    {kCmdTouch, res::id::kMenuTouch, "  Touch Fish"},
    {kCmdZoomIn, res::id::kMenuZoomIn, "  Zoom In Fish"},
    {kCmdZoomOut, res::id::kMenuZoomOut, "  Zoom Out Fish"},
    {kCmdAddDeleteFish, res::id::kMenuFish, "  Add/Delete Fish"},
    {kCmdCustomMusic, res::id::kMenuMusic, "  Custom Music"},
    {kCmdCustomBackground, res::id::kMenuPicture, "  Custom Background"},
    {kCmdExit, res::id::kMenuExit, "  Exit"},
};
constexpr const char* kStartWithSessionText = "  Start with Session";
constexpr const char* kAutostartFailed = "The session's autostart entry could not be changed:\n";

template <typename Dialog>
void CentreAndShow(Dialog* dialog) {
  if (!dialog) return;  // start-up stopped before the dialog was made
  dialog->CentreOnParent();
  dialog->Show();
  dialog->Raise();
}

template <typename Dialog>
void DestroyDialog(Dialog*& dialog) {
  if (!dialog) return;
  dialog->Destroy();
  dialog = nullptr;
}

}  // namespace

TankCommands::TankCommands(wxWindow* owner, Scene& scene, std::function<void()> beforeExit)
    : owner_(owner), scene_(scene), beforeExit_(std::move(beforeExit)) {
  scene_.ShowPicturesOf(&media_.slideshow);
}

TankCommands::~TankCommands() {
  scene_.ShowPicturesOf(nullptr);
  DestroyDialogs();
}

void TankCommands::CreateDialogs(bool withPictures) {
  if (!musicDialog_) {
    musicDialog_ = new CustomMusicDialog(owner_, media_.playlist);
    musicDialog_->Hide();
  }
  if (withPictures && !backgroundDialog_) {
    backgroundDialog_ = new CustomBackgroundDialog(owner_, media_.slideshow);
    backgroundDialog_->Hide();
  }
}

int TankCommands::ChooseFromMenu(const wxPoint& screenPoint) {
  auto* menu = new IconMenu(owner_);
  for (const MenuEntry& e : kMenuEntries) {
    if (e.command == kCmdExit && desktop_) {
      const int lamp = platform::AutostartOn() ? res::id::kLampOn : res::id::kLampOff;
      menu->Append(kCmdStartWithSession, IconMenuItem{lamp, lamp, kStartWithSessionText});
    }
    menu->Append(e.command, IconMenuItem{e.icon, e.icon, e.text});
  }
  const int chosen = menu->Track(screenPoint);
  menu->Destroy();
  return chosen;
}

void TankCommands::Run(int commandId) {
  if (commandId == kCmdStartWithSession) {
    if (!platform::SetAutostart(!platform::AutostartOn(), platform::OwnProgramPath()))
      platform::ShowMessageBox(kAutostartFailed + platform::AutostartFile(), "ERROR",
                               platform::kMbIconExclamation);
    return;
  }
  scene_.SetMode(commandId);
  switch (commandId) {
    case kCmdAddDeleteFish: {
      FishSettingsDialog dialog(owner_);
      dialog.ShowModal();
      break;
    }
    case kCmdCustomMusic:
      CentreAndShow(musicDialog_);
      break;
    case kCmdCustomBackground:
      CentreAndShow(backgroundDialog_);
      break;
    case kCmdExit:
      SaveDialogs();
      if (beforeExit_) beforeExit_();
      std::fflush(nullptr);
      std::_Exit(0);
    default:
      return;
  }
  scene_.SetMode(kCmdFeed);
}

void TankCommands::SaveDialogs() {
  if (musicDialog_) musicDialog_->SaveNow();
  if (backgroundDialog_) backgroundDialog_->SaveNow();
}

void TankCommands::DestroyDialogs() {
  DestroyDialog(musicDialog_);
  DestroyDialog(backgroundDialog_);
}

}  // namespace view
