#include "uninstall/TraceSearch.h"

#include <algorithm>

#include "sys/BackupFiles.h"
#include "uninstall/InstallFolder.h"
#include "uninstall/ProtectedFolders.h"

namespace uninstall {
namespace {

// Where a folder of the program may be looked at: not the Windows folder, not a
// folder the guard keeps.
bool UsableFolder(const std::string& folder) {
  return !folder.empty() &&
         sys::UpperCase(folder + "\\").find("\\WINDOWS\\") == std::string::npos &&
         !IsProtectedFolder(folder);
}

bool ClaimedByOther(const std::string& normalised, const std::vector<InstalledEntry>& others) {
  for (const InstalledEntry& other : others)
    for (const std::string& claimed : other.folders)
      // The spelling first: telling a protected folder costs opening it.
      if ((SameOrInsideFolder(normalised, claimed) || SameOrInsideFolder(claimed, normalised)) &&
          !IsProtectedFolder(claimed))
        return true;
  return false;
}

// The program files an entry's texts name ("C:\A\b.exe", "C:\A\c.dll,0"), upper case.
void AddProgramFiles(const std::string& upperText, std::set<std::string>& files) {
  for (const char* extension : {".EXE", ".DLL", ".COM", ".SCR", ".CPL", ".OCX"}) {
    for (size_t at = upperText.find(extension); at != std::string::npos;
         at = upperText.find(extension, at + 1)) {
      const size_t end = at + 4;
      if (end < upperText.size() &&
          std::string_view("\" ,;\t'").find(upperText[end]) == std::string_view::npos)
        continue;
      const size_t drive = upperText.rfind(":\\", at);
      if (drive == std::string::npos || drive == 0) continue;
      const std::string file = NormalisedFolder(upperText.substr(drive - 1, end - drive + 1));
      if (!file.empty()) files.insert(file);
    }
  }
}

}  // namespace

std::vector<sys::RegKey> RegistryAreas(HKEY root, const std::string& path) {
  std::vector<sys::RegKey> areas;
  std::vector<std::string> seen;
  const std::vector<sys::RegView> views = root == HKEY_LOCAL_MACHINE
                                              ? sys::MachineSoftwareViews()
                                              : std::vector<sys::RegView>{sys::RegView::Default};
  for (sys::RegView view : views) {
    sys::RegKey key(root, path, view);
    const std::string identity = KeyIdentity(root, path, view);
    if (identity.empty() || std::find(seen.begin(), seen.end(), identity) != seen.end()) continue;
    seen.push_back(identity);
    areas.push_back(std::move(key));
  }
  return areas;
}

bool SameOrInsideFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  return a == b || (a.size() > b.size() && a.compare(0, b.size(), b) == 0 && a[b.size()] == '\\');
}

std::vector<std::string> InstallFoldersOf(const UninstallTarget& target,
                                          const std::vector<InstalledEntry>& others) {
  std::vector<std::string> folders;
  if (!target.installDir.empty()) {
    if (UsableFolder(target.installDir)) folders.push_back(target.installDir);
    return folders;
  }
  std::vector<std::string> normalised;
  for (const std::string* raw : {&target.displayIcon, &target.uninstallString}) {
    const std::string folder = NormaliseInstallFolder(CommandFolder(*raw));
    if (!UsableFolder(folder)) continue;
    const std::string name = NormalisedFolder(folder);
    if (name.empty() || ClaimedByOther(name, others)) continue;
    bool covered = false;
    for (size_t i = 0; i < normalised.size();) {
      if (SameOrInsideFolder(name, normalised[i])) {
        covered = true;
        break;
      }
      if (SameOrInsideFolder(normalised[i], name)) {
        normalised.erase(normalised.begin() + static_cast<std::ptrdiff_t>(i));
        folders.erase(folders.begin() + static_cast<std::ptrdiff_t>(i));
        continue;
      }
      ++i;
    }
    if (covered) continue;
    normalised.push_back(name);
    folders.push_back(folder);
  }
  return folders;
}

