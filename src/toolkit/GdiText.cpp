#include "toolkit/GdiText.h"

#include <string>

#include "sys/Text.h"
#include "toolkit/WinText.h"

namespace tk {

HFONT CreateFaceFont(int height, std::string_view face, int weight, BYTE pitchAndFamily) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = pitchAndFamily;
  toolkit::SetFaceName(font, face);
  return CreateFontIndirectW(&font);
}

int StartDocUtf8(HDC dc, std::string_view documentName) {
  const std::wstring name = sys::Widen(documentName);
  DOCINFOW doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = name.c_str();
  return StartDocW(dc, &doc);
}

}  // namespace tk
