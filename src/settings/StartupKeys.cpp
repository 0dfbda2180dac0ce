#include "settings/StartupKeys.h"

namespace settings {

namespace {
using R = SettingsRecord;

constexpr int kWhite = 16777215;  // colour values: red in the low byte
constexpr int kGreen = 65280;
constexpr int kBlack = 0;
constexpr int kFullAttenuation = 32767;
constexpr int kDefaultBubbles = 100;
constexpr int kFogMax = 25;
constexpr int kLightDimMax = 100;

constexpr StartupKey Plain(const char* name, const char* text, int value, int R::*field) {
  return {name, text, value, false, 0, false, 0, 0, field, nullptr};
}
constexpr StartupKey Forced(const char* name, const char* text, int value, int forced,
                            int R::*field) {
  return {name, text, value, true, forced, false, 0, 0, field, nullptr};
}
constexpr StartupKey Ranged(const char* name, const char* text, int value, int low, int high,
                            int R::*field) {
  return {name, text, value, false, 0, true, low, high, field, nullptr};
}
constexpr StartupKey Real(const char* name, const char* text, int value, float R::*field) {
  return {name, text, value, false, 0, false, 0, 0, nullptr, field};
}

constexpr StartupKey kKeys[] = {
    Forced("Show Water", "1", 1, 0, &R::showWater),
    Forced("Show Light", "1", 1, 0, &R::showLight),
    Forced("Show Terra", "1", 1, 1, &R::showTerra),
    Plain("FRONT GUDING", "1", 1, &R::frontGuding),
    Plain("FRONTCOLOR", "16777215", kWhite, &R::frontColor),
    Plain("FRONT MANJIANBIAN", "0", 0, &R::frontManjianbian),
    Plain("FRONT COLOR1", "16777215", kWhite, &R::frontColor1),
    Plain("FRONT COLOR2", "16777215", kWhite, &R::frontColor2),
    Plain("FRONT AUTOJIANBIAN", "0", 0, &R::frontAutojianbian),
    Plain("CHECK LOCKFORE", "0", 0, &R::checkLockfore),
    Real("LOCKFORE ROT", "0", 0, &R::lockforeRot),
    Forced("BACK GUDING", "0", 0, 1, &R::backGuding),
    Forced("BACKCOLOR", "0", kBlack, kBlack, &R::backColor),
    Plain("BACK MANJIANBIAN", "0", 0, &R::backManjianbian),
    Plain("BACK COLOR1", "65280", kGreen, &R::backColor1),
    Plain("BACK COLOR2", "0", kBlack, &R::backColor2),
    Forced("BACK AUTOJIANBIAN", "1", 1, 0, &R::backAutojianbian),
    Plain("CHECK LOCKBACK", "0", 0, &R::checkLockback),
    Real("LOCKBACK ROT", "0", 0, &R::lockbackRot),
    Plain("YINLIANG", "32767.5", kFullAttenuation, &R::yinliang),
    Plain("QIPAONUM", "100", kDefaultBubbles, &R::qipaonum),
    Plain("BACKGROUND", "0", 0, &R::background),
    Ranged("FOGNONGDU", "25", kFogMax, 0, kFogMax, &R::fognongdu),
    Ranged("LIGHTQIANGDU", "0", 0, 0, kLightDimMax, &R::lightqiangdu),
    Plain("CHECK VIEWS", "1", 1, &R::checkViews),
    Plain("VIEWSLEFTRIGHT", "0", 0, &R::viewsLeftRight),
    Plain("VIEWSNEARFAR", "0", 0, &R::viewsNearFar),
};
}  // namespace

std::span<const StartupKey> StartupKeys() { return kKeys; }

}  // namespace settings
