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
#include "uninstall/Evidence.h"
#include "uninstall/LeftoverScan.h"

namespace uninstall {

// What one node stands for: the exact item, how sure the scan is that it is the
// program's, and whether a key's node stands only for its listed values.
struct NodeInfo {
  LeftoverItem item;
  Evidence evidence;
  // The key is not the program's, only the values listed below it: ticking the
  // key's node ticks them, and the key itself is never removed.
  bool valuesOnly = false;
};

// The exact items behind the nodes of one window's trees, for as long as the window
// lives. Items are only added: a node's data stays valid while the store does.
class LeftoverNodes {
 public:
  // The data for a node standing for `item`.
  LPARAM add(LeftoverItem item, Evidence evidence = {}, bool valuesOnly = false);
  // The item behind a node's data; nullptr for data that add() did not give.
  const LeftoverItem* find(LPARAM data) const;
  const NodeInfo* info(LPARAM data) const;

 private:
  std::vector<NodeInfo> items_;
};

// The exact item a found key, or its value at `index`, stands for: its root, view and
// path, never a reading of its text.
LeftoverItem FoundKeyItem(const FoundKey& key);
LeftoverItem FoundValueItem(const FoundKey& key, size_t index);

// One top-level node per key, one child per value, each showing the key's grade as
// its picture (GradeImage). A safe key and its values start ticked; the others,
// and whatever another program owns, unticked.
void AddRegistryNodes(tk::TickTreeView& tree, LeftoverNodes& nodes,
                      const std::vector<FoundKey>& found);
// The file tree's top-level entries (files or folders) and everything below them,
// nested as on disk, each showing its grade (a node without reasons of its own
// shows its holder's, InheritEvidence). A safe node starts ticked, the others
// unticked, and the folders above take the state their children give them.
void AddFileNodes(tk::TickTreeView& tree, LeftoverNodes& nodes,
                  const std::vector<FileEntry>& entries);

// Unticks every node, for findings that are offered without a recommendation.
void UntickAll(tk::TickTreeView& tree);

// The grade and reasons a node shows (a safe, reasonless one for a node without them).
Evidence NodeEvidence(const tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node);
// A node's tip: its reasons, one a line.
std::string NodeTip(const tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node);

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
// included); of a partly ticked key, or of a key that stands only for its values,
// only its ticked values.
std::vector<LeftoverItem> TickedRegistryItems(const tk::TickTreeView& tree,
                                              const LeftoverNodes& nodes);
// The file tree's ticked items, each listed node on its own: files, links, and
// folders (which go only once what they hold has gone); a folder's contents are
// never handed over as a whole.
std::vector<LeftoverItem> TickedFileItems(const tk::TickTreeView& tree, const LeftoverNodes& nodes);

// Takes out every node whose key, value, file or folder no longer exists (with its
// children), and the node of a values-only key none of whose values is left; then
// recomputes the parents of what stays. Returns how many nodes went.
int RemoveVanishedNodes(tk::TickTreeView& tree, const LeftoverNodes& nodes);

// Every node's text, depth first, in display order.
std::vector<std::string> NodeTexts(const tk::TickTreeView& tree);

}  // namespace uninstall
