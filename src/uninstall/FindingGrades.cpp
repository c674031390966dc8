#include "uninstall/FindingGrades.h"

#include <algorithm>
#include <map>

#include "sys/BackupFiles.h"
#include "uninstall/Ownership.h"

namespace uninstall {
namespace {

std::string Extension(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? std::string() : sys::UpperCase(fileName.substr(dot + 1));
}

bool OneOf(const std::string& extension, std::initializer_list<const char*> list) {
  return std::any_of(list.begin(), list.end(), [&](const char* e) { return extension == e; });
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What a node hands up to the folders above it.
struct Held {
  bool userData = false;
  bool othersExecutables = false;
  std::string owner;  // a program that claims something below
};

void AddOwner(Evidence& evidence, const std::string& owner) {
  AddReason(evidence, Reason::OwnedByOther);
  evidence.other = owner;
}

Held GradeNode(FileEntry& node, const std::vector<Reason>& above, bool aboveInInstall,
               const std::string& ownerAbove, const TraceSearch& search) {
  Evidence& evidence = node.evidence;
  if (evidence.reasons.empty())
    for (Reason reason : above)
      // What the node holds speaks for itself; where it lies is the folder's.
      if (reason != Reason::UserData && reason != Reason::OthersExecutables &&
          reason != Reason::OwnedByOther)
        evidence.reasons.push_back(reason);
  const bool inInstall = aboveInInstall || search.liesInInstall(node.path);
  if (inInstall) AddReason(evidence, Reason::InInstallFolder);
  const std::string owner = !node.owner.empty() ? node.owner : ownerAbove;
  if (!owner.empty()) AddOwner(evidence, owner);

  Held held;
  const std::vector<Reason> mine = evidence.reasons;
  for (FileEntry& child : node.children) {
    const Held inner = GradeNode(child, mine, inInstall, owner, search);
    held.userData = held.userData || inner.userData;
    held.othersExecutables = held.othersExecutables || inner.othersExecutables;
    if (held.owner.empty()) held.owner = inner.owner;
  }
  if (!node.folder && !node.link) {
    const std::string name = FileNameOf(node.path);
    held.userData = held.userData || IsUserDocument(name, inInstall);
    held.othersExecutables =
        held.othersExecutables || (IsProgramFile(name) && search.referencedByOther(node.path));
  }
  if (held.userData) AddReason(evidence, Reason::UserData);
  if (held.othersExecutables) AddReason(evidence, Reason::OthersExecutables);
  if (owner.empty() && !held.owner.empty()) AddOwner(evidence, held.owner);
  Regrade(evidence);
  if (!owner.empty()) held.owner = owner;
  return held;
}

}  // namespace

bool IsUserDocument(const std::string& fileName, bool inInstallFolder) {
  const std::string extension = Extension(fileName);
  if (extension.empty()) return false;
  if (OneOf(extension, {"DOC",  "DOCX", "DOCM", "DOT", "DOTX", "XLS",   "XLSX",    "XLSM", "PPT",
                        "PPTX", "ODT",  "ODS",  "ODP", "ODG",  "PAGES", "NUMBERS", "KEY",  "JPG",
                        "JPEG", "HEIC", "HEIF", "RAW", "CR2",  "NEF",   "DNG",     "ARW",  "PSD",
                        "XCF",  "MP4",  "MOV",  "AVI", "MKV",  "WMV",   "M4A",     "FLAC", "MP3",
                        "WMA",  "EML",  "MSG",  "PST", "VCF",  "KDBX"}))
    return true;
  return !inInstallFolder &&
         OneOf(extension, {"TXT", "RTF", "PDF", "PNG", "GIF", "BMP", "TIF", "TIFF", "CSV", "MD",
                           "WAV", "ZIP", "7Z", "RAR", "EPUB", "SVG"});
}

bool IsProgramFile(const std::string& fileName) {
  return OneOf(Extension(fileName), {"EXE", "DLL", "COM", "SCR", "CPL", "OCX", "SYS", "DRV"});
}

std::vector<FoundKey> MergeFoundKeys(std::vector<FoundKey> keys) {
  std::vector<FoundKey> merged;
  std::map<std::string, size_t> index;
  for (FoundKey& key : keys) {
    const std::string name = !key.identity.empty() ? key.identity
                                                   : sys::UpperCase(key.text) + "|" +
                                                         std::to_string(static_cast<int>(key.view));
    const auto [at, added] = index.emplace(name, merged.size());
    if (added) {
      merged.push_back(std::move(key));
      continue;
    }
    FoundKey& first = merged[at->second];
    for (Reason reason : key.evidence.reasons) AddReason(first.evidence, reason);
    if (first.evidence.other.empty()) first.evidence.other = key.evidence.other;
    if (first.owner.empty()) first.owner = key.owner;
    if (!first.valuesOnly) continue;
    if (!key.valuesOnly) {
      // The whole key is the finding: it takes every value with it.
      first.values = std::move(key.values);
      first.valueNames = std::move(key.valueNames);
      first.valuesOnly = false;
      continue;
    }
    for (size_t i = 0; i < key.valueNames.size(); ++i) {
      if (std::find(first.valueNames.begin(), first.valueNames.end(), key.valueNames[i]) !=
          first.valueNames.end())
        continue;
      first.valueNames.push_back(key.valueNames[i]);
      first.values.push_back(key.values[i]);
    }
  }
  return merged;
}

void GradeKeys(std::vector<FoundKey>& keys, const TraceSearch& search) {
  for (FoundKey& key : keys) {
    // A value of a key that is not the program's says nothing of who owns the key.
    if (key.owner.empty() && !key.valuesOnly) key.owner = KeyOwner(key, search.others());
    if (!key.owner.empty()) AddOwner(key.evidence, key.owner);
    Regrade(key.evidence);
  }
}

void GradeFileTrees(std::vector<FileEntry>& trees, const TraceSearch& search) {
  for (FileEntry& tree : trees) GradeNode(tree, {}, false, std::string(), search);
}

}  // namespace uninstall
