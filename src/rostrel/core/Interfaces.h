// The binary contract of the inventory component, shared by Rostrel.dll and every
// client. Both interfaces derive from IDispatch (vtable slots 0-6); their own
// operations follow in exactly this order, all __stdcall and returning HRESULT.
// Strings leave the component as BSTRs that the caller frees; an empty text may
// come back as an empty BSTR or as NULL. Indexes are 0-based, counts unsigned.
#pragma once

#include <oaidl.h>
#include <objbase.h>

namespace rostrel {

// {B309C186-D900-48F1-B038-C3CC0F5AE8DE}
inline constexpr IID IID_IProgramList = {
    0xB309C186, 0xD900, 0x48F1, {0xB0, 0x38, 0xC3, 0xCC, 0x0F, 0x5A, 0xE8, 0xDE}};
// {7A1E3C52-4B9D-4E61-9F0A-3D85C2B6E417}
inline constexpr IID IID_IProgramItem = {
    0x7A1E3C52, 0x4B9D, 0x4E61, {0x9F, 0x0A, 0x3D, 0x85, 0xC2, 0xB6, 0xE4, 0x17}};

// Where a program's uninstall entry lives (GetProgramSource).
enum ProgramSource : LONG {
  kSourceMachine = 0,      // HKLM, the native registry view
  kSourceMachine32 = 1,    // HKLM, the 32-bit view of 64-bit Windows
  kSourceCurrentUser = 2,  // HKCU
};

// One installed program: a view of one uninstall entry.
struct IProgramItem : public IDispatch {
  // Slot 7 onwards.
  virtual HRESULT STDMETHODCALLTYPE GetDisplayName(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetUninstallString(BSTR* command) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRegistryKeyName(BSTR* keyName) = 0;
  // Re-points the item to another entry, found by its sub-key name.
  virtual HRESULT STDMETHODCALLTYPE SetRegistryKeyName(BSTR keyName) = 0;
  // 1 for a system patch, 0 for a program.
  virtual HRESULT STDMETHODCALLTYPE GetSystemPatch(LONG* patch) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPublisher(BSTR* publisher) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetInstallLocation(BSTR* folder) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIconIndex(LONG* icon) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetUsedFrequency(ULONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLastUsed(BSTR* date) = 0;
  // Bytes; 0 when no size is known.
  virtual HRESULT STDMETHODCALLTYPE GetSize(FLOAT* bytes) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetInstallDate(BSTR* date) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVersion(BSTR* version) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetHelpLink(BSTR* link) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAboutLink(BSTR* link) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetUpdateLink(BSTR* link) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRegistryValueCount(ULONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRegistryValueName(ULONG index, BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRegistryValueData(ULONG index, BSTR* data) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetComment(BSTR comment) = 0;
};

// The installed programs and the screen savers. Program indexes stay valid until
// the next LoadPrograms, screen saver indexes until the next LoadScreenSavers.
struct IProgramList : public IDispatch {
  // Slots 7-18: the operations every client relies on.
  // S_OK with an item, or S_FALSE with *item = NULL when there is no entry at index.
  virtual HRESULT STDMETHODCALLTYPE GetProgram(ULONG index, IProgramItem** item) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetProgramCount(ULONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverCount(ULONG* count) = 0;
  // The screen saver operations answer E_INVALIDARG for an index out of range.
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverFileName(ULONG index, BSTR* fileName) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverPublisher(ULONG index, BSTR* publisher) = 0;
  // Ends with a backslash; directory + file name is the file.
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverDirectory(ULONG index, BSTR* directory) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverDescription(ULONG index, BSTR* title) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverIconIndex(ULONG index, LONG* icon) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverSize(ULONG index, ULONG* bytes) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverLastUsed(ULONG index, BSTR* date) = 0;
  virtual HRESULT STDMETHODCALLTYPE LoadPrograms() = 0;
  virtual HRESULT STDMETHODCALLTYPE LoadScreenSavers() = 0;

  // Slots 19-26: further operations on the same collections.
  // The index of the program whose sub-key is `keyName` (ignoring case): S_OK, or
  // S_FALSE with *index = ULONG_MAX when none is listed.
  virtual HRESULT STDMETHODCALLTYPE FindProgram(BSTR keyName, ULONG* index) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSystemPatchCount(ULONG* count) = 0;
  // The full path of the program's entry as the registry editor shows it,
  // e.g. "HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\...\Uninstall\Name".
  virtual HRESULT STDMETHODCALLTYPE GetProgramRegistryPath(ULONG index, BSTR* path) = 0;
  // A ProgramSource value.
  virtual HRESULT STDMETHODCALLTYPE GetProgramSource(ULONG index, LONG* source) = 0;
  // The comment stored by IProgramItem::SetComment for this program, or empty.
  virtual HRESULT STDMETHODCALLTYPE GetProgramComment(ULONG index, BSTR* comment) = 0;
  // Directory + file name.
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverPath(ULONG index, BSTR* path) = 0;
  // The file version from its version resource, or empty.
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverVersion(ULONG index, BSTR* version) = 0;
  // 1 when this file is the current user's chosen screen saver, else 0.
  virtual HRESULT STDMETHODCALLTYPE GetScreenSaverActive(ULONG index, LONG* active) = 0;
};

}  // namespace rostrel
