#include "uninstall/LeftoverSearch.h"

#include "uninstall/FindingGrades.h"
#include "uninstall/FolderTraces.h"
#include "uninstall/MsiTraces.h"
#include "uninstall/Ownership.h"
#include "uninstall/ProtectedFolders.h"
#include "uninstall/RegistryTraces.h"
#include "uninstall/ShortcutTraces.h"
#include "uninstall/TraceSearch.h"

namespace uninstall {
namespace {

void Append(std::vector<FoundKey>& to, std::vector<FoundKey>& from) {
  for (FoundKey& key : from) to.push_back(std::move(key));
  from.clear();
}

// An install folder that lies in a folder found elsewhere is listed in that folder's
// tree (its nodes are graded as the install folder's), not a second time.
void DropNestedInstallTrees(std::vector<FileEntry>& installTrees,
                            const std::vector<FileEntry>& elsewhere) {
  std::vector<FileEntry> kept;
  for (FileEntry& tree : installTrees) {
    const std::string name = NormalisedFolder(tree.path);
    bool nested = false;
    for (const FileEntry& other : elsewhere)
      if (other.folder && SameOrInsideFolder(name, NormalisedFolder(other.path))) nested = true;
    if (!nested) kept.push_back(std::move(tree));
  }
  installTrees = std::move(kept);
}

}  // namespace

ScanFindings FindLeftovers(const UninstallTarget& target, const std::vector<InstalledEntry>& others,
                           const ScanProgress& progress, const std::atomic<bool>* cancel) {
  ScanFindings findings;
  const TraceSearch search(target, others, progress, cancel);

  // The registry: the four passes by key name first (without a name there is nothing
  // to match, and every key would be walked for nothing), then the other places.
  std::vector<FoundKey> keys;
  if (!target.keyName.empty()) {
    keys = ScanRegistry(target.keyName, progress, cancel);
    for (FoundKey& key : keys) AddReason(key.evidence, Reason::KeyNameMatch);
  }
  using KeyPlace = void (*)(const TraceSearch&, std::vector<FoundKey>&);
  for (KeyPlace place : {KeyPlace(FindSettingsKeys), KeyPlace(FindLaunchKeys),
                         KeyPlace(FindClassKeys), KeyPlace(FindInstallerKeys)}) {
    if (search.stopped()) break;
    std::vector<FoundKey> more;
    place(search, more);
    Append(keys, more);
  }

  // The files: the install folder's tree first.
  std::vector<FileEntry> installTrees, elsewhere;
  for (const std::string& folder : search.installFolders()) {
    if (search.stopped()) break;
    for (FileEntry& tree : ScanInstallFolder(folder, progress, cancel))
      installTrees.push_back(std::move(tree));
  }
  if (!search.stopped()) FindShortcuts(search, elsewhere);
  if (!search.stopped()) FindDataFolders(search, elsewhere);
  findings.cancelled = search.stopped();

  // What was found until now is graded, also when the search was stopped.
  findings.keys = MergeFoundKeys(std::move(keys));
  GradeKeys(findings.keys, search);
  DropNestedInstallTrees(installTrees, elsewhere);
  findings.files = std::move(installTrees);
  for (FileEntry& entry : elsewhere) findings.files.push_back(std::move(entry));
  MarkOwnedFolders(findings.files, others);
  GradeFileTrees(findings.files, search);
  return findings;
}

}  // namespace uninstall