TraceSearch::TraceSearch(const UninstallTarget& target, const std::vector<InstalledEntry>& others,
                         const ScanProgress& progress, ScanCancel cancel)
    : target_(target), others_(others), progress_(progress), cancel_(cancel) {
  names_ = ProgramNames(target.displayName, target.keyName);
  for (const InstalledEntry& other : others) {
    otherNames_.push_back({other.displayName, ProgramNames(other.displayName, other.keyName)});
    for (const std::string& claimed : other.folders)
      claims_.push_back({claimed, other.displayName});
    for (const std::string& text : other.texts) AddProgramFiles(text, referencedFiles_);
  }
  for (const std::string& file : referencedFiles_)
    referencedNames_.insert(file.substr(file.rfind('\\') + 1));
  installFolders_ = InstallFoldersOf(target, others);
  for (const std::string& folder : installFolders_)
    if (std::string name = NormalisedFolder(folder); !name.empty())
      normalisedInstall_.push_back(std::move(name));
}

bool TraceSearch::examine(const std::string& path) const {
  if (stopped()) return false;
  if (progress_) progress_(path);
  return true;
}

NameMatch TraceSearch::nameMatch(std::string_view name) const {
  return BestMatch(name, names_);
}

bool TraceSearch::isPublisher(std::string_view name) const {
  return !target_.publisher.empty() && IsPublisherName(name, target_.publisher);
}

bool TraceSearch::vendorUsedByOthers(std::string_view name) const {
  return std::any_of(others_.begin(), others_.end(), [&](const InstalledEntry& other) {
    return !other.publisher.empty() && IsPublisherName(name, other.publisher);
  });
}

std::string TraceSearch::namedLikeOther(std::string_view name, NameMatch ours) const {
  for (const OtherNames& other : otherNames_) {
    const NameMatch theirs = BestMatch(name, other.names);
    if (theirs == NameMatch::Exact || (theirs == NameMatch::Partial && ours != NameMatch::Exact))
      return other.displayName;
  }
  return std::string();
}

void TraceSearch::addNameReasons(Evidence& evidence, std::string_view name) const {
  const NameMatch ours = nameMatch(name);
  AddReason(evidence, ours == NameMatch::Exact     ? Reason::NameExact
                      : ours == NameMatch::Partial ? Reason::NamePartial
                                                   : Reason::NoNameMatch);
  if (std::string other = namedLikeOther(name, ours); !other.empty()) {
    AddReason(evidence, Reason::NamedLikeOther);
    if (evidence.other.empty()) evidence.other = std::move(other);
  }
}

bool TraceSearch::liesInInstall(const std::string& path) const {
  if (normalisedInstall_.empty() || path.empty()) return false;
  const std::string name = NormalisedFolder(path);
  return std::any_of(normalisedInstall_.begin(), normalisedInstall_.end(),
                     [&](const std::string& folder) { return SameOrInsideFolder(name, folder); });
}

bool TraceSearch::commandLeadsIn(const std::string& command) const {
  if (normalisedInstall_.empty()) return false;
  const std::string folder = NormaliseInstallFolder(CommandFolder(command));
  return !folder.empty() && liesInInstall(folder);
}

std::string TraceSearch::claimantOf(const std::string& path) const {
  const std::string name = NormalisedFolder(path);
  if (name.empty()) return std::string();
  for (const Claim& claim : claims_)
    // An entry that claims a drive or Program Files claims nothing that can be told
    // apart; the guard keeps those folders anyway. Asked only of a claim that fits,
    // as telling costs opening the folder.
    if (SameOrInsideFolder(name, claim.folder) && !claim.isProtected()) return claim.program;
  return std::string();
}

std::string TraceSearch::commandClaimant(const std::string& command) const {
  const std::string folder = NormaliseInstallFolder(CommandFolder(command));
  return folder.empty() ? std::string() : claimantOf(folder);
}

bool TraceSearch::Claim::isProtected() const {
  if (!known) {
    guarded = IsProtectedFolder(folder);
    known = true;
  }
  return guarded;
}

bool TraceSearch::referencedByOther(const std::string& path) const {
  return !referencedFiles_.empty() && referencedFiles_.count(NormalisedFolder(path)) != 0;
}

bool TraceSearch::fileNameReferencedByOther(const std::string& fileName) const {
  return referencedNames_.count(sys::UpperCase(fileName)) != 0;
}

}  // namespace uninstall
