// The built program folder as it ships: Prunaxis.exe's manifest, icon and version
// resource, Rostrel.dll's version resource, and the compiled help file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "PrunaxisVersion.h"
#include "settings/ProductInfo.h"
#include "support/Sandbox.h"
#include "sys/ComInit.h"
#include "sys/Handles.h"
#include "sys/Files.h"

namespace help_reader {

// The first methods of the reader's interface, in their order. Declared outside
// the unnamed namespace: an interface type that only this file could implement
// lets the compiler treat calls to its methods as unreachable.
struct IITStorage : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD,
                                                                 IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
  virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD,
                                                   IStorage**) = 0;
};

}  // namespace help_reader

namespace {

std::string BinFile(const std::string& name) {
  return testing_support::ProgramBinDir() + name;
}

// The module of a built file, loaded for its resources only.
class ResourceModule {
 public:
  explicit ResourceModule(const std::string& path)
      : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~ResourceModule() {
    if (module_) FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }

  // The bytes of one resource; empty when there is none.
  std::string resource(LPCSTR type, LPCSTR name) const {
    HRSRC found = FindResourceA(module_, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return std::string(static_cast<const char*>(data), SizeofResource(module_, found));
  }

 private:
  HMODULE module_;
};

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  reinterpret_cast<std::vector<ULONG_PTR>*>(names)->push_back(reinterpret_cast<ULONG_PTR>(name));
  return TRUE;
}

// The version information of a file through the version API, as any reader gets it.
struct VersionResource {
  std::vector<char> block;

  explicit VersionResource(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return;
    block.resize(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) block.clear();
  }
  const VS_FIXEDFILEINFO* fixed() {
    void* value = nullptr;
    UINT length = 0;
    if (block.empty() || !VerQueryValueA(block.data(), "\\", &value, &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
      return nullptr;
    }
    return static_cast<const VS_FIXEDFILEINFO*>(value);
  }
  std::string string(const std::string& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = "\\StringFileInfo\\040904E4\\" + name;
    if (block.empty() || !VerQueryValueA(block.data(), path.c_str(), &value, &length)) return "?";
    return std::string(static_cast<const char*>(value));
  }
};

void ExpectVersion(const std::string& file, DWORD fileType, const std::string& description) {
  SCOPED_TRACE(file);
  VersionResource version(BinFile(file));
  ASSERT_FALSE(version.block.empty()) << "no version resource";
  const VS_FIXEDFILEINFO* fixed = version.fixed();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS,
            static_cast<DWORD>(MAKELONG(PRUNAXIS_VERSION_MINOR, PRUNAXIS_VERSION_MAJOR)));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, PRUNAXIS_VERSION_PATCH)));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwFileType, fileType);
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
  EXPECT_EQ(version.string("FileVersion"), PRUNAXIS_VERSION_STRING);
  EXPECT_EQ(version.string("ProductVersion"), PRUNAXIS_VERSION_STRING);
  EXPECT_EQ(version.string("ProductName"), "Prunaxis");
  EXPECT_EQ(version.string("OriginalFilename"), file);
  EXPECT_EQ(version.string("FileDescription"), description);
  EXPECT_EQ(version.string("CompanyName"), PRUNAXIS_MAKER_NAME);
  EXPECT_EQ(version.string("LegalCopyright"), PRUNAXIS_COPYRIGHT_LINE);
}

TEST(ProductFiles, TheExeAndTheComponentCarryTheProductVersion) {
  ExpectVersion("Prunaxis.exe", VFT_APP, "Prunaxis uninstaller and start-up manager");
  ExpectVersion("Rostrel.dll", VFT_DLL, "Prunaxis inventory component");
}

