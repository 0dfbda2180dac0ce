#include "view/FrameSchedule.h"

#include <algorithm>

namespace view {
namespace {
constexpr int kHiddenPollMs = static_cast<int>(kHiddenPollInterval.count());
}

bool FrameSchedule::SetHidden(HiddenReasons::Reason reason, bool holds) {
  // Time stops while the window cannot be seen. Seen again: the picture is drawn anew.
  if (holds) driver_.Hold();
  if (!hidden_.Set(reason, holds)) return false;
  driver_.RequestRedraw();
  return true;
}

void FrameSchedule::RepaintAsked(Clock::time_point now) {
  if (repaintAsked_) return;
  repaintAsked_ = true;
  repaintAskedAt_ = now;
}

void FrameSchedule::Painted() {
  // The toolkit draws the window: whatever it asked for, it can be drawn.
  repaintAsked_ = false;
  if (hidden_.Has(HiddenReasons::kNoPaint)) SetHidden(HiddenReasons::kNoPaint, false);
}

FrameSchedule::Next FrameSchedule::AfterTick(Clock::time_point now, ViewState state,
                                             bool fromTimer) {
  const bool running = state == ViewState::kRunning;
  if (running && repaintAsked_ && now - repaintAskedAt_ >= kNoPaintAfter)
    hidden_.Set(HiddenReasons::kNoPaint, true);
  if (hidden_.Hidden()) {
    // Nothing is drawn; only the tune's hand-off goes on. When the toolkit's silence is the
    // only sign, a repaint request finds out whether it draws again.
    driver_.Hold();
    return {running && hidden_.OnlyNoPaint(), fromTimer, kHiddenPollMs};
  }
  const auto wait = std::max(pacer_.WaitBeforeFrame(now), cap_.Wait(now));
  if (wait.count() > 0) return {false, false, static_cast<int>(wait.count())};
  if (state == ViewState::kNoContext) return TickWithoutContext(now);
  // The frame is drawn by the paint handler; the guard tick keeps the chain alive if the
  // repaint never comes.
  return {running, false, kRepaintGuardMs};
}

FrameSchedule::Next FrameSchedule::TickWithoutContext(Clock::time_point now) {
  pacer_.FrameStarted(now);
  const auto wait = pacer_.WaitBeforeFrame(now);
  return {false, true, std::max<int>(kTickAfterFrameMs, static_cast<int>(wait.count()))};
}

}  // namespace view
