// Fonts by face name and print jobs by document name, over UTF-8 names.
#pragma once

#include <windows.h>

#include <string_view>

namespace tk {

// CreateFontIndirectW of a font `height` logical units high (negative: character
// height, as CreateFont takes it) with the given face, weight and pitch-and-family;
// the default character set and precisions. The caller owns the font.
HFONT CreateFaceFont(int height, std::string_view face, int weight = FW_NORMAL,
                     BYTE pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE);

// StartDocW with `documentName` as the job's name; returns what StartDoc returns
// (the job id, or <= 0 on failure).
int StartDocUtf8(HDC dc, std::string_view documentName);

}  // namespace tk
