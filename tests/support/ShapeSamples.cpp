#include "support/ShapeSamples.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "support/Samples.h"
#include "sys/BackupFiles.h"
#include "sys/FileOps.h"
#include "sys/Files.h"

namespace testing_support {
namespace {

std::string ShapesCommand(const char* action, const std::string& id, const std::string& manifest) {
  return "\"" + FixturesDir() + "SampleShapes.exe\" " + action + " /shape=" + id +
         " \"/manifest=" + manifest + "\"";
}

std::string ContentOf(const std::string& path, DWORD attributes) {
  std::string bytes;
  sys::ReadFileBytes(path, bytes);
  unsigned long long hash = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  char text[80];
  std::snprintf(text, sizeof text, "file %lx %u %016llx", attributes,
                static_cast<unsigned>(bytes.size()), hash);
  return text;
}

void Collect(const std::string& folder, std::map<std::string, std::string>& out) {
  for (const sys::FolderEntry& entry : sys::ListFolder(folder)) {
    const std::string path = folder + "\\" + entry.name;
    if (entry.isFolder()) {
      out[path] = entry.isLink() ? "link" : "folder";
      if (!entry.isLink()) Collect(path, out);
    } else {
      out[path] = ContentOf(path, entry.attributes);
    }
  }
}

bool AtOrBelow(const std::string& name, const std::string& top) {
  return name.size() >= top.size() && name.compare(0, top.size(), top) == 0 &&
         (name.size() == top.size() || name[top.size()] == '\\');
}

}  // namespace

InstalledShape::InstalledShape(std::string id)
    : id_(std::move(id)), manifestPath_(dir_.file("manifest.txt")) {
  RunProcess(ShapesCommand("/remove", id_, manifestPath_));
  const ProcessRun run = RunProcess(ShapesCommand("/S", id_, manifestPath_));
  std::optional<shapes::Manifest> manifest = shapes::ReadManifest(manifestPath_);
  if (!run.started || !run.finished || run.exitCode != 0 || !manifest) {
    remove();
    throw std::runtime_error("SampleShapes /S /shape=" + id_ + " failed (exit " +
                             std::to_string(run.exitCode) + "): " + run.errors);
  }
  manifest_ = std::move(*manifest);
}

InstalledShape::~InstalledShape() {
  if (!removed_) remove();
}

std::string InstalledShape::remove() {
  removed_ = true;
  const ProcessRun run = RunProcess(ShapesCommand("/remove", id_, manifestPath_));
  if (!run.started || !run.finished) return "SampleShapes /remove did not run";
  return run.exitCode == 0 ? std::string() : run.errors;
}

std::map<std::string, std::string> DiskContents(const std::vector<std::string>& folders) {
  std::map<std::string, std::string> out;
  for (const std::string& folder : folders) {
    if (!sys::PathExists(folder)) continue;
    out[folder] = "folder";
    Collect(folder, out);
  }
  return out;
}

std::string KeyIdentityOf(HKEY root, sys::RegView view, const std::string& path) {
  sys::UniqueKey key;
  if (sys::RegKey(root, path, view).open(KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return {};
  if (root == HKEY_LOCAL_MACHINE) return sys::UpperCase(sys::MachineKeyPath(key.get()));
  return "HKEY_CURRENT_USER\\" + sys::UpperCase(path);
}

std::vector<std::string> SnapshotPrefixesOf(HKEY root, sys::RegView view, const std::string& path) {
  if (root == HKEY_CURRENT_USER) return {"HKEY_CURRENT_USER\\" + sys::UpperCase(path)};
  const std::string name = KeyIdentityOf(root, view, path);
  const std::string machine = "HKEY_LOCAL_MACHINE\\SOFTWARE\\";
  const std::string wow = machine + "WOW6432NODE\\";
  std::vector<std::string> out;
  if (name.rfind(wow, 0) == 0) {
    const std::string rest = "SOFTWARE\\" + name.substr(wow.size());
    out.push_back("HKLM32\\" + rest);
    if (KeyIdentityOf(root, sys::RegView::Wow64, rest) == name) out.push_back("HKLM64\\" + rest);
  } else if (name.rfind(machine, 0) == 0) {
    const std::string rest = "SOFTWARE\\" + name.substr(machine.size());
    out.push_back("HKLM64\\" + rest);
    if (KeyIdentityOf(root, sys::RegView::Wow32, rest) == name) out.push_back("HKLM32\\" + rest);
  }
  return out;
}

bool LineBelongsTo(const std::string& upperLine, const std::vector<std::string>& prefixes,
                   const std::string* upperValueName) {
  for (const std::string& p : prefixes) {
    if (upperValueName) {
      if (upperLine.rfind(p + "\\" + *upperValueName + "=", 0) == 0) return true;
    } else if (AtOrBelow(upperLine.substr(0, upperLine.find('=')), p)) {
      return true;
    }
  }
  return false;
}

}  // namespace testing_support
