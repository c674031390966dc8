#include "uninstall/MsiTraces.h"

#include <algorithm>
#include <cctype>

#include "sys/BackupFiles.h"

namespace uninstall {
namespace {

constexpr char kMachineInstaller[] = "SOFTWARE\\Classes\\Installer";
constexpr char kUserInstaller[] = "SOFTWARE\\Microsoft\\Installer";
constexpr char kUserData[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData";

bool IsGuidText(std::string_view text) {
  static constexpr std::string_view kShape = "{########-####-####-####-############}";
  if (text.size() != kShape.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (kShape[i] == '#' ? !std::isxdigit(c) : c != static_cast<unsigned char>(kShape[i]))
      return false;
  }
  return true;
}

std::string ShownText(const sys::RegKey& key) {
  return sys::RootKeyName(key.root()) + "\\" + key.path();
}

class InstallerKeys {
 public:
  InstallerKeys(const TraceSearch& search, std::vector<FoundKey>& found, std::string packed)
      : search_(search), found_(found), packed_(std::move(packed)) {}

  // The product's own key below `parent`, when it is there.
  bool product(const sys::RegKey& parent) {
    const sys::RegKey key = parent.child(packed_);
    if (!search_.examine(ShownText(key))) return false;
    if (key.exists()) add(FoundKeyOf(key));
    return true;
  }

  // An upgrade code names its products by values; the key is the product's only when
  // they name nothing else.
  bool upgradeCodes(const sys::RegKey& upgradeCodes) {
    for (const std::string& code : upgradeCodes.subKeys()) {
      const sys::RegKey key = upgradeCodes.child(code);
      if (!search_.examine(ShownText(key))) return false;
      const std::vector<sys::RegValue> values = key.values();
      const auto named = std::find_if(values.begin(), values.end(), [&](const sys::RegValue& v) {
        return sys::UpperCase(v.name) == packed_;
      });
      if (named == values.end()) continue;
      if (values.size() == 1 && key.subKeys().empty())
        add(FoundKeyOf(key));
      else
        add(FoundValuesOf(key, {named->name}));
    }
    return true;
  }

 private:
  void add(FoundKey key) {
    AddReason(key.evidence, Reason::ProductCode);
    found_.push_back(std::move(key));
  }

  const TraceSearch& search_;
  std::vector<FoundKey>& found_;
  std::string packed_;
};

}  // namespace

std::string PackProductCode(std::string_view productCode) {
  if (!IsGuidText(productCode)) return std::string();
  std::string hex;
  for (char c : productCode)
    if (std::isxdigit(static_cast<unsigned char>(c)))
      hex += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string packed;
  // The first three groups as whole numbers, then the eight bytes of the last two.
  size_t at = 0;
  for (size_t length : {8, 4, 4, 2, 2, 2, 2, 2, 2, 2, 2}) {
    packed.append(hex.rbegin() + static_cast<std::ptrdiff_t>(hex.size() - at - length),
                  hex.rbegin() + static_cast<std::ptrdiff_t>(hex.size() - at));
    at += length;
  }
  return packed;
}

void FindInstallerKeys(const TraceSearch& search, std::vector<FoundKey>& found) {
  const std::string packed = PackProductCode(search.target().productCode);
  if (packed.empty()) return;
  InstallerKeys keys(search, found, packed);
  std::vector<sys::RegKey> areas = RegistryAreas(HKEY_LOCAL_MACHINE, kMachineInstaller);
  for (sys::RegKey& user : RegistryAreas(HKEY_CURRENT_USER, kUserInstaller))
    areas.push_back(std::move(user));
  for (const sys::RegKey& area : areas) {
    if (!keys.product(area.child("Products")) || !keys.product(area.child("Features")) ||
        !keys.upgradeCodes(area.child("UpgradeCodes")))
      return;
  }
  for (const sys::RegKey& userData : RegistryAreas(HKEY_LOCAL_MACHINE, kUserData))
    for (const std::string& account : userData.subKeys())
      if (!keys.product(userData.child(account).child("Products"))) return;
}

}  // namespace uninstall
