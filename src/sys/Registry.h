// The registry object the whole program uses: a root key, at most one open key,
// and the access rights that its next opens ask for.
//
// Paths follow one rule: a path that starts with "\" is taken from the root,
// any other path from the open key (or the root when no key is open).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sys/Handles.h"

namespace sys {

// Which registry view a key lives in. A 32-bit program on 64-bit Windows sees HKLM's
// software key in two views: the 32-bit one (WOW6432Node) and the native 64-bit one.
// On 32-bit Windows both flags are ignored and every view is the one registry.
enum class RegView { Default, Wow32, Wow64 };
REGSAM ViewFlags(RegView view);

// The views of HKLM's software key that hold different keys: both on 64-bit Windows
// (native first), the one registry otherwise.
std::vector<RegView> MachineSoftwareViews();

// The name the system gives an open key's object
// ("\REGISTRY\MACHINE\SOFTWARE\WOW6432Node\Vendor"), which names one key whatever
// view or spelling opened it; "" when the system does not say.
std::string KeyObjectName(HKEY key);
// KeyObjectName as a registry path: "HKEY_LOCAL_MACHINE\..." for machine keys, ""
// for anything else (per-user keys are named by the user's SID there).
std::string MachineKeyPath(HKEY key);

class Registry {
 public:
  explicit Registry(HKEY root = HKEY_CURRENT_USER, REGSAM access = KEY_ALL_ACCESS);
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;
  Registry(Registry&&) noexcept = default;
  Registry& operator=(Registry&&) noexcept = default;

  HKEY root() const { return root_; }
  // Closes the open key and starts over from another root.
  void setRoot(HKEY root);
  REGSAM access() const { return access_; }
  void setView(RegView view) {
    access_ = (access_ & ~(KEY_WOW64_32KEY | KEY_WOW64_64KEY)) | ViewFlags(view);
  }
  // Rights for the next opens, e.g. KEY_READ for a reader, with KEY_WOW64_64KEY or
  // KEY_WOW64_32KEY to pick a registry view.
  void setAccess(REGSAM access) { access_ = access; }

  // Opens `path` (creating missing keys when `canCreate`) and makes it the open key.
  // On failure the previously open key stays open and lastError() says why.
  bool openKey(std::string_view path, bool canCreate);
  bool openKeyReadOnly(std::string_view path);
  void closeKey();
  bool hasOpenKey() const { return static_cast<bool>(key_); }
  HKEY currentKey() const { return key_ ? key_.get() : root_; }
  // Path of the open key below the root, without a leading backslash.
  const std::string& currentPath() const { return path_; }

  bool keyExists(std::string_view path) const;
  bool valueExists(std::string_view name) const;

  // String values (REG_SZ and REG_EXPAND_SZ, unexpanded). Other types read as nullopt.
  std::optional<std::string> readString(std::string_view name) const;
  std::string readString(std::string_view name, std::string_view fallback) const;
  bool writeString(std::string_view name, std::string_view value);
  bool writeExpandString(std::string_view name, std::string_view value);
  std::optional<DWORD> readDword(std::string_view name) const;
  bool writeDword(std::string_view name, DWORD value);
  // The type of a value, or REG_NONE with lastError() set when it does not exist.
  DWORD valueType(std::string_view name) const;

  std::vector<std::string> keyNames() const;
  std::vector<std::string> valueNames() const;

  bool deleteValue(std::string_view name);
  // Deletes `path` with everything below it. The open key itself cannot be deleted.
  bool deleteKey(std::string_view path);

  LONG lastError() const { return lastError_; }

 private:
  HKEY baseFor(std::string_view path) const;
  static std::string_view trimmed(std::string_view path);
  std::string joined(std::string_view path) const;

  HKEY root_;
  REGSAM access_;
  UniqueKey key_;
  std::string path_;
  mutable LONG lastError_ = ERROR_SUCCESS;
};

// One value exactly as stored: its name, type and raw bytes (strings as UTF-16LE,
// with whatever terminator the writer stored).
struct RegValue {
  std::string name;  // "" is the key's default value
  DWORD type = REG_NONE;
  std::string data;

  // REG_SZ / REG_EXPAND_SZ data as text, up to the first NUL.
  std::string text() const;
  // REG_MULTI_SZ data as its strings.
  std::vector<std::string> strings() const;
  static RegValue FromText(std::string name, std::string_view text, DWORD type = REG_SZ);
};

// The names of the sub-keys and the values of an open key. Both grow their buffers on
// ERROR_MORE_DATA, so that no long name is skipped or cut, and stop at the end of the
// enumeration; `error`, when given, receives the first failure other than the end.
std::vector<std::string> SubKeyNames(HKEY key, LONG* error = nullptr);
std::vector<std::string> ValueNames(HKEY key, LONG* error = nullptr);
// Every value with its data.
std::vector<RegValue> ReadValues(HKEY key, LONG* error = nullptr);
// One value with its data; nullopt (and `error`) when it cannot be read.
std::optional<RegValue> ReadValue(HKEY key, std::string_view name, LONG* error = nullptr);
LONG WriteValue(HKEY key, const RegValue& value);

// A registry key by name: root, path below it and view. Holds no handle; each call
// opens what it needs and closes it again.
class RegKey {
 public:
  RegKey() = default;
  RegKey(HKEY root, std::string path, RegView view = RegView::Default);

  HKEY root() const { return root_; }
  const std::string& path() const { return path_; }
  RegView view() const { return view_; }
  // "\"-joined child, in the same view.
  RegKey child(std::string_view name) const;
  // The key above; the root's own key has none (path stays "").
  RegKey parent() const;
  // Last path element ("" for the root).
  std::string name() const;

  LONG open(REGSAM access, UniqueKey& out) const;
  LONG create(REGSAM access, UniqueKey& out) const;
  bool exists() const;

  std::optional<std::string> readString(std::string_view name) const;
  std::optional<RegValue> readValue(std::string_view name, LONG* error = nullptr) const;
  std::vector<std::string> subKeys(LONG* error = nullptr) const;
  std::vector<RegValue> values(LONG* error = nullptr) const;
  // Writes creating the key when missing.
  LONG writeValue(const RegValue& value) const;
  LONG writeString(std::string_view name, std::string_view text, DWORD type = REG_SZ) const;
  LONG deleteValue(std::string_view name) const;
  // Deletes this key with everything below it.
  LONG deleteTree() const;

 private:
  HKEY root_ = nullptr;
  std::string path_;
  RegView view_ = RegView::Default;
};

// Deletes `subKey` of `parent` and all keys below it in the view that `viewFlags`
// (KEY_WOW64_32KEY, KEY_WOW64_64KEY or 0) selects.
LONG DeleteKeyTree(HKEY parent, const std::string& subKey, REGSAM viewFlags);

// "HKEY_CURRENT_USER" and friends, for messages and registry files.
std::string RootKeyName(HKEY root);

}  // namespace sys
