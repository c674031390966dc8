// What a program list row's data holds: which of the component's collections the row
// comes from, and its index there. The kind lives in the data and is never read from
// the caption: a program may well be called "[Beta] Tool". The details window's
// program box reads the same data, so the encoding lives beside the component client.
#pragma once

#include <windows.h>

namespace inventory {

enum class ProgramRowKind { Program, ScreenSaver };

// Screen saver rows carry this bit; the index is in the bits below it. The bit is not
// the sign bit, so that row data stay positive where they are compared as numbers.
inline constexpr LPARAM kScreenSaverRowBit = 0x40000000;
inline constexpr LPARAM kRowIndexMask = kScreenSaverRowBit - 1;

// `index` must be below kScreenSaverRowBit; the component's collections are far
// smaller than that.
constexpr LPARAM MakeRowData(ProgramRowKind kind, ULONG index) {
  const LPARAM bits = static_cast<LPARAM>(index) & kRowIndexMask;
  return kind == ProgramRowKind::ScreenSaver ? (bits | kScreenSaverRowBit) : bits;
}

constexpr ProgramRowKind RowKind(LPARAM data) {
  return (data & kScreenSaverRowBit) != 0 ? ProgramRowKind::ScreenSaver : ProgramRowKind::Program;
}

constexpr ULONG RowIndex(LPARAM data) {
  return static_cast<ULONG>(data & kRowIndexMask);
}

}  // namespace inventory
