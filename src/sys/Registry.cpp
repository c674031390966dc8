#include "sys/Registry.h"

#include <cstring>
#include <vector>

#include "sys/BackupFiles.h"
#include "sys/ProcAddress.h"
#include "sys/Process.h"
#include "sys/Text.h"

namespace sys {
namespace {

constexpr REGSAM kViewMask = KEY_WOW64_32KEY | KEY_WOW64_64KEY;
// Registry names are at most 255 characters for keys and 16383 for values, but a
// writer may have stored longer ones on some systems; the buffers grow to this.
constexpr DWORD kMaxNameChars = 1u << 16;

std::string ToString(std::string_view s) {
  return std::string(s);
}

// Reads the name at `index`, growing the buffer while the call answers ERROR_MORE_DATA.
// Returns the call's final code.
template <typename EnumFn>
LONG NameAt(DWORD index, std::wstring& buffer, DWORD& len, EnumFn enumAt) {
  for (;;) {
    len = static_cast<DWORD>(buffer.size());
    LONG rc = enumAt(index, buffer.data(), &len);
    if (rc != ERROR_MORE_DATA) return rc;
    if (buffer.size() >= kMaxNameChars) return rc;
    buffer.resize(buffer.size() * 2);
  }
}

template <typename EnumFn>
std::vector<std::string> EnumNames(LONG* error, EnumFn enumAt) {
  std::vector<std::string> names;
  std::wstring buffer(256, L'\0');
  if (error) *error = ERROR_SUCCESS;
  for (DWORD i = 0;; ++i) {
    DWORD len = 0;
    LONG rc = NameAt(i, buffer, len, enumAt);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) {
      if (error) *error = rc;
      break;
    }
    names.push_back(Narrow(std::wstring_view(buffer.data(), len)));
  }
  return names;
}

// A value name for the wide calls: "" is the default value (NULL).
struct ValueNameArg {
  explicit ValueNameArg(std::string_view name) : wide(Widen(name)) {}
  const wchar_t* get() const { return wide.empty() ? nullptr : wide.c_str(); }
  std::wstring wide;
};

std::string_view Trimmed(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

}  // namespace

REGSAM ViewFlags(RegView view) {
  switch (view) {
    case RegView::Wow32:
      return KEY_WOW64_32KEY;
    case RegView::Wow64:
      return KEY_WOW64_64KEY;
    default:
      return 0;
  }
}

std::vector<RegView> MachineSoftwareViews() {
  if (RunningUnderWow64()) return {RegView::Wow64, RegView::Wow32};
  return {RegView::Default};
}

std::string KeyObjectName(HKEY key) {
  // KEY_NAME_INFORMATION: a byte count, then the name without a terminator.
  using QueryKeyFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static const auto query = ProcAddress<QueryKeyFn>(LoadedModule("ntdll.dll"), "NtQueryKey");
  if (!query || !key) return std::string();
  constexpr int kKeyNameInformation = 3;
  std::vector<ULONG> buffer(512);
  for (int attempt = 0; attempt < 4; ++attempt) {
    ULONG needed = 0;
    const ULONG size = static_cast<ULONG>(buffer.size() * sizeof(ULONG));
    const LONG status = query(key, kKeyNameInformation, buffer.data(), size, &needed);
    if (status == 0) {
      const ULONG bytes = buffer[0];
      if (bytes > size - sizeof(ULONG)) return std::string();
      const auto* name = reinterpret_cast<const wchar_t*>(buffer.data() + 1);
      return Narrow(std::wstring_view(name, bytes / sizeof(wchar_t)));
    }
    if (needed <= size) return std::string();
    buffer.resize(needed / sizeof(ULONG) + 1);
  }
  return std::string();
}

std::string MachineKeyPath(HKEY key) {
  const std::string name = KeyObjectName(key);
  constexpr std::string_view kMachine = "\\REGISTRY\\MACHINE";
  if (name.size() < kMachine.size() || UpperCase(name.substr(0, kMachine.size())) != kMachine)
    return std::string();
  return "HKEY_LOCAL_MACHINE" + name.substr(kMachine.size());
}

// --- RegValue -------------------------------------------------------------------

std::string RegValue::text() const {
  std::wstring wide(data.size() / 2, L'\0');
  if (!wide.empty()) memcpy(wide.data(), data.data(), wide.size() * 2);
  if (auto nul = wide.find(L'\0'); nul != std::wstring::npos) wide.resize(nul);
  return Narrow(wide);
}

std::vector<std::string> RegValue::strings() const {
  std::wstring wide(data.size() / 2, L'\0');
  if (!wide.empty()) memcpy(wide.data(), data.data(), wide.size() * 2);
  std::vector<std::string> out;
  size_t start = 0;
  while (start < wide.size()) {
    size_t end = wide.find(L'\0', start);
    if (end == std::wstring::npos) end = wide.size();
    if (end == start) break;  // the list's closing empty string
    out.push_back(Narrow(std::wstring_view(wide).substr(start, end - start)));
    start = end + 1;
  }
  return out;
}

RegValue RegValue::FromText(std::string name, std::string_view text, DWORD type) {
  std::wstring wide = Widen(text);
  RegValue value;
  value.name = std::move(name);
  value.type = type;
  value.data.assign(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * 2);
  return value;
}

// --- enumerators over an open key ----------------------------------------------

std::vector<std::string> SubKeyNames(HKEY key, LONG* error) {
  return EnumNames(error, [key](DWORD i, wchar_t* name, DWORD* len) {
    return RegEnumKeyExW(key, i, name, len, nullptr, nullptr, nullptr, nullptr);
  });
}

std::vector<std::string> ValueNames(HKEY key, LONG* error) {
  return EnumNames(error, [key](DWORD i, wchar_t* name, DWORD* len) {
    return RegEnumValueW(key, i, name, len, nullptr, nullptr, nullptr, nullptr);
  });
}

std::optional<RegValue> ReadValue(HKEY key, std::string_view name, LONG* error) {
  ValueNameArg n(name);
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG rc = RegQueryValueExW(key, n.get(), nullptr, &type, nullptr, &size);
  // The value may grow between the calls; read until the buffer holds it.
  std::string data;
  for (int tries = 0; rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA; ++tries) {
    data.assign(size, '\0');
    DWORD got = size;
    rc = RegQueryValueExW(key, n.get(), nullptr, &type,
                          reinterpret_cast<BYTE*>(data.empty() ? nullptr : data.data()), &got);
    if (rc == ERROR_SUCCESS) {
      data.resize(got);
      if (error) *error = ERROR_SUCCESS;
      RegValue value;
      value.name = ToString(name);
      value.type = type;
      value.data = std::move(data);
      return value;
    }
    if (rc != ERROR_MORE_DATA || tries > 8) break;
    size = got > size ? got : size * 2 + 2;
  }
  if (error) *error = rc;
  return std::nullopt;
}

std::vector<RegValue> ReadValues(HKEY key, LONG* error) {
  LONG rc = ERROR_SUCCESS;
  std::vector<RegValue> values;
  for (std::string& name : ValueNames(key, &rc)) {
    LONG readRc = ERROR_SUCCESS;
    auto value = ReadValue(key, name, &readRc);
    if (!value) {
      // Deleted meanwhile: not an error. Anything else is.
      if (readRc != ERROR_FILE_NOT_FOUND && rc == ERROR_SUCCESS) rc = readRc;
      continue;
    }
    values.push_back(std::move(*value));
  }
  if (error) *error = rc;
  return values;
}

LONG WriteValue(HKEY key, const RegValue& value) {
  // The system counts a terminator into string data that lacks one when the character
  // after the data happens to be NUL (Windows and Wine alike); non-NUL padding behind
  // the data keeps what is stored exactly what was read, terminator or not.
  std::string padded = value.data;
  padded.append(4, '\xFF');
  ValueNameArg n(value.name);
  return RegSetValueExW(key, n.get(), 0, value.type, reinterpret_cast<const BYTE*>(padded.data()),
                        static_cast<DWORD>(value.data.size()));
}

// --- RegKey ----------------------------------------------------------------------

RegKey::RegKey(HKEY root, std::string path, RegView view)
    : root_(root), path_(ToString(Trimmed(path))), view_(view) {}

RegKey RegKey::child(std::string_view name) const {
  std::string_view rel = Trimmed(name);
  if (path_.empty()) return RegKey(root_, ToString(rel), view_);
  if (rel.empty()) return *this;
  return RegKey(root_, path_ + "\\" + ToString(rel), view_);
}

RegKey RegKey::parent() const {
  size_t pos = path_.rfind('\\');
  return RegKey(root_, pos == std::string::npos ? std::string() : path_.substr(0, pos), view_);
}

std::string RegKey::name() const {
  size_t pos = path_.rfind('\\');
  return pos == std::string::npos ? path_ : path_.substr(pos + 1);
}

LONG RegKey::open(REGSAM access, UniqueKey& out) const {
  return RegOpenKeyExW(root_, Widen(path_).c_str(), 0, access | ViewFlags(view_), out.put());
}

LONG RegKey::create(REGSAM access, UniqueKey& out) const {
  return RegCreateKeyExW(root_, Widen(path_).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         access | ViewFlags(view_), nullptr, out.put(), nullptr);
}

bool RegKey::exists() const {
  UniqueKey key;
  return open(KEY_QUERY_VALUE, key) == ERROR_SUCCESS;
}

std::optional<std::string> RegKey::readString(std::string_view name) const {
  auto value = readValue(name);
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return std::nullopt;
  return value->text();
}

std::optional<RegValue> RegKey::readValue(std::string_view name, LONG* error) const {
  UniqueKey key;
  LONG rc = open(KEY_QUERY_VALUE, key);
  if (rc != ERROR_SUCCESS) {
    if (error) *error = rc;
    return std::nullopt;
  }
  return ReadValue(key.get(), name, error);
}

std::vector<std::string> RegKey::subKeys(LONG* error) const {
  UniqueKey key;
  LONG rc = open(KEY_ENUMERATE_SUB_KEYS, key);
  if (rc != ERROR_SUCCESS) {
    if (error) *error = rc;
    return {};
  }
  return SubKeyNames(key.get(), error);
}

std::vector<RegValue> RegKey::values(LONG* error) const {
  UniqueKey key;
  LONG rc = open(KEY_QUERY_VALUE, key);
  if (rc != ERROR_SUCCESS) {
    if (error) *error = rc;
    return {};
  }
  return ReadValues(key.get(), error);
}

LONG RegKey::writeValue(const RegValue& value) const {
  UniqueKey key;
  LONG rc = create(KEY_SET_VALUE, key);
  if (rc != ERROR_SUCCESS) return rc;
  return WriteValue(key.get(), value);
}

LONG RegKey::writeString(std::string_view name, std::string_view text, DWORD type) const {
  return writeValue(RegValue::FromText(ToString(name), text, type));
}

LONG RegKey::deleteValue(std::string_view name) const {
  UniqueKey key;
  LONG rc = open(KEY_SET_VALUE, key);
  if (rc != ERROR_SUCCESS) return rc;
  ValueNameArg n(name);
  return RegDeleteValueW(key.get(), n.get());
}

LONG RegKey::deleteTree() const {
  if (path_.empty()) return ERROR_INVALID_PARAMETER;  // never a whole root
  RegKey up = parent();
  UniqueKey parentKey;
  HKEY base = root_;
  if (!up.path().empty()) {
    LONG rc = up.open(KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, parentKey);
    if (rc != ERROR_SUCCESS) return rc;
    base = parentKey.get();
  }
  return DeleteKeyTree(base, name(), ViewFlags(view_));
}

// --- Registry (the stateful object) ------------------------------------------------

Registry::Registry(HKEY root, REGSAM access) : root_(root), access_(access) {}

void Registry::setRoot(HKEY root) {
  closeKey();
  root_ = root;
}

std::string_view Registry::trimmed(std::string_view path) {
  return Trimmed(path);
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
  std::wstring rel = Widen(trimmed(path));
  HKEY opened = nullptr;
  LONG rc;
  if (canCreate) {
    rc = RegCreateKeyExW(baseFor(path), rel.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                         nullptr, &opened, nullptr);
  } else {
    rc = RegOpenKeyExW(baseFor(path), rel.c_str(), 0, access_, &opened);
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
  std::wstring rel = Widen(trimmed(path));
  UniqueKey probe;
  lastError_ = RegOpenKeyExW(baseFor(path), rel.c_str(), 0, KEY_QUERY_VALUE | (access_ & kViewMask),
                             probe.put());
  return lastError_ == ERROR_SUCCESS;
}

bool Registry::valueExists(std::string_view name) const {
  ValueNameArg n(name);
  lastError_ = RegQueryValueExW(currentKey(), n.get(), nullptr, nullptr, nullptr, nullptr);
  return lastError_ == ERROR_SUCCESS;
}

DWORD Registry::valueType(std::string_view name) const {
  ValueNameArg n(name);
  DWORD type = REG_NONE;
  lastError_ = RegQueryValueExW(currentKey(), n.get(), nullptr, &type, nullptr, nullptr);
  return lastError_ == ERROR_SUCCESS ? type : REG_NONE;
}

std::optional<std::string> Registry::readString(std::string_view name) const {
  auto value = ReadValue(currentKey(), name, &lastError_);
  if (!value) return std::nullopt;
  if (value->type != REG_SZ && value->type != REG_EXPAND_SZ) {
    lastError_ = ERROR_INVALID_DATATYPE;
    return std::nullopt;
  }
  // Stored data need not be terminated; text() stops at the first NUL or the end.
  return value->text();
}

std::string Registry::readString(std::string_view name, std::string_view fallback) const {
  auto value = readString(name);
  return value ? *value : ToString(fallback);
}

bool Registry::writeString(std::string_view name, std::string_view value) {
  lastError_ = WriteValue(currentKey(), RegValue::FromText(ToString(name), value, REG_SZ));
  return lastError_ == ERROR_SUCCESS;
}

bool Registry::writeExpandString(std::string_view name, std::string_view value) {
  lastError_ = WriteValue(currentKey(), RegValue::FromText(ToString(name), value, REG_EXPAND_SZ));
  return lastError_ == ERROR_SUCCESS;
}

std::optional<DWORD> Registry::readDword(std::string_view name) const {
  ValueNameArg n(name);
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  lastError_ = RegQueryValueExW(currentKey(), n.get(), nullptr, &type,
                                reinterpret_cast<BYTE*>(&value), &size);
  if (lastError_ != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_DWORD || size != sizeof value) {
    lastError_ = ERROR_INVALID_DATATYPE;
    return std::nullopt;
  }
  return value;
}

bool Registry::writeDword(std::string_view name, DWORD value) {
  ValueNameArg n(name);
  lastError_ = RegSetValueExW(currentKey(), n.get(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&value), sizeof value);
  return lastError_ == ERROR_SUCCESS;
}

std::vector<std::string> Registry::keyNames() const {
  return SubKeyNames(currentKey(), &lastError_);
}

std::vector<std::string> Registry::valueNames() const {
  return ValueNames(currentKey(), &lastError_);
}

bool Registry::deleteValue(std::string_view name) {
  ValueNameArg n(name);
  lastError_ = RegDeleteValueW(currentKey(), n.get());
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
  std::wstring wide = Widen(subKey);
  UniqueKey key;
  LONG rc = RegOpenKeyExW(parent, wide.c_str(), 0,
                          KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE | viewFlags, key.put());
  if (rc != ERROR_SUCCESS) return rc;
  // Collect first: deleting while enumerating shifts the indexes.
  LONG enumRc = ERROR_SUCCESS;
  std::vector<std::string> children = SubKeyNames(key.get(), &enumRc);
  if (enumRc != ERROR_SUCCESS) return enumRc;
  for (const auto& child : children) {
    rc = DeleteKeyTree(key.get(), child, viewFlags);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return rc;
  }
  key.reset();
  return RegDeleteKeyExW(parent, wide.c_str(), viewFlags, 0);
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
