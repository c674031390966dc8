#include "uninstall/TickRules.h"

namespace uninstall {

void AttachTickNode(TickNode& parent, TickNode& child) {
  child.parent = &parent;
  parent.children.push_back(&child);
}

void ToggleNodeState(TickNode& node) {
  switch (node.state) {
    case kUnticked:
    case kPartlyTicked:
      node.state = kTicked;
      break;
    case kTicked:
      node.state = kUnticked;
      break;
    default:
      break;
  }
  if (!node.children.empty()) SetChildrenState(node);
  if (node.parent) UpdateParentState(*node.parent);
}

void SetChildrenState(TickNode& node) {
  for (TickNode* child : node.children) {
    child->state = node.state;
    SetChildrenState(*child);
  }
}

void UpdateParentState(TickNode& node) {
  for (TickNode* current = &node; current; current = current->parent) {
    bool allTicked = true;
    bool anyTicked = false;
    for (const TickNode* child : current->children) {
      if (child->state != kTicked) allTicked = false;
      if (child->state == kTicked || child->state == kPartlyTicked) anyTicked = true;
    }
    if (allTicked)
      current->state = kTicked;
    else if (!anyTicked)
      current->state = kUnticked;
    else
      current->state = kPartlyTicked;
  }
}

}  // namespace uninstall
