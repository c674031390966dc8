#include "RemoteList.h"

#include <commctrl.h>

#include <vector>

#include "sys/Handles.h"

namespace demo {
namespace {

constexpr UINT kAnswerTimeoutMs = 5000;
constexpr int kTextChars = 512;

// A block of memory in the list's process, freed with the object.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_.reset(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (process_)
      address_ =
          VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  explicit operator bool() const { return address_ != nullptr; }
  char* address() const { return static_cast<char*>(address_); }
  bool write(size_t offset, const void* data, size_t size) const {
    SIZE_T written = 0;
    return offset + size <= size_ &&
           WriteProcessMemory(process_.get(), address() + offset, data, size, &written) &&
           written == size;
  }
  bool read(size_t offset, void* data, size_t size) const {
    SIZE_T got = 0;
    return offset + size <= size_ &&
           ReadProcessMemory(process_.get(), address() + offset, data, size, &got) && got == size;
  }

 private:
  sys::UniqueHandle process_;
  void* address_ = nullptr;
  size_t size_;
};

bool Ask(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &result))
    return false;
  answer = static_cast<LRESULT>(result);
  return true;
}

// The row whose first column reads `text`, or -1. An owner-data list answers the
// text questions through its owner, as it does for painting.
int RowWithText(HWND list, const std::wstring& text) {
  LRESULT count = 0;
  if (!Ask(list, LVM_GETITEMCOUNT, 0, 0, count) || count <= 0) return -1;
  RemoteBlock block(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
  if (!block) return -1;
  std::vector<wchar_t> buffer(kTextChars);
  for (int row = 0; row < count; ++row) {
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = reinterpret_cast<LPWSTR>(block.address() + sizeof(LVITEMW));
    item.cchTextMax = kTextChars;
    LRESULT length = 0;
    if (!block.write(0, &item, sizeof item) ||
        !Ask(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(block.address()), length))
      return -1;
    if (length < 0 || length >= kTextChars) continue;
    if (!block.read(sizeof(LVITEMW), buffer.data(), (length + 1) * sizeof(wchar_t))) return -1;
    if (std::wstring(buffer.data(), static_cast<size_t>(length)) == text) return row;
  }
  return -1;
}

struct Search {
  const std::wstring* text;
  HWND list = nullptr;
  int row = -1;
};

BOOL CALLBACK LookInChild(HWND child, LPARAM param) {
  Search& search = *reinterpret_cast<Search*>(param);
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (std::wstring(name) != WC_LISTVIEWW || !IsWindowVisible(child)) return TRUE;
  const int row = RowWithText(child, *search.text);
  if (row < 0) return TRUE;
  search.list = child;
  search.row = row;
  return FALSE;
}

bool SetRowState(const RemoteBlock& block, HWND list, int row, UINT state) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = state;
  LRESULT done = 0;
  return block.write(0, &item, sizeof item) &&
         Ask(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
             reinterpret_cast<LPARAM>(block.address()), done) &&
         done;
}

}  // namespace

HWND FindListRow(HWND top, const std::wstring& text, int& row) {
  Search search{&text};
  EnumChildWindows(top, LookInChild, reinterpret_cast<LPARAM>(&search));
  row = search.row;
  return search.list;
}

bool SelectOnlyRow(HWND list, int row) {
  RemoteBlock block(list, sizeof(LVITEMW));
  if (!block || row < 0) return false;
  // Row -1 stands for every row.
  if (!SetRowState(block, list, -1, 0) ||
      !SetRowState(block, list, row, LVIS_SELECTED | LVIS_FOCUSED))
    return false;
  LRESULT shown = 0;
  return Ask(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE, shown);
}

}  // namespace demo
