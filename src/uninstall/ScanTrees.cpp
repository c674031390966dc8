#include "uninstall/ScanTrees.h"

#include <unordered_map>

#include "uninstall/EvidenceText.h"
#include "uninstall/TickRules.h"

namespace uninstall {
namespace {

// A node's data: the kind in the low bits, the store's index + 1 above them (0 for a
// node that has no stored item).
constexpr int kKindBits = 3;
constexpr LPARAM kKindMask = (1 << kKindBits) - 1;

int StartState(const Evidence& evidence) {
  return evidence.grade == Grade::Safe ? kTicked : kUnticked;
}

void AddFileNode(tk::TickTreeView& tree, LeftoverNodes& nodes, const FileEntry& entry,
                 HTREEITEM parent, const Evidence* holder) {
  const LeftoverKind kind = entry.link     ? LeftoverKind::Link
                            : entry.folder ? LeftoverKind::Folder
                                           : LeftoverKind::File;
  Evidence evidence = WithOwner(entry.evidence, entry.owner);
  if (holder) evidence = InheritEvidence(*holder, std::move(evidence));
  const int state = StartState(evidence);
  const int image = GradeImage(evidence.grade);
  HTREEITEM node =
      tree.add(entry.path, parent, nodes.add({kind, entry.path, {}, {}}, evidence), state, image);
  if (!node) return;
  for (const FileEntry& child : entry.children) AddFileNode(tree, nodes, child, node, &evidence);
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

bool ValuesOnly(const tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node) {
  const NodeInfo* info = nodes.info(tree.data(node));
  return info && info->valuesOnly && info->item.kind == LeftoverKind::RegistryKey;
}

// Removes the vanished nodes below and including `node`, children first.
int RemoveVanished(tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node) {
  if (ValuesOnly(tree, nodes, node)) {
    // The node stands for its values alone: when none is left, neither is it.
    int gone = 0;
    for (HTREEITEM child : tree.children(node)) gone += RemoveVanished(tree, nodes, child);
    if (tree.firstChild(node)) return gone;
    tree.remove(node);
    return gone + 1;
  }
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

LPARAM LeftoverNodes::add(LeftoverItem item, Evidence evidence, bool valuesOnly) {
  const LPARAM kind = static_cast<LPARAM>(item.kind);
  items_.push_back({std::move(item), std::move(evidence), valuesOnly});
  return (static_cast<LPARAM>(items_.size()) << kKindBits) | kind;
}

const NodeInfo* LeftoverNodes::info(LPARAM data) const {
  const size_t index = static_cast<size_t>(data >> kKindBits);
  if (index == 0 || index > items_.size()) return nullptr;
  const NodeInfo& info = items_[index - 1];
  return static_cast<LPARAM>(info.item.kind) == (data & kKindMask) ? &info : nullptr;
}

const LeftoverItem* LeftoverNodes::find(LPARAM data) const {
  const NodeInfo* found = info(data);
  return found ? &found->item : nullptr;
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
                      const std::vector<FoundKey>& found) {
  for (const FoundKey& key : found) {
    const Evidence evidence = WithOwner(key.evidence, key.owner);
    const int state = StartState(evidence);
    const int image = GradeImage(evidence.grade);
    HTREEITEM node = tree.add(key.text, nullptr,
                              nodes.add(FoundKeyItem(key), evidence, key.valuesOnly), state, image);
    if (!node) continue;
    // A value is the key's finding as much as the key is: it shows the same.
    for (size_t i = 0; i < key.values.size(); ++i)
      tree.add(key.values[i], node, nodes.add(FoundValueItem(key, i), evidence), state, image);
  }
}

void AddFileNodes(tk::TickTreeView& tree, LeftoverNodes& nodes,
                  const std::vector<FileEntry>& entries) {
  for (const FileEntry& entry : entries) AddFileNode(tree, nodes, entry, nullptr, nullptr);
  RecomputeParentStates(tree);
  // A folder that is not safe itself (a vendor folder around the product's, say) is
  // not offered ticked because all it holds is: it shows partly ticked, so that its
  // contents go and it stays unless the user ticks it too.
  for (HTREEITEM node : tree.descendants(nullptr)) {
    if (tree.state(node) != kTicked || !tree.firstChild(node)) continue;
    const NodeInfo* info = nodes.info(tree.data(node));
    if (!info || info->evidence.grade == Grade::Safe) continue;
    for (HTREEITEM up = node; up && tree.state(up) == kTicked; up = tree.parent(up))
      tree.setState(up, kPartlyTicked);
  }
}

void UntickAll(tk::TickTreeView& tree) {
  for (HTREEITEM node : tree.descendants(nullptr))
    if (tree.state(node) != kUnticked) tree.setState(node, kUnticked);
}

LeftoverItem NodeItem(const tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node) {
  if (const LeftoverItem* item = nodes.find(tree.data(node))) return *item;
  return {NodeKind(tree, node), tree.text(node), {}, {}};
}

Evidence NodeEvidence(const tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node) {
  if (const NodeInfo* info = nodes.info(tree.data(node))) return info->evidence;
  return {};
}

std::string NodeTip(const tk::TickTreeView& tree, const LeftoverNodes& nodes, HTREEITEM node) {
  const NodeInfo* info = nodes.info(tree.data(node));
  return info ? EvidenceTip(info->evidence) : std::string();
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
    if (state == kTicked && !ValuesOnly(tree, nodes, key)) {
      items.push_back(NodeItem(tree, nodes, key));
    } else if (state == kTicked || state == kPartlyTicked) {
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
