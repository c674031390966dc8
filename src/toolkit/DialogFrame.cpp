#include "toolkit/DialogFrame.h"

#include <utility>

#include "toolkit/WindowPlace.h"

namespace tk {

WindowParams DialogParams(const char* className, std::string caption, HWND owner, int clientWidth,
                          int clientHeight, DWORD style, DWORD exStyle) {
  WindowParams params;
  params.className = className;
  params.caption = std::move(caption);
  params.style = style;
  params.exStyle = exStyle;
  const SIZE size = WindowSizeForClient(style, exStyle, clientWidth, clientHeight);
  params.width = size.cx;
  params.height = size.cy;
  params.x = 0;
  params.y = 0;
  params.parent = owner;
  return params;
}

}  // namespace tk
