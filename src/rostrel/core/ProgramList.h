// IProgramList: the installed programs and the screen savers, by index.
#pragma once

#include <memory>
#include <vector>

#include "rostrel/core/ComBase.h"
#include "rostrel/core/Icons.h"
#include "rostrel/core/Interfaces.h"
#include "rostrel/core/Inventory.h"
#include "rostrel/core/ScreenSavers.h"

namespace rostrel {

class ProgramList final : public DispatchObject<IProgramList, IID_IProgramList> {
 public:
  ProgramList();

  HRESULT STDMETHODCALLTYPE GetProgram(ULONG index, IProgramItem** item) override;
  HRESULT STDMETHODCALLTYPE GetProgramCount(ULONG* count) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverCount(ULONG* count) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverFileName(ULONG index, BSTR* fileName) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverPublisher(ULONG index, BSTR* publisher) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverDirectory(ULONG index, BSTR* directory) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverDescription(ULONG index, BSTR* title) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverIconIndex(ULONG index, LONG* icon) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverSize(ULONG index, ULONG* bytes) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverLastUsed(ULONG index, BSTR* date) override;
  HRESULT STDMETHODCALLTYPE LoadPrograms() override;
  HRESULT STDMETHODCALLTYPE LoadScreenSavers() override;

  HRESULT STDMETHODCALLTYPE FindProgram(BSTR keyName, ULONG* index) override;
  HRESULT STDMETHODCALLTYPE GetSystemPatchCount(ULONG* count) override;
  HRESULT STDMETHODCALLTYPE GetProgramRegistryPath(ULONG index, BSTR* path) override;
  HRESULT STDMETHODCALLTYPE GetProgramSource(ULONG index, LONG* source) override;
  HRESULT STDMETHODCALLTYPE GetProgramComment(ULONG index, BSTR* comment) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverPath(ULONG index, BSTR* path) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverVersion(ULONG index, BSTR* version) override;
  HRESULT STDMETHODCALLTYPE GetScreenSaverActive(ULONG index, LONG* active) override;

 private:
  // The entry at `index` of the current loading, or nullptr.
  const ProgramEntry* entryAt(ULONG index) const;
  // Hands out one text of the screen saver at `index`.
  template <typename Field>
  HRESULT saverText(ULONG index, BSTR* out, Field field);

  // The programs' icons outlive each loading: a refresh looks up only new sources.
  std::shared_ptr<IconCache> icons_;
  std::shared_ptr<Inventory> inventory_;
  std::vector<ScreenSaver> savers_;
  IconCache saverIcons_;
};

}  // namespace rostrel
