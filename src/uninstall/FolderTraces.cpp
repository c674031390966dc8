#include "uninstall/FolderTraces.h"

#include <shlobj.h>

#include "sys/FileOps.h"
#include "sys/Files.h"
#include "sys/KnownFolders.h"
#include "sys/Shell.h"
#include "uninstall/ProtectedFolders.h"

namespace uninstall {
namespace {

void AddRoot(std::vector<std::string>& roots, std::vector<std::string>& seen,
             const std::string& path) {
  if (path.empty() || !sys::DirectoryExists(path)) return;
  const std::string name = NormalisedFolder(path);
  for (const std::string& known : seen)
    if (known == name) return;
  seen.push_back(name);
  roots.push_back(sys::ExcludeTrailingBackslash(path));
}

// A folder the search lists, with everything in it.
FileEntry FolderFinding(const TraceSearch& search, const std::string& path, bool link) {
  FileEntry entry;
  entry.path = path;
  entry.folder = true;
  entry.link = link;
  if (!link) ScanFolder(path, entry, search.progress(), search.cancel());
  return entry;
}

// What the search may list of a folder in a root: nothing of an install folder (its
// own tree lists it) or of a protected folder.
bool Listable(const TraceSearch& search, const std::string& path) {
  if (IsProtectedFolder(path)) return false;
  for (const std::string& install : search.installFolders())
    if (SameOrInsideFolder(NormalisedFolder(path), NormalisedFolder(install))) return false;
  return true;
}

bool SearchVendorFolder(const TraceSearch& search, const std::string& vendor,
                        const std::string& vendorName, std::vector<FileEntry>& found) {
  const bool shared = search.vendorUsedByOthers(vendorName);
  std::vector<FileEntry> products;
  const std::vector<sys::FolderEntry> entries = sys::ListFolder(vendor);
  bool onlyProducts = !entries.empty();
  for (const sys::FolderEntry& entry : entries) {
    const std::string path = vendor + "\\" + entry.name;
    if (!search.examine(path)) return false;
    const NameMatch match = entry.isFolder() ? search.nameMatch(entry.name) : NameMatch::None;
    if (match == NameMatch::None || !Listable(search, path)) {
      onlyProducts = false;
      continue;
    }
    FileEntry product = FolderFinding(search, path, entry.isLink());
    AddReason(product.evidence, Reason::PublisherMatch);
    search.addNameReasons(product.evidence, entry.name);
    if (shared && match != NameMatch::Exact) AddReason(product.evidence, Reason::SharedVendor);
    products.push_back(std::move(product));
    if (search.stopped()) break;
  }
  if (onlyProducts && !shared && Listable(search, vendor)) {
    FileEntry holder;
    holder.path = vendor;
    holder.folder = true;
    AddReason(holder.evidence, Reason::PublisherMatch);
    AddReason(holder.evidence, Reason::NoNameMatch);
    holder.children = std::move(products);
    found.push_back(std::move(holder));
  } else {
    for (FileEntry& product : products) found.push_back(std::move(product));
  }
  return !search.stopped();
}

}  // namespace

std::vector<std::string> DataFolderRoots() {
  std::vector<std::string> roots, seen;
  const std::string local = sys::SpecialFolderPath(CSIDL_LOCAL_APPDATA);
  AddRoot(roots, seen, sys::SpecialFolderPath(CSIDL_APPDATA));
  AddRoot(roots, seen, local);
  if (!local.empty()) AddRoot(roots, seen, sys::ExcludeTrailingBackslash(local) + "\\Programs");
  AddRoot(roots, seen, sys::KnownFolderPath(FOLDERID_LocalAppDataLow));
  if (const std::string profile = sys::SpecialFolderPath(CSIDL_PROFILE); !profile.empty())
    AddRoot(roots, seen, sys::ExcludeTrailingBackslash(profile) + "\\AppData\\LocalLow");
  AddRoot(roots, seen, sys::SpecialFolderPath(CSIDL_COMMON_APPDATA));
  return roots;
}

void FindDataFolders(const TraceSearch& search, std::vector<FileEntry>& found) {
  for (const std::string& root : DataFolderRoots()) {
    for (const sys::FolderEntry& entry : sys::ListFolder(root)) {
      if (!entry.isFolder()) continue;
      const std::string path = root + "\\" + entry.name;
      if (!search.examine(path)) return;
      const NameMatch match = search.nameMatch(entry.name);
      const bool publisher = search.isPublisher(entry.name);
      if (publisher && !(match == NameMatch::Exact && !search.vendorUsedByOthers(entry.name))) {
        // A link to a publisher's folder is never entered: what lies behind it is
        // somewhere else.
        if (!entry.isLink() && !SearchVendorFolder(search, path, entry.name, found)) return;
        continue;
      }
      if (match == NameMatch::None || !Listable(search, path)) continue;
      FileEntry product = FolderFinding(search, path, entry.isLink());
      if (publisher) AddReason(product.evidence, Reason::PublisherMatch);
      search.addNameReasons(product.evidence, entry.name);
      found.push_back(std::move(product));
      if (search.stopped()) return;
    }
  }
}

}  // namespace uninstall
