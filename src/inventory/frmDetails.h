// The details window: everything the inventory component knows about one program
// (a properties page and the raw values of its uninstall entry), with a program
// box at the top to step from program to program without closing the window.
//
// The main window creates it once and keeps it for the whole run; showing it again
// reuses it, and closing it only hides it. The program box is filled by the main
// list's refill (SetPrograms), also while the window is hidden.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "inventory/DetailsRows.h"
#include "inventory/RostrelLib_TLB.h"
#include "toolkit/Control.h"
#include "toolkit/ListView.h"
#include "toolkit/Window.h"

namespace forms {

// Control ids of the details window.
enum DetailsFormId : int {
  kIdDetailsLabelPrograms = 100,
  kIdDetailsPrograms,
  kIdDetailsPages,
  kIdDetailsProgramInfo,
  kIdDetailsRegistryInfo,
};

class TDetailsForm : public tk::Window {
 public:
  static constexpr int kClientWidth = 444;
  static constexpr int kClientHeight = 346;
  static constexpr int kPageProgramInfo = 0;
  static constexpr int kPageRegistryInfo = 1;

  // `programs` is the main window's client of the component; it outlives the form.
  explicit TDetailsForm(inventory::TProgramList& programs) : programs_(programs) {}
  ~TDetailsForm() override;

  // Creates the window hidden, owned by `owner`: the controls, the four columns and
  // the shell's small icon list for the program box.
  bool Create(HWND owner);

  // The program box: emptied and refilled with the main list's program rows. An
  // entry without an image yet gets it from programImageOf when it is drawn.
  void SetPrograms(const std::vector<inventory::ProgramBoxEntry>& entries);
  std::function<int(ULONG programIndex)> programImageOf;
  // The program rows of `mainList` (in its order) for the program box. The box
  // takes them when it is next used: filling the control costs more than the main
  // list's whole fill, and the window is seldom opened between two refills.
  void SetProgramsFrom(const tk::ListView& mainList);
  int programCount() const;
  std::string programText(int position) const;
  LPARAM programData(int position) const;
  int programImage(int position) const;
  int selectedProgram() const;  // the box's position, -1 for none

  // Fills both pages for the program with this component index and moves the
  // program box to it. Without an item for the index nothing changes; component
  // errors end the fill silently, leaving the rows read so far.
  void ShowProgramDetails(ULONG index);
  // The user picked an entry in the program box.
  void cmbProgramsChange();

  // Labels the window from the language table, centres it over `owner` and shows it
  // modally until it is closed (which hides it). Returns the modal result.
  int ShowModalFor(HWND owner);
  // The window's texts from the language table (done at every showing).
  void FormShow();

  // Shows one of the two pages, as clicking its tab does.
  void ShowPage(int page);
  int activePage() const;

  // Controls, named as the window names them.
  tk::Control lblPrograms, cmbPrograms, pcProgramDetails;
  tk::ListView lsvProgramInfo, lsvRegistryInfo;
  HIMAGELIST CmbImageList = nullptr;  // the shell's, borrowed

 protected:
  bool onCommand(WORD id, WORD code, HWND control) override;
  LRESULT onNotify(NMHDR* header, bool* handled) override;

 private:
  void createPages();
  static void PutRows(tk::ListView& list, const std::vector<inventory::DetailRow>& rows);

  void putPrograms(const std::vector<inventory::ProgramBoxEntry>& entries) const;
  // Puts the rows that SetProgramsFrom kept into the box, once.
  void takePendingPrograms() const;

  inventory::TProgramList& programs_;
  mutable std::optional<std::vector<inventory::ProgramBoxEntry>> pendingPrograms_;
};

}  // namespace forms
