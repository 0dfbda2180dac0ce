#pragma once

// The three exclusive play-mode lamps shared by the picture and the music dialog: Repeat One,
// Repeat All and Random, with the mode they select.
namespace settings {

enum PlayMode : int { kRepeatOne = 0, kRepeatAll = 1, kRandom = 2 };
inline constexpr int kPlayModeCount = 3;

class PlayModeLamps {
 public:
  int Mode() const { return mode_; }
  bool Checked(int mode) const { return lit_[mode]; }

  // A click on a mode's lamp: that mode is chosen, its lamp lit and the other two put out.
  void Select(int mode) {
    mode_ = mode;
    for (int m = 0; m < kPlayModeCount; ++m) lit_[m] = (m == mode);
  }

  // Lamps as a settings file left them: when none is lit Repeat One is; of several lit, the
  // first of Random, Repeat All, Repeat One wins.
  void LoadLit(bool repeatOne, bool repeatAll, bool random) {
    lit_[kRepeatOne] = repeatOne;
    lit_[kRepeatAll] = repeatAll;
    lit_[kRandom] = random;
    if (!repeatOne && !repeatAll && !random) lit_[kRepeatOne] = true;
    for (int mode : {kRandom, kRepeatAll, kRepeatOne})
      if (lit_[mode]) Select(mode);
  }

 private:
  int mode_ = kRepeatOne;
  bool lit_[kPlayModeCount] = {true, false, false};
};

}  // namespace settings
