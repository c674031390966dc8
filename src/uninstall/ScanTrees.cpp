#include "uninstall/ScanTrees.h"

#include <unordered_map>

#include "ui/TextFormat.h"
#include "uninstall/TickRules.h"

namespace uninstall {
namespace {

// A node's data: the kind in the low bits, the store's index + 1 above them (0 for a
// node that has no stored item).
constexpr int kKindBits = 3;
constexpr LPARAM kKindMask = (1 << kKindBits) - 1;

std::string ShownText(const std::string& text, const std::string& owner,
                      const std::string& sharedNote) {
  if (owner.empty() || sharedNote.empty()) return text;
  return text + "  " + ui::FormatText(sharedNote, {owner});
}

void AddFileNode(tk::TickTreeView& tree, LeftoverNodes& nodes, const FileEntry& entry,
                 HTREEITEM parent, bool shared, const std::string& sharedNote) {
  const LeftoverKind kind = entry.link     ? LeftoverKind::Link
                            : entry.folder ? LeftoverKind::Folder
                                           : LeftoverKind::File;
  shared = shared || !entry.owner.empty();
  HTREEITEM node = tree.add(ShownText(entry.path, entry.owner, sharedNote), parent,
                            nodes.add({kind, entry.path, {}, {}}), shared ? kUnticked : kTicked);
  if (!node) return;
  for (const FileEntry& child : entry.children)
    AddFileNode(tree, nodes, child, node, shared, sharedNote);
}

// One top-level branch of a tree as tick nodes, in the control's depth-first order
// (the branch's top first), so that the tick rules can run over it.
class BranchMirror {
 public:
  BranchMirror(const tk::TickTreeView& tree, HTREEITEM top) {
    items_ = tree.descendants(top);
    items_.insert(items_.begin(), top);
    nodes_.resize(items_.size());  // never resized again: the links stay valid
    std::unordered_map<HTREEITEM, size_t> index;
    for (size_t i = 0; i < items_.size(); ++i) {
      index[items_[i]] = i;
      nodes_[i].state = tree.state(items_[i]);
    }
    for (size_t i = 1; i < items_.size(); ++i) {
      auto parent = index.find(tree.parent(items_[i]));
      if (parent != index.end()) AttachTickNode(nodes_[parent->second], nodes_[i]);
    }
  }

  TickNode* find(HTREEITEM item) {
    for (size_t i = 0; i < items_.size(); ++i)
      if (items_[i] == item) return &nodes_[i];
    return nullptr;
  }

  void recomputeParents() {
    // Children come after their parents, so walking backwards settles every branch
    // before the nodes above it are computed for the last time.
    for (size_t i = items_.size(); i-- > 0;)
      if (nodes_[i].children.empty() && nodes_[i].parent) UpdateParentState(*nodes_[i].parent);
  }

  void writeBack(tk::TickTreeView& tree) const {
    for (size_t i = 0; i < items_.size(); ++i)
      if (tree.state(items_[i]) != nodes_[i].state) tree.setState(items_[i], nodes_[i].state);
  }

