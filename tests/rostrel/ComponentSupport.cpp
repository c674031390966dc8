#include "ComponentSupport.h"

#include <commctrl.h>
#include <shellapi.h>

#include <stdexcept>

#include "rostrel/core/Ids.h"
#include "support/BuiltComponent.h"
#include "support/Sandbox.h"
#include "sys/Files.h"
#include "sys/Registry.h"
#include "sys/Text.h"

namespace rostrel_test {
namespace {

const std::string kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

}  // namespace

HKEY RootOf(Where where) {
  return where == Where::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

REGSAM ViewOf(Where where) {
  switch (where) {
    case Where::Machine:
      return KEY_WOW64_64KEY;
    case Where::Machine32:
      return KEY_WOW64_32KEY;
    default:
      return 0;
  }
}

UninstallEntries::UninstallEntries() : tag_(testing_support::UniqueName("RostrelTest")) {}

UninstallEntries::~UninstallEntries() {
  for (const auto& [where, keyName] : created_) remove(where, keyName);
}

sys::UniqueKey UninstallEntries::open(Where where, const std::string& keyName) const {
  // Wide calls: the ANSI ones cannot take paths beyond MAX_PATH under Wine.
  sys::UniqueKey key;
  if (RegCreateKeyExW(RootOf(where), Widen(kUninstall + keyName).c_str(), 0, nullptr, 0,
                      KEY_ALL_ACCESS | ViewOf(where), nullptr, key.put(), nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create uninstall entry " + keyName);
  return key;
}

void UninstallEntries::create(Where where, const std::string& keyName) {
  open(where, keyName);
  created_.emplace_back(where, keyName);
}

void UninstallEntries::setString(Where where, const std::string& keyName, const std::string& value,
                                 const std::string& data) {
  sys::UniqueKey key = open(where, keyName);
  const std::wstring text = Widen(data);
  RegSetValueExW(key.get(), Widen(value).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void UninstallEntries::setDword(Where where, const std::string& keyName, const std::string& value,
                                DWORD data) {
  sys::UniqueKey key = open(where, keyName);
  RegSetValueExA(key.get(), value.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                 sizeof data);
}

void UninstallEntries::setRaw(Where where, const std::string& keyName, const std::wstring& value,
                              DWORD type, const void* data, DWORD size) {
  sys::UniqueKey key = open(where, keyName);
  RegSetValueExW(key.get(), value.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

void UninstallEntries::addProgram(Where where, const std::string& keyName,
                                  const std::string& displayName) {
  create(where, keyName);
  setString(where, keyName, "DisplayName", displayName);
  setString(where, keyName, "UninstallString", "\"C:\\Program Files\\" + keyName + "\\unins.exe\"");
}

void UninstallEntries::remove(Where where, const std::string& keyName) {
  sys::UniqueKey parent;
  if (RegOpenKeyExW(RootOf(where), Widen(kUninstall).c_str(), 0, KEY_ALL_ACCESS | ViewOf(where),
                    parent.put()) == ERROR_SUCCESS)
    RegDeleteTreeW(parent.get(), Widen(keyName).c_str());
}

void RegisterBuiltComponent() {
  testing_support::RegisterBuiltComponent();
}

sys::ComPtr<IProgramList> NewProgramList() {
  RegisterBuiltComponent();
  sys::ComPtr<IProgramList> list;
  HRESULT hr = CoCreateInstance(rostrel::CLSID_ProgramList, nullptr, CLSCTX_INPROC_SERVER,
                                rostrel::IID_IProgramList, list.putVoid());
  if (FAILED(hr)) throw std::runtime_error("CoCreateInstance failed");
  return list;
}

// The program keeps text as UTF-8; so do these tests.
std::wstring Widen(const std::string& text) {
  return sys::Widen(text);
}

std::string Narrow(const std::wstring& text) {
  return sys::Narrow(text);
}

std::string Text::narrow() const {
  return Narrow(wide());
}

InText::InText(const std::wstring& text)
    : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
InText::InText(const std::string& text) : InText(Widen(text)) {}

sys::ComPtr<IProgramItem> Program(IProgramList* list, ULONG index) {
  sys::ComPtr<IProgramItem> item;
  list->GetProgram(index, item.put());
  return item;
}

std::string DisplayName(IProgramItem* item) {
  Text text;
  item->GetDisplayName(text.put());
  return text.narrow();
}

std::string KeyName(IProgramItem* item) {
  Text text;
  item->GetRegistryKeyName(text.put());
  return text.narrow();
}

std::vector<std::string> ProgramKeyNames(IProgramList* list) {
  std::vector<std::string> names;
  ULONG count = 0;
  list->GetProgramCount(&count);
  for (ULONG i = 0; i < count; ++i) {
    auto item = Program(list, i);
    names.push_back(item ? KeyName(item.get()) : std::string("<none>"));
  }
  return names;
}

std::map<std::string, ULONG> OwnPrograms(IProgramList* list, const std::string& tag) {
  std::map<std::string, ULONG> own;
  auto names = ProgramKeyNames(list);
  for (ULONG i = 0; i < names.size(); ++i) {
    if (names[i].compare(0, tag.size(), tag) == 0) own[names[i]] = i;
  }
  return own;
}

int ShellIconIndex(const std::string& path) {
  SHFILEINFOA info{};
  if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX)) return -1;
  return info.iIcon;
}

int GenericIconIndex() {
  SHFILEINFOA info{};
  SHGetFileInfoA("x.exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                 SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
  return info.iIcon;
}

COLORREF IconColor(int index) {
  SHFILEINFOA info{};
  auto images = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("x.exe", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                     SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES));
  if (!images || index < 0) return CLR_INVALID;
  int width = 16, height = 16;
  ImageList_GetIconSize(images, &width, &height);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  sys::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap.get());
  RECT all{0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
  COLORREF colour = GetPixel(dc, width / 2, height / 2);
  SelectObject(dc, old);
  DeleteDC(dc);
  return colour;
}

bool IsRed(COLORREF colour) {
  return colour != CLR_INVALID && GetRValue(colour) > 160 && GetGValue(colour) < 90 &&
         GetBValue(colour) < 90;
}

bool IsBlue(COLORREF colour) {
  return colour != CLR_INVALID && GetBValue(colour) > 160 && GetRValue(colour) < 90 &&
         GetGValue(colour) < 120;
}

std::string ShortDateText(WORD year, WORD month, WORD day) {
  SYSTEMTIME date{};
  date.wYear = year;
  date.wMonth = month;
  date.wDay = day;
  char text[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, sizeof text);
  return text;
}

std::string LocalShortDate(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME date;
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToSystemTime(&local, &date);
  return ShortDateText(date.wYear, date.wMonth, date.wDay);
}

std::string TestBinDir() {
  return sys::ExtractFilePath(sys::ModuleFileName(nullptr));
}

}  // namespace rostrel_test
