#include "reports/PrintLayout.h"

#include <algorithm>

#include "sys/Handles.h"
#include "toolkit/GdiText.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/WinText.h"

namespace reports {
namespace {

class Layouter {
 public:
  explicit Layouter(const PrintMetrics& metrics) : m_(metrics) {}

  void line(const std::string& text) {
    std::string piece;
    for (char c : text) {
      switch (c) {
        case '\t':
          write(piece);
          tab();
          break;
        case '\f':
          write(piece);
          newPage();
          lastUsedPage_ = page_;
          break;
        case '\r':
        case '\n':
          write(piece);
          break;
        default:
          piece.push_back(c);
          break;
      }
    }
    write(piece);
    newLine();
  }

  PrintLayout result() {
    layout_.pageCount = lastUsedPage_ + 1;
    return std::move(layout_);
  }

 private:
  SIZE extent(std::string_view text) const {
    return m_.textExtent ? m_.textExtent(text) : SIZE{0, 0};
  }

  // Where the characters of the UTF-8 `text` begin, and its end: a cut lands only
  // there, never inside a character.
  static std::vector<size_t> characterStarts(std::string_view text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i) {
      if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
    }
    if (starts.empty() || starts.front() != 0) starts.insert(starts.begin(), 0);
    starts.push_back(text.size());
    return starts;
  }

  // How many leading bytes of `text` (whole characters) fit between x and the
  // right edge; `oneCharacter` receives the length of the first character.
  size_t fitting(std::string_view text, size_t& oneCharacter) const {
    const std::vector<size_t> starts = characterStarts(text);
    oneCharacter = starts.size() > 1 ? starts[1] : text.size();
    size_t low = 0, high = starts.size() - 1;  // whole characters that fit
    while (low < high) {
      const size_t mid = (low + high + 1) / 2;
      if (x_ + extent(text.substr(0, starts[mid])).cx <= m_.pageWidth)
        low = mid;
      else
        high = mid - 1;
    }
    return starts[low];
  }

  void write(std::string& piece) {
    std::string_view rest = piece;
    while (!rest.empty()) {
      size_t oneCharacter = 0;
      size_t count = fitting(rest, oneCharacter);
      if (count == 0) {
        if (x_ > 0) {
          newLine();
          continue;
        }
        count = oneCharacter;
      }
      const std::string_view part = rest.substr(0, count);
      const SIZE size = extent(part);
      layout_.pieces.push_back({page_, x_, y_, std::string(part)});
      lastUsedPage_ = page_;
      x_ += size.cx;
      lineHeight_ = std::max(lineHeight_, static_cast<int>(size.cy) + 2);
      rest.remove_prefix(count);
      if (!rest.empty()) newLine();
    }
    piece.clear();
  }

  void tab() {
    const int w = std::max(8 * m_.avgCharWidth, 1);
    const int next = x_ + w - ((x_ + w + 1) % w) + 1;
    if (next > m_.pageWidth)
      newLine();
    else
      x_ = next;
  }

  void newLine() {
    const int ended = lineHeight_;
    y_ += ended > 0 ? ended : m_.charHeight;
    x_ = 0;
    lineHeight_ = 0;
    if (y_ > m_.pageHeight - 2 * ended) newPage();
  }

  void newPage() {
    ++page_;
    x_ = 0;
    y_ = 0;
    lineHeight_ = 0;
  }

  const PrintMetrics& m_;
  PrintLayout layout_;
  int page_ = 0;
  int lastUsedPage_ = 0;
  int x_ = 0;
  int y_ = 0;
  int lineHeight_ = 0;  // 0 while nothing was written on the line
};

BOOL CALLBACK KeepHandlingMessages(HDC /*dc*/, int /*code*/) {
  tk::ProcessPendingMessages();
  return TRUE;
}

}  // namespace

PrintLayout LayoutPrintLines(const std::vector<std::string>& lines, const PrintMetrics& metrics) {
  Layouter layouter(metrics);
  for (const auto& line : lines) layouter.line(line);
  return layouter.result();
}

PrintMetrics DcPrintMetrics(HDC dc) {
  PrintMetrics metrics;
  metrics.pageWidth = GetDeviceCaps(dc, HORZRES);
  metrics.pageHeight = GetDeviceCaps(dc, VERTRES);
  TEXTMETRICW tm{};
  if (GetTextMetricsW(dc, &tm)) {
    metrics.charHeight = tm.tmHeight;
    metrics.avgCharWidth = tm.tmAveCharWidth;
  }
  metrics.textExtent = [dc](std::string_view text) { return toolkit::TextExtentUtf8(dc, text); };
  return metrics;
}

bool PrintTextLines(HDC dc, const std::string& documentName, const std::vector<std::string>& lines,
                    DWORD& error) {
  error = ERROR_SUCCESS;
  sys::UniqueFont font(tk::CreateFaceFont(-MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72), "Arial",
                                          FW_NORMAL, DEFAULT_PITCH | FF_SWISS));
  HGDIOBJ oldFont = font ? SelectObject(dc, font.get()) : nullptr;
  const PrintLayout layout = LayoutPrintLines(lines, DcPrintMetrics(dc));

  auto failed = [&](bool inDocument) {
    error = GetLastError();
    if (error == ERROR_SUCCESS) error = ERROR_GEN_FAILURE;
    if (inDocument) AbortDoc(dc);
    if (oldFont) SelectObject(dc, oldFont);
    return false;
  };

  SetAbortProc(dc, KeepHandlingMessages);
  if (tk::StartDocUtf8(dc, documentName) <= 0) return failed(false);
  SetBkMode(dc, TRANSPARENT);
  size_t next = 0;
  for (int page = 0; page < layout.pageCount; ++page) {
    if (StartPage(dc) <= 0) return failed(true);
    for (; next < layout.pieces.size() && layout.pieces[next].page == page; ++next) {
      const PrintedPiece& piece = layout.pieces[next];
      toolkit::TextOutUtf8(dc, piece.x, piece.y, piece.text);
    }
    if (EndPage(dc) <= 0) return failed(true);
  }
  if (EndDoc(dc) <= 0) return failed(false);
  if (oldFont) SelectObject(dc, oldFont);
  return true;
}

}  // namespace reports
