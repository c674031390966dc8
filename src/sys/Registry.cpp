#include "sys/Registry.h"

#include <vector>

namespace sys {
namespace {

constexpr REGSAM kViewMask = KEY_WOW64_32KEY | KEY_WOW64_64KEY;

std::string ToString(std::string_view s) {
  return std::string(s);
}

// Names by index until the enumeration ends; a name that grew since the size was
// queried is read again with a larger buffer.
template <typename EnumFn>
std::vector<std::string> EnumNames(DWORD maxLen, EnumFn enumAt) {
  std::vector<std::string> names;
  std::vector<char> buffer(maxLen + 2);
  for (DWORD i = 0;;) {
    DWORD len = buffer.size();
    LONG rc = enumAt(i, buffer.data(), &len);
    if (rc == ERROR_MORE_DATA && buffer.size() < 65536) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), len);
    ++i;
  }
  return names;
}

}  // namespace

Registry::Registry(HKEY root, REGSAM access) : root_(root), access_(access) {}

void Registry::setRoot(HKEY root) {
  closeKey();
  root_ = root;
}

std::string_view Registry::trimmed(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

HKEY Registry::baseFor(std::string_view path) const {
  if (!path.empty() && path.front() == '\\') return root_;
  return currentKey();
}

std::string Registry::joined(std::string_view path) const {
  std::string_view rel = trimmed(path);
  if (!path.empty() && path.front() == '\\') return ToString(rel);
  if (path_.empty()) return ToString(rel);
  if (rel.empty()) return path_;
  return path_ + "\\" + ToString(rel);
}

bool Registry::openKey(std::string_view path, bool canCreate) {
  std::string rel = ToString(trimmed(path));
  HKEY opened = nullptr;
  LONG rc;
  if (canCreate) {
    rc = RegCreateKeyExA(baseFor(path), rel.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                         nullptr, &opened, nullptr);
  } else {
    rc = RegOpenKeyExA(baseFor(path), rel.c_str(), 0, access_, &opened);
  }
  lastError_ = rc;
  if (rc != ERROR_SUCCESS) return false;
  std::string full = joined(path);
  key_.reset(opened);
  path_ = std::move(full);
  return true;
}

bool Registry::openKeyReadOnly(std::string_view path) {
  REGSAM saved = access_;
  access_ = KEY_READ | (saved & kViewMask);
  bool ok = openKey(path, false);
  access_ = saved;
  return ok;
}

void Registry::closeKey() {
  key_.reset();
  path_.clear();
}

bool Registry::keyExists(std::string_view path) const {
  std::string rel = ToString(trimmed(path));
  UniqueKey probe;
  lastError_ = RegOpenKeyExA(baseFor(path), rel.c_str(), 0, KEY_QUERY_VALUE | (access_ & kViewMask),
                             probe.put());
  return lastError_ == ERROR_SUCCESS;
}

bool Registry::valueExists(std::string_view name) const {
  std::string n = ToString(name);
  lastError_ = RegQueryValueExA(currentKey(), n.c_str(), nullptr, nullptr, nullptr, nullptr);
  return lastError_ == ERROR_SUCCESS;
}

DWORD Registry::valueType(std::string_view name) const {
  std::string n = ToString(name);
  DWORD type = REG_NONE;
  lastError_ = RegQueryValueExA(currentKey(), n.c_str(), nullptr, &type, nullptr, nullptr);
  return lastError_ == ERROR_SUCCESS ? type : REG_NONE;
}

std::optional<std::string> Registry::readString(std::string_view name) const {
  std::string n = ToString(name);
  DWORD type = 0;
  DWORD size = 0;
  lastError_ = RegQueryValueExA(currentKey(), n.c_str(), nullptr, &type, nullptr, &size);
  if (lastError_ != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    lastError_ = ERROR_INVALID_DATATYPE;
    return std::nullopt;
  }
  // The value may grow between the two calls; retry until the buffer holds it.
  std::vector<char> buffer;
  for (;;) {
    buffer.assign(size + 2, '\0');
    DWORD got = size;
    lastError_ = RegQueryValueExA(currentKey(), n.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (lastError_ == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (lastError_ != ERROR_SUCCESS) return std::nullopt;
    // Stored data need not be terminated; stop at the first NUL or the data's end.
    std::string value(buffer.data(), got);
    if (auto nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
    return value;
  }
}

std::string Registry::readString(std::string_view name, std::string_view fallback) const {
  auto value = readString(name);
  return value ? *value : ToString(fallback);
}

bool Registry::writeString(std::string_view name, std::string_view value) {
  std::string n = ToString(name);
  std::string v = ToString(value);
  lastError_ = RegSetValueExA(currentKey(), n.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(v.c_str()), v.size() + 1);
  return lastError_ == ERROR_SUCCESS;
}

bool Registry::writeExpandString(std::string_view name, std::string_view value) {
  std::string n = ToString(name);
  std::string v = ToString(value);
  lastError_ = RegSetValueExA(currentKey(), n.c_str(), 0, REG_EXPAND_SZ,
                              reinterpret_cast<const BYTE*>(v.c_str()), v.size() + 1);
  return lastError_ == ERROR_SUCCESS;
}

std::optional<DWORD> Registry::readDword(std::string_view name) const {
  std::string n = ToString(name);
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  lastError_ = RegQueryValueExA(currentKey(), n.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(&value), &size);
  if (lastError_ != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_DWORD || size != sizeof value) {
    lastError_ = ERROR_INVALID_DATATYPE;
    return std::nullopt;
  }
  return value;
}

bool Registry::writeDword(std::string_view name, DWORD value) {
  std::string n = ToString(name);
  lastError_ = RegSetValueExA(currentKey(), n.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&value), sizeof value);
  return lastError_ == ERROR_SUCCESS;
}

std::vector<std::string> Registry::keyNames() const {
  DWORD maxLen = 0;
  lastError_ = RegQueryInfoKeyA(currentKey(), nullptr, nullptr, nullptr, nullptr, &maxLen, nullptr,
                                nullptr, nullptr, nullptr, nullptr, nullptr);
  if (lastError_ != ERROR_SUCCESS) return {};
  return EnumNames(maxLen, [this](DWORD i, char* name, DWORD* len) {
    return RegEnumKeyExA(currentKey(), i, name, len, nullptr, nullptr, nullptr, nullptr);
  });
}

std::vector<std::string> Registry::valueNames() const {
  DWORD maxLen = 0;
  lastError_ = RegQueryInfoKeyA(currentKey(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, &maxLen, nullptr, nullptr, nullptr);
  if (lastError_ != ERROR_SUCCESS) return {};
  return EnumNames(maxLen, [this](DWORD i, char* name, DWORD* len) {
    return RegEnumValueA(currentKey(), i, name, len, nullptr, nullptr, nullptr, nullptr);
  });
}

bool Registry::deleteValue(std::string_view name) {
  std::string n = ToString(name);
  lastError_ = RegDeleteValueA(currentKey(), n.c_str());
  return lastError_ == ERROR_SUCCESS;
}

bool Registry::deleteKey(std::string_view path) {
  std::string rel = ToString(trimmed(path));
  if (rel.empty()) {  // would be the root or the open key itself
    lastError_ = ERROR_INVALID_PARAMETER;
    return false;
  }
  lastError_ = DeleteKeyTree(baseFor(path), rel, access_ & kViewMask);
  return lastError_ == ERROR_SUCCESS;
}

LONG DeleteKeyTree(HKEY parent, const std::string& subKey, REGSAM viewFlags) {
  UniqueKey key;
  LONG rc = RegOpenKeyExA(parent, subKey.c_str(), 0,
                          KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE | viewFlags, key.put());
  if (rc != ERROR_SUCCESS) return rc;
  // Collect first: deleting while enumerating shifts the indexes.
  std::vector<std::string> children;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumKeyExA(key.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    children.emplace_back(name, len);
  }
  for (const auto& child : children) {
    rc = DeleteKeyTree(key.get(), child, viewFlags);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return rc;
  }
  key.reset();
  return RegDeleteKeyExA(parent, subKey.c_str(), viewFlags, 0);
}

std::string RootKeyName(HKEY root) {
  if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (root == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (root == HKEY_USERS) return "HKEY_USERS";
  if (root == HKEY_CURRENT_CONFIG) return "HKEY_CURRENT_CONFIG";
  return std::string();
}

}  // namespace sys
