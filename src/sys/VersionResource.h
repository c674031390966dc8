// A file's version resource over the wide version API, with UTF-8 paths, sub-block
// names and texts. What the resource means is read by the callers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sys {

// Fills `data` with the version resource of `path` (used as given), in a buffer of
// the size the version API asks for. False, with `data` untouched, when the file has
// no resource or cannot be read.
bool LoadVersionResource(std::string_view path, std::vector<std::uint8_t>& data);

// VerQueryValueW on a loaded resource. A binary answer: its address inside `data`
// and its length in bytes, cut at the buffer's end; false when the sub-block is
// missing or the answer lies outside the buffer. The API may write converted texts
// into the buffer's spare room, hence the non-const buffer.
bool QueryVersionValue(std::vector<std::uint8_t>& data, std::string_view subBlock,
                       const std::uint8_t** at, std::size_t* length);

// A string entry as UTF-8, up to its terminating NUL or the buffer's end; nullopt
// when the entry is missing.
std::optional<std::string> QueryVersionText(std::vector<std::uint8_t>& data,
                                            std::string_view subBlock);

}  // namespace sys
