// What every place of the leftover search asks about the uninstalled program and the
// programs still installed: its names and publisher, the folders that stand for its
// install folder, what the others claim or refer to, and the caller's progress and
// stop flag. Made once per search, so that the places share one reading of it.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "uninstall/Evidence.h"
#include "uninstall/InstalledEntries.h"
#include "uninstall/LeftoverScan.h"
#include "uninstall/ProductNames.h"
#include "uninstall/UninstallTarget.h"

namespace uninstall {

// The folders that stand for the program's install folder: its InstallLocation (when
// it names a folder the scan may list), else the folders of its DisplayIcon and
// UninstallString files, unless such a folder is protected, lies under the Windows
// folder, or is claimed by (is, lies in or holds a folder of) another entry. A folder
// inside another of them is left out. As spelled; none may be given.
std::vector<std::string> InstallFoldersOf(const UninstallTarget& target,
                                          const std::vector<InstalledEntry>& others);

// The key at `path` below HKLM in each view that holds a key of its own there (one
// key for a path the views share), or the HKCU key; only keys that exist.
std::vector<sys::RegKey> RegistryAreas(HKEY root, const std::string& path);

// `a` is `b` or lies in it; both as NormalisedFolder gives them.
bool SameOrInsideFolder(const std::string& a, const std::string& b);

class TraceSearch {
 public:
  TraceSearch(const UninstallTarget& target, const std::vector<InstalledEntry>& others,
              const ScanProgress& progress = {}, ScanCancel cancel = nullptr);

  const UninstallTarget& target() const { return target_; }
  const std::vector<InstalledEntry>& others() const { return others_; }
  const ScanProgress& progress() const { return progress_; }
  ScanCancel cancel() const { return cancel_; }
  const std::vector<std::string>& installFolders() const { return installFolders_; }

  // Tells the caller that `path` is examined; false once the search is to stop.
  bool examine(const std::string& path) const;
  bool stopped() const { return cancel_ && cancel_->load(); }

  // How a key or folder name matches the program's names.
  NameMatch nameMatch(std::string_view name) const;
  // Whether a key or folder name is the program's publisher.
  bool isPublisher(std::string_view name) const;
  // Whether another installed program's publisher goes by this vendor name too.
  bool vendorUsedByOthers(std::string_view name) const;
  // The other program whose name `name` bears as well as it bears ours (`ours`), or
  // better; "" when none.
  std::string namedLikeOther(std::string_view name, NameMatch ours) const;
  // Adds the reasons a name gives: NameExact, NamePartial or NoNameMatch, and
  // NamedLikeOther (with the other's name) when it fits another program as well.
  void addNameReasons(Evidence& evidence, std::string_view name) const;

  // `path` is, or lies in, one of the install folders.
  bool liesInInstall(const std::string& path) const;
  // The program file that `command` starts (or the icon it names) lies there.
  bool commandLeadsIn(const std::string& command) const;
  // The other program that claims a folder which `path` is or lies in; "" when none.
  std::string claimantOf(const std::string& path) const;
  // claimantOf the folder of the program file that `command` starts.
  std::string commandClaimant(const std::string& command) const;
  // Whether another entry names the file at `path` (a program file it starts).
  bool referencedByOther(const std::string& path) const;
  // Whether another entry names a program file of this name ("app.exe"), anywhere.
  bool fileNameReferencedByOther(const std::string& fileName) const;

 private:
  struct OtherNames {
    std::string displayName;
    std::vector<std::string> names;
  };

  // A folder another entry claims; whether the guard keeps it is asked once, and only
  // of a claim that fits a path.
  struct Claim {
    std::string folder;
    std::string program;
    mutable bool known = false, guarded = false;
    bool isProtected() const;
  };

  const UninstallTarget& target_;
  const std::vector<InstalledEntry>& others_;
  ScanProgress progress_;
  ScanCancel cancel_;
  std::vector<std::string> names_;
  std::vector<OtherNames> otherNames_;
  std::vector<std::string> installFolders_;
  std::vector<std::string> normalisedInstall_;
  std::vector<Claim> claims_;
  std::set<std::string> referencedFiles_;  // upper full paths
  std::set<std::string> referencedNames_;  // their upper file names
};

}  // namespace uninstall
