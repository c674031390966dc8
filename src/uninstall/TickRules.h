// Tick states of the leftover trees, over a plain node tree so that the rules are the
// same for the tree controls and for anything else that mirrors them.
#pragma once

#include <vector>

namespace uninstall {

enum TickState : int {
  kUnticked = 1,
  kTicked = 2,
  kPartlyTicked = 3,  // some but not all children ticked
};

// A node does not own its children; whoever builds the tree keeps the nodes alive.
struct TickNode {
  int state = kTicked;
  std::vector<TickNode*> children;
  TickNode* parent = nullptr;
};

// Links `child` below `parent` (last child).
void AttachTickNode(TickNode& parent, TickNode& child);

// Flips a node the way a click on its tick box does: unticked and partly ticked become
// ticked, ticked becomes unticked, any other value stays. Its descendants follow it
// and its ancestors are recomputed.
void ToggleNodeState(TickNode& node);
// Gives every descendant of `node`, at every depth, the node's state.
void SetChildrenState(TickNode& node);
// Recomputes `node` from its direct children (all ticked: ticked; none ticked or partly
// ticked: unticked; otherwise partly ticked), then its parent, up to the top.
void UpdateParentState(TickNode& node);

}  // namespace uninstall
