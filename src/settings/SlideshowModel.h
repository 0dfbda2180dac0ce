#pragma once
#include <GL/gl.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/PlayModeLamps.h"

// The user's background pictures and their slideshow, without any window: the list of at most
// ten pictures with one texture each, the "use your own image" lamp, the play-mode lamps, the
// interval text, and the 200 ms tick that picks the picture on show. Every tick takes the
// lamp's state as "custom image on": from then on the tank shows the picture on show.
namespace settings {

class SlideshowModel {
 public:
  static constexpr int kMaxPictures = 10;
  static constexpr int kTickMs = 200;
  static constexpr int kNoPicture = -1;
  static constexpr const char* kDefaultInterval = "5";
  static constexpr const char* kRowOn = "ON";
  static constexpr const char* kRowOff = "OFF";

  // Loads a picture file as a new texture; 0 when it cannot. Needs a current GL context.
  using Loader = std::function<GLuint(const std::string& path)>;
  // Gives a texture back to OpenGL.
  using Releaser = std::function<void(GLuint texture)>;

  // Pictures load through assets::LoadPictureTexture and are released with glDeleteTextures.
  SlideshowModel();
  SlideshowModel(Loader loader, Releaser releaser);
  ~SlideshowModel();
  SlideshowModel(const SlideshowModel&) = delete;
  SlideshowModel& operator=(const SlideshowModel&) = delete;

  enum class AddResult { kAdded, kListFull, kCannotLoad };
  // Adds a picture at the end, with the message of a full list or an unreadable picture. An
  // unreadable picture also stops the slideshow.
  AddResult Add(const std::string& path);
  // Add Image: adds, and starts the slideshow when this is the first picture and own images
  // are on.
  AddResult AddChosen(const std::string& path);
  // Remove Image: deletes row `selected` (nothing when -1), then shows row 0 when the
  // slideshow runs.
  void RemoveRow(int selected);
  void RemoveAll();
  // A click on a row (-1: no row selected).
  void ClickRow(int row);

  // The "use your own image" lamp after it toggled.
  void SetOwnImage(bool on);
  void SelectMode(int mode) { lamps_.Select(mode); }
  void SetIntervalText(const std::string& text) { intervalText_ = text; }

  void Start();
  void Stop();
  // The 200 ms timer.
  void Tick();

  // `Custom Images` of the settings file.
  void Load();
  void Save() const;

  int Count() const { return static_cast<int>(rows_.size()); }
  const std::string& Path(int row) const { return rows_[row].path; }
  GLuint Texture(int row) const { return rows_[row].texture; }
  bool RowOn(int row) const { return rows_[row].on; }
  const char* RowState(int row) const { return rows_[row].on ? kRowOn : kRowOff; }
  int CurrentTexture() const { return current_; }
  bool Active() const { return active_; }
  bool OwnImage() const { return ownImage_; }
  // The lamp's state as the last tick took it.
  bool CustomImageOn() const { return customImageOn_; }
  // The texture the tank's background shows: while custom image on, the picture on show
  // (0, no texture, while there is none yet), else `builtIn`.
  GLuint BackgroundTexture(GLuint builtIn) const {
    if (!customImageOn_) return builtIn;
    return current_ > 0 ? static_cast<GLuint>(current_) : 0;
  }
  const PlayModeLamps& Lamps() const { return lamps_; }
  int Mode() const { return lamps_.Mode(); }
  const std::string& IntervalText() const { return intervalText_; }
  int TickCount() const { return tick_; }

 private:
  struct Row {
    std::string path;
    GLuint texture;
    bool on;
  };

  int ChooseRow(int row);
  int ChooseNext() const;
  void AllOff();
  void MarkShown();
  void SetCurrent(int texture);
  void Release(GLuint texture) const;
  void ReleaseAll();

  Loader loader_;
  Releaser releaser_;
  std::vector<Row> rows_;
  int current_ = 0;
  bool active_ = false;
  int tick_ = -1;
  bool ownImage_ = false;
  bool customImageOn_ = false;
  PlayModeLamps lamps_;
  std::string intervalText_ = kDefaultInterval;
};

}  // namespace settings
