// What the inventory component tests share: the built component registered and
// created through COM, uninstall entries that a test writes into the prefix's
// registry and removes again, and BSTR handling.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <map>
#include <string>
#include <vector>

#include "rostrel/core/Interfaces.h"
#include "sys/ComInit.h"
#include "sys/Handles.h"

namespace rostrel_test {

using rostrel::IProgramItem;
using rostrel::IProgramList;

// Where an uninstall entry is written.
enum class Where { Machine, Machine32, User };
HKEY RootOf(Where where);
REGSAM ViewOf(Where where);

// Uninstall entries written by one test, removed with everything below them when
// the object goes. Key names start with a tag unique to the object, so that the
// test can tell its own entries from whatever else the prefix holds.
class UninstallEntries {
 public:
  UninstallEntries();
  ~UninstallEntries();
  UninstallEntries(const UninstallEntries&) = delete;
  UninstallEntries& operator=(const UninstallEntries&) = delete;

  const std::string& tag() const { return tag_; }
  // tag + "-" + suffix.
  std::string name(const std::string& suffix) const { return tag_ + "-" + suffix; }

  // Creates the entry `keyName` (remembered for removal; not prefixed).
  void create(Where where, const std::string& keyName);
  void setString(Where where, const std::string& keyName, const std::string& value,
                 const std::string& data);
  void setDword(Where where, const std::string& keyName, const std::string& value, DWORD data);
  // Any type, any bytes.
  void setRaw(Where where, const std::string& keyName, const std::wstring& value, DWORD type,
              const void* data, DWORD size);
  // Creates `keyName` with DisplayName and UninstallString.
  void addProgram(Where where, const std::string& keyName, const std::string& displayName);
  void remove(Where where, const std::string& keyName);

 private:
  sys::UniqueKey open(Where where, const std::string& keyName) const;

  std::string tag_;
  std::vector<std::pair<Where, std::string>> created_;
};

// The build's Rostrel.dll registered through its own DllRegisterServer.
void RegisterBuiltComponent();
// A new program list object created through COM.
sys::ComPtr<IProgramList> NewProgramList();

// Takes ownership of a BSTR that a call handed out.
class Text {
 public:
  Text() = default;
  ~Text() { SysFreeString(text_); }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  BSTR* put() {
    SysFreeString(text_);
    text_ = nullptr;
    return &text_;
  }
  BSTR get() const { return text_; }
  std::wstring wide() const { return text_ ? std::wstring(text_, SysStringLen(text_)) : L""; }
  std::string narrow() const;

 private:
  BSTR text_ = nullptr;
};

// A BSTR to pass in.
class InText {
 public:
  explicit InText(const std::wstring& text);
  explicit InText(const std::string& text);
  ~InText() { SysFreeString(text_); }
  InText(const InText&) = delete;
  InText& operator=(const InText&) = delete;
  operator BSTR() const { return text_; }

 private:
  BSTR text_ = nullptr;
};

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

// The key name of every program of `list` (after LoadPrograms), by index.
std::vector<std::string> ProgramKeyNames(IProgramList* list);
// Indexes of the programs whose key names start with `tag`, by key name.
std::map<std::string, ULONG> OwnPrograms(IProgramList* list, const std::string& tag);
sys::ComPtr<IProgramItem> Program(IProgramList* list, ULONG index);

// Item texts in one call each (empty on failure; the tests check codes separately).
std::string DisplayName(IProgramItem* item);
std::string KeyName(IProgramItem* item);

// The shell's own answers, for comparison.
int ShellIconIndex(const std::string& path);
int GenericIconIndex();
// The colour in the middle of the small system image list's icon at `index`
// (the test screen savers' icons are plain red and plain blue squares).
COLORREF IconColor(int index);
bool IsRed(COLORREF colour);
bool IsBlue(COLORREF colour);
std::string ShortDateText(WORD year, WORD month, WORD day);
std::string LocalShortDate(const FILETIME& utc);

// Where the test programs and the test screen savers are (this program's folder).
std::string TestBinDir();

}  // namespace rostrel_test
