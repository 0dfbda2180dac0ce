#pragma once
#include <span>

#include "settings/SettingsRecord.h"

// The `Zudadudu Settings` keys in the order the start-up load visits them, each with what
// is taken when it is missing, the value forced at every start (if any), the accepted range
// (if any) and the record field it fills.
namespace settings {

struct StartupKey {
  const char* name;
  const char* missingText;  // written back when the key is missing
  int missingValue;         // stored when the key is missing
  bool hasOverride;
  int overrideValue;        // forced (and written as decimal) at every start
  bool hasRange;
  int rangeLow, rangeHigh;  // a present value outside counts as missing
  int SettingsRecord::*intField;      // exactly one of the two fields is set
  float SettingsRecord::*floatField;  // numbers kept as float: the integer part
};

std::span<const StartupKey> StartupKeys();

}  // namespace settings
