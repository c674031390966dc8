// The user's comments on installed programs. They belong to the user, not to the
// program's vendor: they are kept under our own key in HKCU, one string value per
// program named by the program's uninstall key name, and never touch the vendor's
// uninstall entry.
#pragma once

#include <windows.h>

#include <string>

namespace rostrel {

inline constexpr char kCommentsKey[] = "Software\\Prunaxis\\Comments";

// Stores `comment` for the program whose uninstall key is `keyName`; an empty
// comment removes the stored one. Returns S_OK or the failure as an HRESULT.
HRESULT StoreComment(const std::wstring& keyName, const std::wstring& comment);

// The stored comment, or "" when there is none.
std::wstring ReadComment(const std::wstring& keyName);

}  // namespace rostrel
