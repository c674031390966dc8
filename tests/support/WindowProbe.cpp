#include "support/WindowProbe.h"

#include <algorithm>

namespace testing_support {
namespace {

constexpr DWORD kPollMs = 20;

struct EnumState {
  DWORD processId;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process == state->processId && (!state->visibleOnly || IsWindowVisible(hwnd))) {
    state->found.push_back(hwnd);
  }
  return TRUE;
}

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

// A message to another process's window, never waiting on a hung one.
LRESULT SendWithTimeout(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result)) return 0;
  return static_cast<LRESULT>(result);
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly) {
  EnumState state{processId, visibleOnly, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

std::string ClassNameOf(HWND hwnd) {
  char name[256] = {};
  int n = GetClassNameA(hwnd, name, sizeof name);
  return std::string(name, n > 0 ? n : 0);
}

std::string TextOf(HWND hwnd) {
  // GetWindowText reads another process's window text without sending it a message.
  char text[4096] = {};
  int n = GetWindowTextA(hwnd, text, sizeof text);
  return std::string(text, n > 0 ? n : 0);
}

std::vector<HWND> WindowProbe::poll() {
  std::vector<HWND> now = TopLevelWindows(processId_);
  for (HWND hwnd : now) {
    bool known = std::any_of(seen_.begin(), seen_.end(),
                             [&](const SeenWindow& w) { return w.hwnd == hwnd; });
    if (!known) seen_.push_back({hwnd, ClassNameOf(hwnd), TextOf(hwnd)});
  }
  return now;
}

HWND WindowProbe::waitForWindow(const std::string& className, DWORD timeoutMs,
                                const std::string& caption) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND hwnd : poll()) {
      if (ClassNameOf(hwnd) == className && (caption.empty() || TextOf(hwnd) == caption)) {
        return hwnd;
      }
    }
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(kPollMs);
  }
}

bool WindowProbe::waitForWindowGone(const std::string& className, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    std::vector<HWND> now = poll();
    if (std::none_of(now.begin(), now.end(),
                     [&](HWND hwnd) { return ClassNameOf(hwnd) == className; })) {
      return true;
    }
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(kPollMs);
  }
}

std::string WindowProbe::describeSeen() const {
  std::string text = "windows seen:";
  if (seen_.empty()) text += " none";
  for (const SeenWindow& w : seen_) text += "\n  " + w.className + " \"" + w.caption + "\"";
  return text;
}

DialogTexts ReadDialog(HWND dialog) {
  DialogTexts texts;
  texts.caption = TextOf(dialog);
  std::vector<HWND> children;
  EnumChildWindows(dialog, CollectChildren, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    if (GetParent(child) != dialog || !IsWindowVisible(child)) continue;
    const std::string cls = ClassNameOf(child);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(cls.c_str(), "Static") == 0) {
      if ((style & SS_TYPEMASK) == SS_ICON) {
        if (SendWithTimeout(child, STM_GETICON) != 0) texts.hasIcon = true;
      } else if (std::string t = TextOf(child); t.size() > texts.text.size()) {
        texts.text = t;
      }
    } else if (lstrcmpiA(cls.c_str(), "Button") == 0) {
      texts.buttons.push_back({GetDlgCtrlID(child), TextOf(child)});
    }
  }
  return texts;
}

bool PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return false;
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != FALSE;
}

}  // namespace testing_support
