#include <gtest/gtest.h>

#include "rostrel/core/Ids.h"
#include "rostrel/core/Registration.h"
#include "support/Sandbox.h"
#include "sys/Registry.h"

using testing_support::RegSandbox;

namespace {

const std::string kClsidKey = std::string("CLSID\\") + rostrel::kClsidText;

// A sandbox standing in for one "Software\Classes" key.
struct ClassesKey {
  RegSandbox box;
  sys::UniqueKey key;
  ClassesKey() {
    RegOpenKeyExA(HKEY_CURRENT_USER, box.path().c_str(), 0, KEY_ALL_ACCESS, key.put());
  }
  std::string read(const std::string& sub, const std::string& name) const {
    sys::Registry reg(HKEY_CURRENT_USER, KEY_READ);
    if (!reg.openKey("\\" + box.sub(sub), false)) return "<no key>";
    return reg.readString(name, "<no value>");
  }
  bool has(const std::string& sub) const {
    return sys::Registry(HKEY_CURRENT_USER).keyExists("\\" + box.sub(sub));
  }
};

}  // namespace

TEST(ClassRegistration, WritesTheServerPathThreadingModelAndProgId) {
  ClassesKey classes;
  ASSERT_EQ(rostrel::WriteClassRegistration(classes.key.get(), "C:\\App\\Rostrel.dll"),
            ERROR_SUCCESS);
  EXPECT_EQ(classes.read(kClsidKey + "\\InprocServer32", ""), "C:\\App\\Rostrel.dll");
  EXPECT_EQ(classes.read(kClsidKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
  EXPECT_EQ(classes.read(kClsidKey + "\\ProgID", ""), rostrel::kProgId);
  EXPECT_EQ(classes.read(std::string(rostrel::kProgId) + "\\CLSID", ""), rostrel::kClsidText);
}

TEST(ClassRegistration, FallsBackToThePerUserKeyWhenTheMachineKeyIsNotWritable) {
  // Without administrator rights HKLM\Software\Classes does not open for writing.
  ClassesKey user;
  ASSERT_EQ(rostrel::RegisterServer("C:\\App\\Rostrel.dll", nullptr, user.key.get()), S_OK);
  EXPECT_EQ(user.read(kClsidKey + "\\InprocServer32", ""), "C:\\App\\Rostrel.dll");
  EXPECT_EQ(user.read(kClsidKey + "\\InprocServer32", "ThreadingModel"), "Apartment");

  EXPECT_EQ(rostrel::RegisterServer("C:\\App\\Rostrel.dll", nullptr, nullptr),
            HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
}

TEST(ClassRegistration, AMachineWideRegistrationClearsAStalePerUserOne) {
  ClassesKey machine;
  ClassesKey user;
  ASSERT_EQ(rostrel::WriteClassRegistration(user.key.get(), "C:\\Old\\Rostrel.dll"), ERROR_SUCCESS);
  ASSERT_TRUE(sys::Registry(HKEY_CURRENT_USER).openKey("\\" + user.box.sub("Unrelated"), true));

  ASSERT_EQ(rostrel::RegisterServer("C:\\New\\Rostrel.dll", machine.key.get(), user.key.get()),
            S_OK);
  EXPECT_EQ(machine.read(kClsidKey + "\\InprocServer32", ""), "C:\\New\\Rostrel.dll");
  EXPECT_FALSE(user.has(kClsidKey));
  EXPECT_FALSE(user.has(rostrel::kProgId));
  EXPECT_TRUE(user.has("Unrelated"));  // only our own keys go
}

TEST(ClassRegistration, UnregisteringRemovesOnlyOurKeysAndToleratesMissingOnes) {
  ClassesKey machine;
  ClassesKey user;
  ASSERT_EQ(rostrel::WriteClassRegistration(machine.key.get(), "C:\\App\\Rostrel.dll"),
            ERROR_SUCCESS);
  ASSERT_TRUE(
      sys::Registry(HKEY_CURRENT_USER).openKey("\\" + machine.box.sub("CLSID\\{other}"), true));
  EXPECT_EQ(rostrel::UnregisterServer(machine.key.get(), user.key.get()), S_OK);
  EXPECT_FALSE(machine.has(kClsidKey));
  EXPECT_FALSE(machine.has(rostrel::kProgId));
  EXPECT_TRUE(machine.has("CLSID\\{other}"));
  EXPECT_EQ(rostrel::UnregisterServer(machine.key.get(), user.key.get()), S_OK);
}
