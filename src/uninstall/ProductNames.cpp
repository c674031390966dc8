#include "uninstall/ProductNames.h"

#include <algorithm>
#include <cctype>

#include "sys/BackupFiles.h"

namespace uninstall {
namespace {

bool IsNameChar(unsigned char c) {
  // Letters of other scripts are part of a name too; "+" and "#" tell "Notepad++"
  // from "Notepad".
  return std::isalnum(c) || c >= 0x80 || c == '+' || c == '#';
}

// The upper-case runs of name characters.
std::vector<std::string> Tokens(std::string_view text) {
  const std::string upper = sys::UpperCase(text);
  std::vector<std::string> tokens;
  std::string current;
  for (const char c : upper) {
    if (IsNameChar(static_cast<unsigned char>(c))) {
      current += c;
    } else if (!current.empty()) {
      tokens.push_back(std::move(current));
      current.clear();
    }
  }
  if (!current.empty()) tokens.push_back(std::move(current));
  return tokens;
}

std::string Joined(const std::vector<std::string>& tokens) {
  std::string out;
  for (const std::string& token : tokens) out += token;
  return out;
}

// `inner` appears in `outer` as a run of whole tokens.
bool HoldsRun(const std::vector<std::string>& outer, const std::vector<std::string>& inner) {
  if (inner.empty() || inner.size() > outer.size()) return false;
  return std::search(outer.begin(), outer.end(), inner.begin(), inner.end()) != outer.end();
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// "1.2", "2.4.1", "v3", "v1.0", "10.0.19041-beta", "2.0b".
bool IsVersion(std::string_view word) {
  bool prefixed = false;
  if (!word.empty() && (word[0] == 'v' || word[0] == 'V')) {
    word.remove_prefix(1);
    prefixed = true;
  }
  size_t at = 0, groups = 0;
  while (at < word.size()) {
    const size_t start = at;
    while (at < word.size() && std::isdigit(static_cast<unsigned char>(word[at]))) ++at;
    if (at == start) break;
    ++groups;
    if (at < word.size() && word[at] == '.') {
      ++at;
      continue;
    }
    break;
  }
  if (groups == 0) return false;
  if (groups == 1 && !prefixed) return false;  // a plain number is part of many names
  // What follows the numbers: a short tag such as "b", "-beta", "rc1".
  const std::string_view rest = word.substr(at);
  return rest.size() <= 8 && std::all_of(rest.begin(), rest.end(), [](char c) {
           return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '+';
         });
}

bool IsPlatformWord(std::string_view word) {
  static constexpr const char* kWords[] = {
      "x64",   "x86",   "x86_64", "x86-64", "amd64",  "arm64",  "ia64",    "win64",
      "64bit", "32bit", "64-bit", "32-bit", "64bits", "32bits", "64-bits", "32-bits"};
  const std::string lower = Lower(word);
  return std::any_of(std::begin(kWords), std::end(kWords),
                     [&](const char* known) { return lower == known; });
}

// "en-US", "de", "pt-BR": a language tag in a bracketed group.
bool IsLanguageTag(std::string_view word) {
  if (word.size() != 2 && word.size() != 5) return false;
  auto letters = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
  };
  if (word.size() == 2) return letters(word);
  return letters(word.substr(0, 2)) && word[2] == '-' && letters(word.substr(3));
}

bool IsDroppedWord(std::string_view word) {
  const std::string lower = Lower(word);
  return IsVersion(word) || IsPlatformWord(word) || lower == "version" || lower == "ver" ||
         lower == "ver." || lower == "-" || lower == "\xE2\x80\x93";  // en dash
}

std::string_view WithoutBrackets(std::string_view word) {
  while (!word.empty() && (word.front() == '(' || word.front() == '[')) word.remove_prefix(1);
  while (!word.empty() && (word.back() == ')' || word.back() == ']' || word.back() == ','))
    word.remove_suffix(1);
  return word;
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string current;
  for (const char c : text) {
    if (c == ' ' || c == '\t') {
      if (!current.empty()) words.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) words.push_back(std::move(current));
  return words;
}

// Whether the trailing words from `first` on make a bracketed group of dropped words.
bool IsDroppedGroup(const std::vector<std::string>& words, size_t first) {
  for (size_t i = first; i < words.size(); ++i) {
    const std::string_view word = WithoutBrackets(words[i]);
    if (word.empty()) continue;
    if (!IsDroppedWord(word) && !IsLanguageTag(word) && Lower(word) != "bit") return false;
  }
  return true;
}

// Legal forms at the end of a publisher's name, as tokens (in lower case here).
bool IsLegalForm(const std::string& token) {
  static constexpr const char* kForms[] = {
      "inc",  "incorporated", "ltd",     "limited", "llc", "llp", "gmbh", "ag",  "sa",  "sas",
      "sarl", "srl",          "bv",      "nv",      "ab",  "as",  "oy",   "pty", "plc", "co",
      "corp", "corporation",  "company", "kg",      "spa", "kk",  "s",    "a",   "l",   "c"};
  const std::string lower = Lower(token);
  return std::any_of(std::begin(kForms), std::end(kForms),
                     [&](const char* form) { return lower == form; });
}

std::vector<std::string> PublisherTokens(std::string_view name) {
  std::vector<std::string> tokens = Tokens(name);
  while (tokens.size() > 1 && IsLegalForm(tokens.back())) tokens.pop_back();
  if (tokens.size() > 1 && tokens.front() == "THE") tokens.erase(tokens.begin());
  return tokens;
}

}  // namespace

std::string ProductName(std::string_view displayName) {
  std::vector<std::string> words = Words(displayName);
  const size_t all = words.size();
  while (!words.empty()) {
    const std::string& last = words.back();
    if (last.back() == ')' || last.back() == ']') {
      size_t first = words.size() - 1;
      while (first > 0 && words[first].front() != '(' && words[first].front() != '[') --first;
      if (words[first].front() != '(' && words[first].front() != '[') break;
      if (!IsDroppedGroup(words, first)) break;
      words.resize(first);
      continue;
    }
    const std::string_view word = WithoutBrackets(last);
    if (word.empty() || IsDroppedWord(word)) {
      words.pop_back();
      continue;
    }
    // "64 bit".
    if (Lower(word) == "bit" && words.size() >= 2 &&
        (words[words.size() - 2] == "32" || words[words.size() - 2] == "64")) {
      words.resize(words.size() - 2);
      continue;
    }
    break;
  }
  if (words.empty() || all == 0) {
    std::string whole(displayName);
    const size_t start = whole.find_first_not_of(" \t");
    if (start == std::string::npos) return std::string();
    return whole.substr(start, whole.find_last_not_of(" \t") - start + 1);
  }
  std::string out;
  for (const std::string& word : words) out += (out.empty() ? "" : " ") + word;
  // "Acme Paint," before a dropped word.
  while (!out.empty() && (out.back() == ',' || out.back() == '-' || out.back() == ':'))
    out.pop_back();
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

NameMatch MatchName(std::string_view candidate, std::string_view product) {
  const std::vector<std::string> productTokens = Tokens(product);
  const std::vector<std::string> candidateTokens = Tokens(candidate);
  const std::string p = Joined(productTokens);
  const std::string c = Joined(candidateTokens);
  if (p.size() < 2 || c.empty()) return NameMatch::None;
  if (c == p) return NameMatch::Exact;
  if (HoldsRun(candidateTokens, productTokens)) return NameMatch::Partial;
  if (p.size() >= 4 && c.size() > p.size() && c.compare(0, p.size(), p) == 0)
    return NameMatch::Partial;
  // A good half of the product's name, but not its first word alone: that is mostly
  // the vendor's ("Microsoft" of "Microsoft Edge"), whose key holds far more.
  if (c.size() >= 4 && c.size() * 2 >= p.size() && HoldsRun(productTokens, candidateTokens) &&
      (candidateTokens.size() > 1 || candidateTokens.front() != productTokens.front()))
    return NameMatch::Partial;
  return NameMatch::None;
}

NameMatch BestMatch(std::string_view candidate, const std::vector<std::string>& names) {
  NameMatch best = NameMatch::None;
  for (const std::string& name : names) best = std::max(best, MatchName(candidate, name));
  return best;
}

bool IsPublisherName(std::string_view candidate, std::string_view publisher) {
  const std::vector<std::string> full = Tokens(publisher);
  const std::vector<std::string> publisherTokens = PublisherTokens(publisher);
  const std::vector<std::string> candidateTokens = PublisherTokens(candidate);
  const std::string c = Joined(candidateTokens);
  if (publisherTokens.empty() || c.size() < 2) return false;
  if (c == Joined(publisherTokens) || c == Joined(full)) return true;
  // The publisher's leading words: "Acme" for "Acme Software Inc.".
  return c.size() >= 3 && candidateTokens.size() <= publisherTokens.size() &&
         std::equal(candidateTokens.begin(), candidateTokens.end(), publisherTokens.begin());
}

std::vector<std::string> ProgramNames(std::string_view displayName, std::string_view keyName) {
  std::vector<std::string> names;
  auto add = [&names](std::string name) {
    if (Tokens(name).empty()) return;
    const std::string letters = Joined(Tokens(name));
    for (const std::string& known : names)
      if (Joined(Tokens(known)) == letters) return;
    names.push_back(std::move(name));
  };
  add(ProductName(displayName));
  std::string key(keyName);
  if (!key.empty() && key.front() != '{') {
    if (key.size() > 4 && sys::UpperCase(key.substr(key.size() - 4)) == "_IS1")
      key.resize(key.size() - 4);
    // Inno Setup's AppId may be a "{GUID}" too, with "_is1" after it.
    if (!key.empty() && key.front() != '{') add(key);
  }
  return names;
}

}  // namespace uninstall
