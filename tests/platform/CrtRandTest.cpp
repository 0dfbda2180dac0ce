#include <gtest/gtest.h>

#include "platform/CrtRand.h"

// The first draws of the unseeded C runtime generator are well known: 41, 18467, 6334.
TEST(CrtRand, FollowsTheRuntimeSequenceFromStateOne) {
  crt::setRandState(1);
  EXPECT_EQ(crt::rand(), 41);
  EXPECT_EQ(crt::rand(), 18467);
  EXPECT_EQ(crt::rand(), 6334);
  for (int i = 0; i < 10000; ++i) {
    const int r = crt::rand();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, crt::kRandMax);
  }
}
