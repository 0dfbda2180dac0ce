// The mode cursors come from the packed cursor images.
#include <gtest/gtest.h>

#include "view/Cursors.h"
#include "resource_ids.h"

TEST(Cursors, EveryModeCursorLoadsAndOtherIdsGiveNone) {
  const view::Cursors cursors;
  for (int id : view::Cursors::kIds) {
    const wxCursor* c = cursors.Get(id);
    ASSERT_NE(c, nullptr) << "cursor " << id;
    EXPECT_TRUE(c->IsOk()) << "cursor " << id;
  }
  EXPECT_EQ(cursors.Get(0), nullptr);
  EXPECT_EQ(cursors.Get(res::id::kMenuFeed), nullptr) << "an icon id is not a cursor";
}
