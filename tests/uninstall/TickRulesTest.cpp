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

TEST(TickRules, EveryToggleSequenceOnTheLeavesKeepsParentsConsistent) {
  // All 2^3 tick patterns of the leaves a1, a2x, b reached by toggling: each parent
  // always matches its children.
  for (int pattern = 0; pattern < 8; ++pattern) {
    SampleTree tree;
    TickNode* leaves[] = {&tree.a1, &tree.a2x, &tree.b};
    for (int i = 0; i < 3; ++i)
      if (pattern & (1 << i)) ToggleNodeState(*leaves[i]);
    auto expected = [](const TickNode& n) {
      bool all = true, any = false;
      for (const TickNode* c : n.children) {
        all = all && c->state == kTicked;
        any = any || c->state != kUnticked;
      }
      return all ? kTicked : any ? kPartlyTicked : kUnticked;
    };
    for (const TickNode* n : {&tree.a2, &tree.a, &tree.root})
      EXPECT_EQ(n->state, expected(*n)) << "pattern " << pattern;
  }
}

TEST(TickRules, SetChildrenStateReachesEveryDepth) {
  SampleTree tree;
  tree.a.state = kUnticked;
  SetChildrenState(tree.a);
  EXPECT_EQ(tree.states(), (std::array<int, 6>{2, 1, 1, 1, 1, 2}));
}

}  // namespace
