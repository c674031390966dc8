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

// Deletes `subKey` of `parent` and all keys below it in the view that `viewFlags`
// (KEY_WOW64_32KEY, KEY_WOW64_64KEY or 0) selects.
LONG DeleteKeyTree(HKEY parent, const std::string& subKey, REGSAM viewFlags);

// "HKEY_CURRENT_USER" and friends, for messages and registry files.
std::string RootKeyName(HKEY root);

}  // namespace sys
