// The scan window's two trees as the leftover core sees them: filling them from the
// scan's findings, the tick rules applied to the tree control, the ticked items
// handed to the removal, and the nodes taken out once their thing is really gone.
// Each node's data names its LeftoverKind and its entry in a LeftoverNodes store,
// which keeps the exact name of what the node stands for: the removal works on that,
// never on the text that the control shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/TickTreeView.h"
#include "uninstall/LeftoverRemoval.h"
#include "uninstall/LeftoverScan.h"

namespace uninstall {

// The exact items behind the nodes of one window's trees, for as long as the window
// lives. Items are only added: a node's data stays valid while the store does.
class LeftoverNodes {
 public:
  // The data for a node standing for `item`.
  LPARAM add(LeftoverItem item);
  // The item behind a node's data; nullptr for data that add() did not give.
  const LeftoverItem* find(LPARAM data) const;

 private:
  std::vector<LeftoverItem> items_;
};

// The exact item a found key, or its value at `index`, stands for: its root, view and
// path, never a reading of its text.
LeftoverItem FoundKeyItem(const FoundKey& key);
LeftoverItem FoundValueItem(const FoundKey& key, size_t index);

// One top-level node per key, one child per value. A key that another program owns
// and its values start unticked, its text followed by `sharedNote` ("%s" is the
// owner's name); every other node starts ticked.
void AddRegistryNodes(tk::TickTreeView& tree, LeftoverNodes& nodes,
                      const std::vector<FoundKey>& found, const std::string& sharedNote = {});
// The install folder's node and everything below it, nested as on disk; what another
// program owns starts unticked (with `sharedNote`), its parents partly ticked.
void AddFileNodes(tk::TickTreeView& tree, LeftoverNodes& nodes,
                  const std::vector<FileEntry>& entries, const std::string& sharedNote = {});

// Unticks every node, for findings that are offered without a recommendation.
void UntickAll(tk::TickTreeView& tree);

// What a node names, by its data.
LeftoverKind NodeKind(const tk::TickTreeView& tree, HTREEITEM node);
// The exact item a node stands for (its kind and text when it has no stored item).
LeftoverItem NodeItem(const tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node);

// A press on a node's tick box: ToggleNodeState over the node's branch, written
// back into the control.
void ToggleTreeNode(tk::TickTreeView& tree, HTREEITEM node);
// Every node that has children takes the state its remaining children give it.
void RecomputeParentStates(tk::TickTreeView& tree);

// The registry tree's ticked items: a ticked key as a whole (values and subkeys
// included); of a partly ticked key only its ticked values.
std::vector<LeftoverItem> TickedRegistryItems(const tk::TickTreeView& tree,
                                              const LeftoverNodes& nodes);
// The file tree's ticked items, each listed node on its own: files, links, and
// folders (which go only once what they hold has gone); a folder's contents are
// never handed over as a whole.
std::vector<LeftoverItem> TickedFileItems(const tk::TickTreeView& tree, const LeftoverNodes& nodes);

// Takes out every node whose key, value, file or folder no longer exists (with its
// children), then recomputes the parents of what stays. Returns how many nodes went.
int RemoveVanishedNodes(tk::TickTreeView& tree, const LeftoverNodes& nodes);

// Every node's text, depth first, in display order.
std::vector<std::string> NodeTexts(const tk::TickTreeView& tree);

}  // namespace uninstall
