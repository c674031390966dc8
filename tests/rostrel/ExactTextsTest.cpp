// Texts of an uninstall entry in several scripts and beyond the Basic Multilingual
// Plane reach the caller through the component exactly, as UTF-16.
#include <gtest/gtest.h>

#include "ComponentSupport.h"

using namespace rostrel_test;

namespace {

void SetWide(UninstallEntries& entries, const std::string& key, const std::wstring& name,
             const std::wstring& text) {
  entries.setRaw(Where::Machine32, key, name, REG_SZ, text.c_str(),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

using Getter = HRESULT (STDMETHODCALLTYPE IProgramItem::*)(BSTR*);
std::wstring Get(IProgramItem* item, Getter getter) {
  Text text;
  EXPECT_EQ((item->*getter)(text.put()), S_OK);
  return text.wide();
}

}  // namespace

TEST(ComponentExactTexts, NamesPublishersAndFoldersInAnyScriptReadBackExactly) {
  sys::ComApartment apartment;
  UninstallEntries entries;
  sys::ComPtr<IProgramList> list = NewProgramList();
  const std::string key = entries.name("scripts");
  const std::wstring name =
      L"\u65E5\u672C\u8A9E \u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC "
      L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439 \U0001F600";
  const std::wstring publisher = L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439 \U0001F600 Ltd";
  const std::wstring folder = L"C:\\Apps\\\u65E5\u672C\u8A9E\\\u0395\u03BB\u03BB\u03B7\u03BD\\";
  entries.create(Where::Machine32, key);
  SetWide(entries, key, L"DisplayName", name);
  SetWide(entries, key, L"UninstallString", L"\"" + folder + L"unins.exe\"");
  SetWide(entries, key, L"Publisher", publisher);
  SetWide(entries, key, L"InstallLocation", folder);

  ASSERT_EQ(list->LoadPrograms(), S_OK);
  ULONG index = 0;
  ASSERT_EQ(list->FindProgram(InText(key), &index), S_OK) << key;
  sys::ComPtr<IProgramItem> item = Program(list.get(), index);
  ASSERT_TRUE(item);
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetDisplayName), name);
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetPublisher), publisher);
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetInstallLocation), folder);
  EXPECT_EQ(Get(item.get(), &IProgramItem::GetUninstallString), L"\"" + folder + L"unins.exe\"");
}
