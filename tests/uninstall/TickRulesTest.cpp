// The tick-state rules of the leftover trees on small trees.
#include <gtest/gtest.h>

#include <array>

#include "uninstall/TickRules.h"

namespace {

using namespace uninstall;

// root
// ├── a
// │   ├── a1
// │   └── a2
// │       └── a2x
// └── b
struct SampleTree {
  TickNode root, a, a1, a2, a2x, b;
  SampleTree() {
    AttachTickNode(root, a);
    AttachTickNode(a, a1);
    AttachTickNode(a, a2);
    AttachTickNode(a2, a2x);
    AttachTickNode(root, b);
  }
  std::array<int, 6> states() const {
    return {root.state, a.state, a1.state, a2.state, a2x.state, b.state};
  }
};

TEST(TickRules, ToggleCyclesTheNodeItself) {
  TickNode lone;
  lone.state = kTicked;
  ToggleNodeState(lone);
  EXPECT_EQ(lone.state, kUnticked);
  ToggleNodeState(lone);
  EXPECT_EQ(lone.state, kTicked);
  lone.state = kPartlyTicked;
  ToggleNodeState(lone);
  EXPECT_EQ(lone.state, kTicked);
  for (int odd : {0, 4, -1}) {
    lone.state = odd;
    ToggleNodeState(lone);
    EXPECT_EQ(lone.state, odd);
  }
}

TEST(TickRules, UntickingADeepLeafMakesEachAncestorPartlyTicked) {
  SampleTree tree;
  ToggleNodeState(tree.a2x);
  EXPECT_EQ(tree.states(), (std::array<int, 6>{3, 3, 2, 1, 1, 2}));
  // Ticking it again restores the fully ticked tree.
  ToggleNodeState(tree.a2x);
  EXPECT_EQ(tree.states(), (std::array<int, 6>{2, 2, 2, 2, 2, 2}));
}

TEST(TickRules, TickingAPartlyTickedFolderTicksEverythingBelow) {
  SampleTree tree;
  ToggleNodeState(tree.a1);
  ASSERT_EQ(tree.a.state, kPartlyTicked);
  ToggleNodeState(tree.a);
  EXPECT_EQ(tree.states(), (std::array<int, 6>{2, 2, 2, 2, 2, 2}));
}

TEST(TickRules, UntickingAFolderUnticksItsWholeBranch) {
  SampleTree tree;
  ToggleNodeState(tree.a);
  EXPECT_EQ(tree.states(), (std::array<int, 6>{3, 1, 1, 1, 1, 2}));
  ToggleNodeState(tree.b);
  EXPECT_EQ(tree.states(), (std::array<int, 6>{1, 1, 1, 1, 1, 1}));
  ToggleNodeState(tree.root);
  EXPECT_EQ(tree.states(), (std::array<int, 6>{2, 2, 2, 2, 2, 2}));
}

TEST(TickRules, UpdateParentStateCountsPartlyTickedChildrenAsSomeTicked) {
  SampleTree tree;
  tree.a1.state = kUnticked;
  tree.a2.state = kPartlyTicked;
  tree.b.state = kUnticked;
  UpdateParentState(tree.a);
  EXPECT_EQ(tree.a.state, kPartlyTicked);
  EXPECT_EQ(tree.root.state, kPartlyTicked);
  tree.a2.state = kUnticked;
  UpdateParentState(tree.a);
  EXPECT_EQ(tree.a.state, kUnticked);
  EXPECT_EQ(tree.root.state, kUnticked);
}

TEST(TickRules, EveryTickPatternOfTheLeavesGivesTheParentsTheirState) {
  // Each leaf a1, a2x, b unticked (by one toggle) or left ticked, all eight ways.
  // A parent is ticked when every child is, unticked when none is ticked or partly
  // ticked, and partly ticked otherwise: a2 follows a2x alone, a follows a1 and a2,
  // the root follows a and b. States: root, a, a1, a2, a2x, b.
  struct Case {
    bool untickA1, untickA2x, untickB;
    std::array<int, 6> states;
  };
  const Case cases[] = {
      {false, false, false, {2, 2, 2, 2, 2, 2}}, {true, false, false, {3, 3, 1, 2, 2, 2}},
      {false, true, false, {3, 3, 2, 1, 1, 2}},  {true, true, false, {3, 1, 1, 1, 1, 2}},
      {false, false, true, {3, 2, 2, 2, 2, 1}},  {true, false, true, {3, 3, 1, 2, 2, 1}},
      {false, true, true, {3, 3, 2, 1, 1, 1}},   {true, true, true, {1, 1, 1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    SampleTree tree;
    if (c.untickA1) ToggleNodeState(tree.a1);
    if (c.untickA2x) ToggleNodeState(tree.a2x);
    if (c.untickB) ToggleNodeState(tree.b);
    EXPECT_EQ(tree.states(), c.states)
        << "unticked: a1 " << c.untickA1 << ", a2x " << c.untickA2x << ", b " << c.untickB;
  }
}

TEST(TickRules, SetChildrenStateReachesEveryDepth) {
  SampleTree tree;
  tree.a.state = kUnticked;
  SetChildrenState(tree.a);
  EXPECT_EQ(tree.states(), (std::array<int, 6>{2, 1, 1, 1, 1, 2}));
}

}  // namespace