 private:
  std::vector<HTREEITEM> items_;
  std::vector<TickNode> nodes_;
};

HTREEITEM TopOf(const tk::TickTreeView& tree, HTREEITEM node) {
  for (HTREEITEM up = tree.parent(node); up; up = tree.parent(up)) node = up;
  return node;
}

void CollectFileItems(const tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node,
                      std::vector<LeftoverItem>& items) {
  const int state = tree.state(node);
  if (state == kTicked) items.push_back(NodeItem(tree, nodes, node));
  if (state == kTicked || state == kPartlyTicked)
    for (HTREEITEM child : tree.children(node)) CollectFileItems(tree, nodes, child, items);
}

// Removes the vanished nodes below and including `node`, children first.
int RemoveVanished(tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node) {
  if (!LeftoverExists(NodeItem(tree, nodes, node))) {
    const int gone = 1 + static_cast<int>(tree.descendants(node).size());
    tree.remove(node);
    return gone;
  }
  int gone = 0;
  for (HTREEITEM child : tree.children(node)) gone += RemoveVanished(tree, nodes, child);
  return gone;
}

}  // namespace

LPARAM LeftoverNodes::add(LeftoverItem item) {
  const LPARAM kind = static_cast<LPARAM>(item.kind);
  items_.push_back(std::move(item));
  return (static_cast<LPARAM>(items_.size()) << kKindBits) | kind;
}

const LeftoverItem* LeftoverNodes::find(LPARAM data) const {
  const size_t index = static_cast<size_t>(data >> kKindBits);
  if (index == 0 || index > items_.size()) return nullptr;
  const LeftoverItem& item = items_[index - 1];
  return static_cast<LPARAM>(item.kind) == (data & kKindMask) ? &item : nullptr;
}

LeftoverItem FoundKeyItem(const FoundKey& key) {
  LeftoverItem item{LeftoverKind::RegistryKey, key.text, {}, {}};
  if (!key.root) return item;
  RegistryTarget target;
  target.root = key.root;
  target.rootName = sys::RootKeyName(key.root);
  target.keyPath = key.path;
  target.view = key.view;
  if (const size_t rootEnd = key.text.find('\\'); rootEnd != std::string::npos)
    target.shownPath = key.text.substr(rootEnd + 1);
  item.registry = std::move(target);
  return item;
}

LeftoverItem FoundValueItem(const FoundKey& key, size_t index) {
  LeftoverItem item{LeftoverKind::RegistryValue, key.values.at(index), {}, {}};
  if (index >= key.valueNames.size()) return item;
  item.valueName = key.valueNames[index];
  item.registry = FoundKeyItem(key).registry;
  if (item.registry) item.registry->valueName = key.valueNames[index];
  return item;
}

void AddRegistryNodes(tk::TickTreeView& tree, LeftoverNodes& nodes,
                      const std::vector<FoundKey>& found, const std::string& sharedNote) {
  for (const FoundKey& key : found) {
    const int state = key.owner.empty() ? kTicked : kUnticked;
    HTREEITEM node = tree.add(ShownText(key.text, key.owner, sharedNote), nullptr,
                              nodes.add(FoundKeyItem(key)), state);
    if (!node) continue;
    for (size_t i = 0; i < key.values.size(); ++i)
      tree.add(key.values[i], node, nodes.add(FoundValueItem(key, i)), state);
  }
}

void AddFileNodes(tk::TickTreeView& tree, LeftoverNodes& nodes,
                  const std::vector<FileEntry>& entries, const std::string& sharedNote) {
  for (const FileEntry& entry : entries)
    AddFileNode(tree, nodes, entry, nullptr, false, sharedNote);
  RecomputeParentStates(tree);
}

void UntickAll(tk::TickTreeView& tree) {
  for (HTREEITEM node : tree.descendants(nullptr))
    if (tree.state(node) != kUnticked) tree.setState(node, kUnticked);
}

LeftoverItem NodeItem(const tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node) {
  if (const LeftoverItem* item = nodes.find(tree.data(node))) return *item;
  return {NodeKind(tree, node), tree.text(node), {}, {}};
}

LeftoverKind NodeKind(const tk::TickTreeView& tree, HTREEITEM node) {
  const LPARAM data = tree.data(node) & kKindMask;
  switch (data) {
    case static_cast<LPARAM>(LeftoverKind::RegistryKey):
    case static_cast<LPARAM>(LeftoverKind::RegistryValue):
    case static_cast<LPARAM>(LeftoverKind::Folder):
    case static_cast<LPARAM>(LeftoverKind::File):
    case static_cast<LPARAM>(LeftoverKind::Link):
      return static_cast<LeftoverKind>(data);
  }
  return LeftoverKind::File;
}

void ToggleTreeNode(tk::TickTreeView& tree, HTREEITEM node) {
  if (!node) return;
  BranchMirror branch(tree, TopOf(tree, node));
  TickNode* tick = branch.find(node);
  if (!tick) return;
  ToggleNodeState(*tick);
  branch.writeBack(tree);
}

void RecomputeParentStates(tk::TickTreeView& tree) {
  for (HTREEITEM top : tree.children(nullptr)) {
    BranchMirror branch(tree, top);
    branch.recomputeParents();
    branch.writeBack(tree);
  }
}

std::vector<LeftoverItem> TickedRegistryItems(const tk::TickTreeView& tree,
                                              const LeftoverNodes& nodes) {
  std::vector<LeftoverItem> items;
  for (HTREEITEM key : tree.children(nullptr)) {
    const int state = tree.state(key);
    if (state == kTicked) {
      items.push_back(NodeItem(tree, nodes, key));
    } else if (state == kPartlyTicked) {
      for (HTREEITEM value : tree.children(key))
        if (tree.state(value) == kTicked) items.push_back(NodeItem(tree, nodes, value));
    }
  }
  return items;
}

std::vector<LeftoverItem> TickedFileItems(const tk::TickTreeView& tree,
                                          const LeftoverNodes& nodes) {
  std::vector<LeftoverItem> items;
  for (HTREEITEM top : tree.children(nullptr)) CollectFileItems(tree, nodes, top, items);
  return items;
}

int RemoveVanishedNodes(tk::TickTreeView& tree, const LeftoverNodes& nodes) {
  int gone = 0;
  for (HTREEITEM top : tree.children(nullptr)) gone += RemoveVanished(tree, nodes, top);
  RecomputeParentStates(tree);
  return gone;
}

std::vector<std::string> NodeTexts(const tk::TickTreeView& tree) {
  std::vector<std::string> texts;
  for (HTREEITEM node : tree.descendants(nullptr)) texts.push_back(tree.text(node));
  return texts;
}

}  // namespace uninstall
