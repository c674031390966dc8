// The scan window's two trees as the leftover core sees them: filling them from the
// scan's findings, the tick rules applied to the tree control, the ticked items
// handed to the removal, and the nodes taken out once their thing is really gone.
// Each node's data is its LeftoverKind, so that the removal knows what a text names.
#pragma once

#include <string>
#include <vector>

#include "toolkit/TickTreeView.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/LeftoverScan.h"

namespace uninstall {

// One ticked top-level node per key, one ticked child per value.
void AddRegistryNodes(tk::TickTreeView& tree, const std::vector<FoundKey>& found);
// The install folder's node and everything below it, ticked, nested as on disk.
void AddFileNodes(tk::TickTreeView& tree, const std::vector<FileEntry>& entries);

// What a node names, by its data.
LeftoverKind NodeKind(const tk::TickTreeView& tree, HTREEITEM node);

// A press on a node's tick box: ToggleNodeState over the node's branch, written
// back into the control.
void ToggleTreeNode(tk::TickTreeView& tree, HTREEITEM node);
// Every node that has children takes the state its remaining children give it.
void RecomputeParentStates(tk::TickTreeView& tree);

// The registry tree's ticked items: a ticked key as a whole (values and subkeys
// included); of a partly ticked key only its ticked values.
std::vector<LeftoverItem> TickedRegistryItems(const tk::TickTreeView& tree);
// The file tree's ticked items: a ticked folder as a whole, a ticked file or link on
// its own; partly ticked folders are looked into.
std::vector<LeftoverItem> TickedFileItems(const tk::TickTreeView& tree);

// Takes out every node whose key, value, file or folder no longer exists (with its
// children), then recomputes the parents of what stays. Returns how many nodes went.
int RemoveVanishedNodes(tk::TickTreeView& tree);

// Every node's text, depth first, in display order.
std::vector<std::string> NodeTexts(const tk::TickTreeView& tree);

}  // namespace uninstall
