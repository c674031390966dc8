#include "uninstall/RegistryTraces.h"

#include <algorithm>
#include <set>

#include "sys/BackupFiles.h"
#include "sys/FileOps.h"
#include "uninstall/InstallFolder.h"

namespace uninstall {
namespace {

constexpr char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

std::string ShownText(const sys::RegKey& key) {
  return sys::RootKeyName(key.root()) + "\\" + key.path();
}

std::vector<sys::RegKey> UserAndMachineAreas(const std::string& path) {
  std::vector<sys::RegKey> areas = RegistryAreas(HKEY_CURRENT_USER, path);
  for (sys::RegKey& machine : RegistryAreas(HKEY_LOCAL_MACHINE, path))
    areas.push_back(std::move(machine));
  return areas;
}

bool IsText(const sys::RegValue& value) {
  return value.type == REG_SZ || value.type == REG_EXPAND_SZ;
}

std::string DefaultText(const sys::RegKey& key) {
  const std::optional<sys::RegValue> value = key.readValue("");
  return value && IsText(*value) ? value->text() : std::string();
}

FoundKey Finding(const sys::RegKey& key, std::initializer_list<Reason> reasons) {
  FoundKey found = FoundKeyOf(key);
  for (Reason reason : reasons) AddReason(found.evidence, reason);
  return found;
}

// A publisher's key: the program's keys in it, and the key itself when it is the
// program's alone.
bool SearchVendorKey(const TraceSearch& search, const sys::RegKey& vendor,
                     std::vector<FoundKey>& found) {
  const bool shared = search.vendorUsedByOthers(vendor.name());
  const std::vector<std::string> subKeys = vendor.subKeys();
  std::vector<FoundKey> products;
  bool onlyProducts = !subKeys.empty();
  for (const std::string& sub : subKeys) {
    const sys::RegKey key = vendor.child(sub);
    if (!search.examine(ShownText(key))) return false;
    const NameMatch match = search.nameMatch(sub);
    if (match == NameMatch::None) {
      onlyProducts = false;
      continue;
    }
    FoundKey product = Finding(key, {Reason::PublisherMatch});
    search.addNameReasons(product.evidence, sub);
    if (shared && match != NameMatch::Exact) AddReason(product.evidence, Reason::SharedVendor);
    products.push_back(std::move(product));
  }
  if (onlyProducts && !shared)
    found.push_back(Finding(vendor, {Reason::PublisherMatch, Reason::NoNameMatch}));
  for (FoundKey& product : products) found.push_back(std::move(product));
  return true;
}

// `key`\shell\open\command leads into the install folder: that command, else "".
std::string OpenCommandIntoInstall(const TraceSearch& search, const sys::RegKey& key) {
  std::string command = DefaultText(key.child("shell\\open\\command"));
  return !command.empty() && search.commandLeadsIn(command) ? command : std::string();
}

// A finding that points into the install folder; `claimant` is the other program that
// claims the folder it points at, if any, whose key it is then as well.
FoundKey PointerFinding(FoundKey key, const std::string& claimant) {
  AddReason(key.evidence, Reason::PointsIntoInstall);
  if (key.owner.empty()) key.owner = claimant;
  return key;
}

// Keys of the classes root that are no file types, and far too big to look through.
bool IsClassesInfrastructure(const std::string& name) {
  static constexpr const char* kNames[] = {"CLSID",
                                           "INTERFACE",
                                           "TYPELIB",
                                           "APPID",
                                           "INSTALLER",
                                           "APPLICATIONS",
                                           "MIME",
                                           "WOW6432NODE",
                                           "RECORD",
                                           "COMPONENT CATEGORIES",
                                           "DIRECTSHOW",
                                           "MEDIA TYPE",
                                           "MEDIAFOUNDATION",
                                           "PROTOCOLS",
                                           "SYSTEMFILEASSOCIATIONS",
                                           "LOCAL SETTINGS",
                                           "EXTENSIONS",
                                           "ACTIVATABLECLASSES",
                                           "PACKAGEDCOM"};
  const std::string upper = sys::UpperCase(name);
  return std::any_of(std::begin(kNames), std::end(kNames),
                     [&](const char* known) { return upper == known; });
}

// The extensions that name one of the program's file types (`types`, upper case): the
// whole key when nothing else is in it, else only the values that name them (its
// default value, and those of its OpenWithProgids).
bool SearchExtensions(const TraceSearch& search, const sys::RegKey& classes,
                      const std::vector<std::string>& names, const std::set<std::string>& types,
                      std::vector<FoundKey>& found) {
  auto named = [&types](const std::string& type) { return types.count(sys::UpperCase(type)) != 0; };
  for (const std::string& name : names) {
    if (name.size() < 2 || name[0] != '.') continue;
    const sys::RegKey key = classes.child(name);
    if (!search.examine(ShownText(key))) return false;
    bool defaultOurs = false, onlyOurs = true;
    for (const sys::RegValue& value : key.values()) {
      if (value.name.empty() && IsText(value) && named(value.text()))
        defaultOurs = true;
      else if (!sys::SameTextIgnoringCase(value.name, "Content Type") &&
               !sys::SameTextIgnoringCase(value.name, "PerceivedType"))
        onlyOurs = false;
    }
    const sys::RegKey openWith = key.child("OpenWithProgids");
    std::vector<std::string> openWithOurs;
    for (const std::string& sub : key.subKeys()) {
      if (!sys::SameTextIgnoringCase(sub, "OpenWithProgids")) {
        onlyOurs = false;
        continue;
      }
      if (!openWith.subKeys().empty()) onlyOurs = false;
      for (const sys::RegValue& value : openWith.values()) {
        if (named(value.name))
          openWithOurs.push_back(value.name);
        else
          onlyOurs = false;
      }
    }
    if (!defaultOurs && openWithOurs.empty()) continue;
    if (onlyOurs) {
      found.push_back(PointerFinding(FoundKeyOf(key), std::string()));
      continue;
    }
    if (defaultOurs) found.push_back(PointerFinding(FoundValuesOf(key, {""}), std::string()));
    if (!openWithOurs.empty())
      found.push_back(PointerFinding(FoundValuesOf(openWith, openWithOurs), std::string()));
  }
  return true;
}

}  // namespace

void FindSettingsKeys(const TraceSearch& search, std::vector<FoundKey>& found) {
  for (const sys::RegKey& software : UserAndMachineAreas("SOFTWARE")) {
    for (const std::string& sub : software.subKeys()) {
      const std::string upper = sys::UpperCase(sub);
      // The 32-bit view has a walk of its own; classes are searched by what they open.
      if (upper == "WOW6432NODE" || upper == "CLASSES") continue;
      const sys::RegKey key = software.child(sub);
      if (!search.examine(ShownText(key))) return;
      const NameMatch match = search.nameMatch(sub);
      const bool publisher = search.isPublisher(sub);
      // A product named as its publisher has its settings right there, unless the
      // publisher's other programs keep theirs in it too.
      if (publisher && !(match == NameMatch::Exact && !search.vendorUsedByOthers(sub))) {
        if (!SearchVendorKey(search, key, found)) return;
        continue;
      }
      if (match == NameMatch::None) continue;
      FoundKey product = FoundKeyOf(key);
      if (publisher) AddReason(product.evidence, Reason::PublisherMatch);
      search.addNameReasons(product.evidence, sub);
      found.push_back(std::move(product));
    }
  }
}

void FindLaunchKeys(const TraceSearch& search, std::vector<FoundKey>& found) {
  if (search.installFolders().empty()) return;
  for (const sys::RegKey& appPaths :
       UserAndMachineAreas(std::string(kCurrentVersion) + "\\App Paths")) {
    for (const std::string& sub : appPaths.subKeys()) {
      const sys::RegKey key = appPaths.child(sub);
      if (!search.examine(ShownText(key))) return;
      const std::string program = DefaultText(key);
      const std::string path = NormaliseInstallFolder(key.readString("Path").value_or(""));
      if (!program.empty() && search.commandLeadsIn(program))
        found.push_back(PointerFinding(FoundKeyOf(key), search.commandClaimant(program)));
      else if (!path.empty() && search.liesInInstall(path))
        found.push_back(PointerFinding(FoundKeyOf(key), search.claimantOf(path)));
    }
  }
  for (const char* name : {"Run", "RunOnce"}) {
    for (const sys::RegKey& run : UserAndMachineAreas(std::string(kCurrentVersion) + "\\" + name)) {
      std::vector<std::string> ours;
      std::string owner;
      for (const sys::RegValue& value : run.values()) {
        if (!search.examine(ShownText(run) + "\\" + value.name)) return;
        if (!IsText(value) || !search.commandLeadsIn(value.text())) continue;
        ours.push_back(value.name);
        if (owner.empty()) owner = search.commandClaimant(value.text());
      }
      if (ours.empty()) continue;
      FoundKey values = FoundValuesOf(run, ours);
      values.owner = owner;
      AddReason(values.evidence, Reason::PointsIntoInstall);
      found.push_back(std::move(values));
    }
  }
}

void FindClassKeys(const TraceSearch& search, std::vector<FoundKey>& found) {
  const std::vector<std::string>& executables = search.target().executables;
  const bool haveFolder = !search.installFolders().empty();
  if (executables.empty() && !haveFolder) return;
  for (const sys::RegKey& classes : UserAndMachineAreas("SOFTWARE\\Classes")) {
    const sys::RegKey applications = classes.child("Applications");
    for (const std::string& sub : applications.subKeys()) {
      const sys::RegKey key = applications.child(sub);
      if (!search.examine(ShownText(key))) return;
      const bool ownFile =
          std::any_of(executables.begin(), executables.end(),
                      [&](const std::string& e) { return sys::SameFileName(e, sub); });
      const std::string command = haveFolder ? OpenCommandIntoInstall(search, key) : "";
      if (!ownFile && command.empty()) continue;
      FoundKey application = FoundKeyOf(key);
      if (ownFile) AddReason(application.evidence, Reason::NameExact);
      if (!command.empty())
        application = PointerFinding(std::move(application), search.commandClaimant(command));
      if (search.fileNameReferencedByOther(sub))
        AddReason(application.evidence, Reason::OthersExecutables);
      found.push_back(std::move(application));
    }
    if (!haveFolder) continue;
    const std::vector<std::string> names = classes.subKeys();
    std::set<std::string> types;
    for (const std::string& sub : names) {
      // Extensions name a file type; the type holds the command.
      if (sub.empty() || sub[0] == '.' || sub[0] == '*' || IsClassesInfrastructure(sub)) continue;
      const sys::RegKey key = classes.child(sub);
      if (!search.examine(ShownText(key))) return;
      if (const std::string command = OpenCommandIntoInstall(search, key); !command.empty()) {
        found.push_back(PointerFinding(FoundKeyOf(key), search.commandClaimant(command)));
        types.insert(sys::UpperCase(sub));
      }
    }
    if (!types.empty() && !SearchExtensions(search, classes, names, types, found)) return;
  }
}

}  // namespace uninstall
