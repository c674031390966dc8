// Names as the leftover search compares them: a program's traces are named after
// the product, not after its display name with version and platform, and a vendor
// key or folder after the publisher without its legal form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace uninstall {

// "Acme Paint 2.4.1 (x64)" -> "Acme Paint": trailing version numbers ("1.2", "v3"),
// platform words ("x64", "x86", "64-bit", "amd64"...), "version" and groups in
// brackets made only of those (or of a language tag, "(x64 en-US)") dropped. Plain
// numbers stay ("Office 2019"). The whole text when nothing else would be left.
std::string ProductName(std::string_view displayName);

enum class NameMatch { None, Partial, Exact };

// How `candidate` (a key or folder name) matches `product`, case-insensitively and
// without regard to blanks and punctuation: Exact when both spell the same letters
// and digits ("AcmePaint", "acme-paint"); Partial when one holds the other as whole
// words ("Acme Paint Updater"), the candidate starts with the product's letters
// ("AcmePaintHelper"), or the candidate is a good half of the product's name ("Acme
// Paint" for "Acme Paint Studio", "Firefox" for "Mozilla Firefox", but never the first
// word alone); None otherwise, also for names too short to tell.
NameMatch MatchName(std::string_view candidate, std::string_view product);

// The better match of `candidate` against several names of one program.
NameMatch BestMatch(std::string_view candidate, const std::vector<std::string>& names);

// Whether `candidate` names the publisher: the same letters once legal forms ("Inc.",
// "Ltd", "GmbH", "Corporation"...) are dropped, or the publisher's leading words
// ("Acme" for "Acme Software Inc.").
bool IsPublisherName(std::string_view candidate, std::string_view publisher);

// The names a program's traces may bear: its product name, and its uninstall key
// name unless that is a "{GUID}" (Inno Setup's "_is1" dropped). Empty ones left out.
std::vector<std::string> ProgramNames(std::string_view displayName, std::string_view keyName);

}  // namespace uninstall
