#include "sys/FileIdentity.h"

#include <cstring>

#include "sys/Handles.h"
#include "sys/Text.h"

namespace sys {
namespace {

// The id record and its class, which the headers declare for Windows 8 and later only
// (the program runs on 7, where the call fails and the older record serves).
struct FileIdRecord {
  ULONGLONG volumeSerialNumber;
  BYTE fileId[16];
};
constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

std::string FinalPathOf(HANDLE file) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD got =
        GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (got == 0) return std::string();
    if (got < buffer.size())
      return WithoutLongPathPrefix(Narrow(std::wstring_view(buffer.data(), got)));
    buffer.resize(got + 1);
  }
  return std::string();
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char a = text[i], b = prefix[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a != b) return false;
  }
  return true;
}

}  // namespace

std::string WithoutLongPathPrefix(std::string_view path) {
  if (StartsWithIgnoringCase(path, "\\\\?\\UNC\\")) return "\\\\" + std::string(path.substr(8));
  if (StartsWithIgnoringCase(path, "\\\\?\\")) return std::string(path.substr(4));
  return std::string(path);
}

std::optional<ResolvedPath> ResolvePath(std::string_view path) {
  if (path.empty()) return std::nullopt;
  const std::wstring wide = Widen(path);
  DWORD oldMode = 0;
  const bool quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
  // Backup semantics open folders too; no link flag, so a link leads to what it names.
  UniqueHandle file(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  const DWORD openError = GetLastError();
  if (quiet) SetThreadErrorMode(oldMode, nullptr);
  if (!file) {
    SetLastError(openError);
    return std::nullopt;
  }
  ResolvedPath out;
  // The id record (Windows 8 and later) asks for less than the whole information
  // record, which the older systems and some file systems alone give.
  FileIdRecord id{};
  if (GetFileInformationByHandleEx(file.get(), kFileIdInfo, &id, sizeof id)) {
    out.identity.volume = id.volumeSerialNumber;
    std::memcpy(&out.identity.idLow, id.fileId, 8);
    std::memcpy(&out.identity.idHigh, id.fileId + 8, 8);
  } else {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    out.identity.volume = info.dwVolumeSerialNumber;
    out.identity.idLow = (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  }
  out.finalPath = FinalPathOf(file.get());
  return out;
}

}  // namespace sys
