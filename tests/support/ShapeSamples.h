// Sample installations of the common installer shapes (tests/fixtures/shapes) for
// tests: laid down by SampleShapes.exe as a real installer would run, described by the
// manifest it writes, and taken away again however the test ends.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "fixtures/shapes/ShapeManifest.h"
#include "sys/Registry.h"
#include "support/Sandbox.h"

namespace testing_support {

// Lays the shape down when constructed (after taking away what an earlier, broken run
// may have left of it) and takes every trace of it away when destroyed. Throws
// std::runtime_error with the fixture's message when laying down fails.
class InstalledShape {
 public:
  explicit InstalledShape(std::string id);
  ~InstalledShape();
  InstalledShape(const InstalledShape&) = delete;
  InstalledShape& operator=(const InstalledShape&) = delete;

  const shapes::Manifest& manifest() const { return manifest_; }
  // Takes the shape away now; returns what the fixture said stayed ("" when nothing).
  std::string remove();

 private:
  std::string id_;
  TempDir dir_;
  std::string manifestPath_;
  shapes::Manifest manifest_;
  bool removed_ = false;
};

// Every file and folder in `folders` (and below them, links listed but not entered):
// full path -> "folder", or "file <attributes> <size> <hash of the bytes>".
std::map<std::string, std::string> DiskContents(const std::vector<std::string>& folders);

// One name for a key whatever view or spelling reaches it, in upper case: the system's
// name of the object for machine keys, "HKEY_CURRENT_USER\<path>" for the user's;
// "" when the key is not there.
std::string KeyIdentityOf(HKEY root, sys::RegView view, const std::string& path);
// Where SnapshotEveryView lists that key, in upper case: under each label whose view
// shows it (keys that both machine views share are listed under both).
std::vector<std::string> SnapshotPrefixesOf(HKEY root, sys::RegView view, const std::string& path);
// Whether a line of SnapshotEveryView, in upper case, belongs to the key at one of
// `prefixes` (the key, its values and everything below it) or, given an upper-case
// value name, to that value alone.
bool LineBelongsTo(const std::string& upperLine, const std::vector<std::string>& prefixes,
                   const std::string* upperValueName = nullptr);

}  // namespace testing_support