TEST(ProductFiles, TheExeHasOneManifestForCommonControlsSixUnawareOfDpi) {
  ResourceModule exe(BinFile("Prunaxis.exe"));
  ASSERT_TRUE(exe.get()) << GetLastError();
  std::vector<ULONG_PTR> names;
  EnumResourceNamesA(exe.get(), MAKEINTRESOURCEA(24), &CollectName,
                     reinterpret_cast<LONG_PTR>(&names));
  ASSERT_EQ(names, std::vector<ULONG_PTR>{1}) << "one manifest, the process manifest (id 1)";

  const std::string manifest = exe.resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
  auto has = [&](const std::string& part) { return manifest.find(part) != std::string::npos; };
  EXPECT_TRUE(has("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"")) << manifest;
  EXPECT_TRUE(has("publicKeyToken=\"6595b64144ccf1df\""));
  EXPECT_TRUE(has(">false</dpiAware>"));
  EXPECT_TRUE(has(">unaware</dpiAwareness>"));
  EXPECT_TRUE(has("<requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"/>"));
  EXPECT_TRUE(has("version=\"" PRUNAXIS_VERSION_FULL "\""));
  EXPECT_TRUE(has("processorArchitecture=\"x86\""));
}

TEST(ProductFiles, TheExeHasTheApplicationIconInEverySize) {
  ResourceModule exe(BinFile("Prunaxis.exe"));
  ASSERT_TRUE(exe.get());
  const std::string group =
      exe.resource(MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(PRUNAXIS_IDI_APPLICATION));
  ASSERT_GE(group.size(), 6u) << "no icon group";
  const auto* bytes = reinterpret_cast<const unsigned char*>(group.data());
  const int count = bytes[4] | (bytes[5] << 8);
  ASSERT_EQ(group.size(), 6u + 14u * count);
  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    const int cell = bytes[6 + 14 * i];
    sizes.push_back(cell == 0 ? 256 : cell);
  }
  for (int wanted : {16, 24, 32, 48, 256}) {
    EXPECT_NE(std::find(sizes.begin(), sizes.end(), wanted), sizes.end()) << wanted;
  }
  // The system picks and loads the sizes it needs.
  for (int size : {16, 32}) {
    HICON icon = static_cast<HICON>(LoadImageA(
        exe.get(), MAKEINTRESOURCEA(PRUNAXIS_IDI_APPLICATION), IMAGE_ICON, size, size, 0));
    ASSERT_TRUE(icon) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST(ProductFiles, TheHelpFileIsACompiledHelpFileHoldingOurTopics) {
  // Where the Help command looks for it: Help.Chm in the languages folder.
  std::string chm;
  ASSERT_TRUE(sys::ReadFileBytes(BinFile("Langs\\Help.Chm"), chm));
  ASSERT_GE(chm.size(), 0x60u);
  EXPECT_EQ(chm.substr(0, 4), "ITSF");
  std::uint32_t version = 0, headerLength = 0;
  std::memcpy(&version, chm.data() + 4, 4);
  std::memcpy(&headerLength, chm.data() + 8, 4);
  EXPECT_EQ(version, 3u);
  EXPECT_EQ(headerLength, 0x60u);
  EXPECT_NE(chm.find("ITSP"), std::string::npos) << "directory header";
  EXPECT_NE(chm.find("PMGL"), std::string::npos) << "directory listing";

  // The directory names every page; the system file holds the title and home page.
  for (const char* topic : {"/index.html", "/programs.html", "/uninstall.html", "/leftovers.html",
                            "/startup.html", "/backups.html", "/languages.html", "/style.css",
                            "/toc.hhc", "/index.hhk", "/#SYSTEM", "/#TOPICS"}) {
    EXPECT_NE(chm.find(topic), std::string::npos) << topic;
  }
  EXPECT_NE(chm.find("Prunaxis Help"), std::string::npos) << "title";
}

// The system's reader of compiled help (itss.dll), through which the help viewer
// reads its pages.
const CLSID kClsidITStorage = {
    0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kIidITStorage = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

// The reader opens the file and unpacks our pages from it.
TEST(ProductFiles, TheSystemReadsOurPagesOutOfTheHelpFile) {
  sys::ComApartment com;
  sys::ComPtr<help_reader::IITStorage> reader;
  ASSERT_EQ(CoCreateInstance(kClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, kIidITStorage,
                             reinterpret_cast<void**>(reader.put())),
            S_OK);
  const std::string file = BinFile("Langs\\Help.Chm");
  std::wstring path(file.begin(), file.end());
  sys::ComPtr<IStorage> storage;
  ASSERT_EQ(reader->StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE,
                                   nullptr, 0, storage.put()),
            S_OK);

  struct Page {
    const wchar_t* name;
    const char* words;
  };
  for (const Page& page :
       {Page{L"index.html", "<title>Welcome to Prunaxis</title>"},
        Page{L"programs.html", "Hide System Patch"},
        Page{L"uninstall.html", "Uninstallers that hand over"},
        Page{L"leftovers.html", "Deleting is final."}, Page{L"startup.html", "Run_Disable"},
        Page{L"backups.html", "Back up\\reg\\"}, Page{L"languages.html", "Default.ini"}}) {
    sys::ComPtr<IStream> stream;
    ASSERT_EQ(storage->OpenStream(page.name, nullptr, STGM_READ, 0, stream.put()), S_OK)
        << page.words;
    std::string text;
    char buffer[4096];
    ULONG got = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &got)) && got > 0)
      text.append(buffer, got);
    EXPECT_NE(text.find(page.words), std::string::npos) << page.words;
  }
}

}  // namespace
