// A list view control, typed: columns, rows with sub-items, images, tick boxes,
// selection, view styles, sorting and hit testing over the real control.
//
// On top of the plain control it offers what the program's lists need and the
// control lacks:
// - a link column: one column's cells drawn blue and underlined through custom
//   draw, with the hand cursor over them and a callback on a left press;
// - item tips of our own (a tracking tooltip whose text comes from a callback),
//   which also work where the system never asks for info tips.
//
// A list made with `ownerData` keeps its rows in the object instead of the control
// (LVS_OWNERDATA): the control holds only the row count, the selection and the
// focus, and asks for the texts and images of the rows that it shows. Filling it
// costs one message however many rows go in, where a plain list costs several per
// row; the row functions below work alike in both kinds. Such a list has no tick
// boxes.
//
// The object owns the control (it destroys it when it goes, unless the parent has
// already done so) and what it made for it (the link font, the tip window). Image
// lists set on it are borrowed: the list is created with LVS_SHAREIMAGELISTS.
// The control's notifications reach the object through tk::Window's notification
// reflection (NotifyReflection.h); a parent that is no tk::Window calls
// handleNotify() from its own WM_NOTIFY handler.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sys/Handles.h"
#include "toolkit/Control.h"
#include "toolkit/ListViewNotify.h"
#include "toolkit/NotifyReflection.h"
#include "toolkit/RedrawGuard.h"
#include "toolkit/TrackingTip.h"

namespace tk {

enum class ListViewMode { Icon, Report, SmallIcon, List };

struct ListViewOptions {
  ListViewMode mode = ListViewMode::Report;
  bool checkBoxes = false;
  bool fullRowSelect = false;
  bool gridLines = false;
  bool infoTips = false;  // the system's own info tips (LVN_GETINFOTIP)
  bool multiSelect = false;
  bool showSelectionAlways = false;
  bool editLabels = false;
  bool sortHeader = true;  // column headers are buttons (LVN_COLUMNCLICK)
  bool border = true;
  bool ownerData = false;  // the object keeps the rows (see above); no tick boxes
};

// The window style, window extended style and list view extended style that the
// options ask for.
struct ListViewStyles {
  DWORD style = 0;
  DWORD exStyle = 0;
  DWORD listExStyle = 0;
};
ListViewStyles ListViewStylesFor(const ListViewOptions& options);

// The image of a row that the list asks for when it has drawn the row (lists that
// keep their rows; see ListView::setImagesOnDemand). Elsewhere it means none.
inline constexpr int kImageOnDemand = -2;

// One row as the program hands it over and reads it back.
struct ListRow {
  std::string caption;
  std::vector<std::string> subItems;  // the texts of columns 1, 2, ...
  int image = -1;                     // index in the image lists; -1 for none; or kImageOnDemand
  LPARAM data = 0;
  bool checked = false;  // lists with tick boxes only
};

struct ListHit {
  int item = -1;  // -1 when no row is hit
  int subItem = 0;
  UINT flags = 0;  // LVHT_...
};

class ListView : private NotifyHandler {
 public:
  ListView() = default;
  ~ListView();
  ListView(const ListView&) = delete;
  ListView& operator=(const ListView&) = delete;

  bool create(HWND parent, int id, const RECT& bounds, const ListViewOptions& options = {});
  HWND hwnd() const { return hwnd_; }
  Control control() const { return Control(hwnd_); }

  // Columns (report view).
  int addColumn(const std::string& caption, int width, int format = LVCFMT_LEFT);
  int columnCount() const;
  bool setColumnCaption(int column, const std::string& caption);
  std::string columnCaption(int column) const;
  bool setColumnWidth(int column, int width);
  int columnWidth(int column) const;

  // Image lists, borrowed. which: LVSIL_SMALL, LVSIL_NORMAL or LVSIL_STATE.
  void setImageList(HIMAGELIST images, int which);
  HIMAGELIST imageList(int which) const;
  // The shell's small and large icon lists, for rows whose image is a system icon index.
  bool attachSystemImageLists();

  // Rows.
  int count() const;
  // Inserts at `at` (appends for -1 or past the end); returns the row's index or -1.
  int insertRow(const ListRow& row, int at = -1);
  // Appends rows at the end; for a list that keeps its rows with one message.
  void appendRows(std::vector<ListRow> rows);
  bool ownerData() const { return ownerData_; }
  ListRow row(int item) const;  // an empty row for a bad index
  std::string itemText(int item, int column) const;
  bool setItemText(int item, int column, const std::string& text);
  LPARAM itemData(int item) const;
  bool setItemData(int item, LPARAM data);
  // The row's image as far as it is known: -1 for none and for an image on demand
  // that has not been asked for yet.
  int itemImage(int item) const;
  bool setItemImage(int item, int image);

  // Images on demand, for lists that keep their rows: a row whose image is
  // kImageOnDemand is drawn with `placeholder` (-1: none) at first; right after,
  // while the row is still in view, `source` is asked once for its image and the row
  // is drawn again with it. So a long list shows at once, and only the rows that
  // are seen pay for their images. The answer stays with the row (below 0: none);
  // `source` gets the row's current index and must not change the rows.
  using ImageSource = std::function<int(int item)>;
  void setImagesOnDemand(ImageSource source, int placeholder = -1);
  // Whether the row still waits for its image.
  bool imagePending(int item) const;
  int findData(LPARAM data) const;  // the first row with this data, or -1
  bool deleteRow(int item);
  void deleteAll();

  // Tick boxes.
  bool checked(int item) const;
  void setChecked(int item, bool checked);

  // Selection.
  int selectedIndex() const;  // the first selected row, or -1
  std::vector<int> selectedIndexes() const;
  int selectedCount() const;
  bool isSelected(int item) const;
  // Selects (and focuses) or deselects one row; other rows keep their state.
  void select(int item, bool selected = true);
  // Selects and focuses one row and deselects all others.
  void selectOnly(int item);
  void clearSelection();
  int focusedIndex() const;

  // View and looks.
  ListViewMode mode() const;
  void setMode(ListViewMode mode);
  DWORD extendedStyle() const;
  void setExtendedStyle(DWORD mask, DWORD bits);
  bool gridLines() const { return (extendedStyle() & LVS_EX_GRIDLINES) != 0; }
  void setGridLines(bool on) { setExtendedStyle(LVS_EX_GRIDLINES, on ? LVS_EX_GRIDLINES : 0); }

  // Suspends repainting until the guard goes: `auto hold = list.beginUpdate();`.
  RedrawGuard beginUpdate() const { return RedrawGuard(hwnd_); }

  // Sorts the rows. The callback gets the current indexes of two rows (so it may
  // read their texts) and returns <0, 0 or >0 as the first goes before, with or
  // after the second. Exceptions thrown by the callback count as "equal". In a list
  // that keeps its rows the sort is stable, the selection and the focus move with
  // their rows, and the callback's indexes are the rows' places before the sort.
  using IndexCompare = std::function<int(int itemA, int itemB)>;
  bool sort(const IndexCompare& compare);
  using DataCompare = std::function<int(LPARAM dataA, LPARAM dataB)>;
  bool sortByData(const DataCompare& compare);

  // Geometry, in the list's client coordinates.
  ListHit hitTest(POINT client) const;
  // The cell of a row in a column (report view); for column 0 the label part.
  RECT cellRect(int item, int column) const;
  RECT itemRect(int item, int part = LVIR_BOUNDS) const;
  bool ensureVisible(int item);
  int topIndex() const;
  bool scroll(int dx, int dy);

  // The link column: its cells are drawn in `colour`, underlined, and show the hand
  // cursor in report view; a left press on one calls onLinkClick. -1: no link column.
  void setLinkColumn(int column, COLORREF colour = RGB(0, 0, 255));
  int linkColumn() const { return linkColumn_; }
  COLORREF linkColour() const { return linkColour_; }
  // Whether a point (client coordinates) lies on a link cell.
  bool isOnLink(POINT client, int* item = nullptr) const;

  // Item tips of our own: after the mouse rests `delayMs` on a row, the tip shows
  // the callback's text for it (lines separated by CR LF; empty: no tip). Errors
  // thrown while the text is built are ignored and show no tip.
  using TipText = std::function<std::string(int item)>;
  void setItemTips(TipText text, UINT delayMs = 500);
  void setItemTipsEnabled(bool enabled);
  bool itemTipsEnabled() const { return tipsEnabled_; }
  const TrackingTip& itemTip() const { return tip_; }

  // Notification callbacks, run from handleNotify.
  std::function<void(const ListItemChange&)> onItemChanged;
  std::function<void(int column)> onColumnClick;
  std::function<void(const ListItemActivation&)> onActivate;  // clicks and double clicks
  std::function<void(int item)> onLinkClick;
  // Custom draw of the list's own: a value is returned to the control as it is,
  // and the link column's drawing is skipped for that stage.
  std::function<std::optional<LRESULT>(const ListCustomDraw&)> onCustomDraw;

  // Handles a notification of this list: runs the callbacks and draws the link
  // column. Returns true with *result set when the control expects that answer.
  bool handleNotify(NMHDR* header, LRESULT* result);

 private:
  bool reflectNotify(NMHDR* header, LRESULT* result) override {
    return handleNotify(header, result);
  }
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  LRESULT onSubclassMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool* handled);
  std::optional<LRESULT> drawLink(const ListCustomDraw& draw, NMLVCUSTOMDRAW* nm);
  // Lists that keep their rows (ListViewOwnerData.cpp): the control's questions,
  // the count, row changes that move the selection, the sort.
  bool answerOwnerData(NMHDR* header, LRESULT* result);
  int findOwnRow(const LVFINDINFOW& find, int start) const;
  void syncItemCount();
  int insertOwnRow(const ListRow& row, int at);
  bool deleteOwnRow(int item);
  bool setOwnRowText(int item, int column, const std::string& text);
  bool sortOwnRows(const std::function<int(size_t a, size_t b)>& compare);
  // Puts the selection and the focus on these rows without telling onItemChanged:
  // the rows under them moved, the user's choice did not change.
  void setMarksQuietly(const std::vector<int>& selected, int focused);
  const ListRow* ownRow(int item) const;
  ListRow* ownRow(int item);
  static std::string OwnRowText(const ListRow& row, int column);
  // Images on demand (ListViewImages.cpp): what the control is shown for a row
  // meanwhile, and the rows it drew so, whose images are asked for in a message
  // posted to the control after the drawing.
  int shownImage(int item, const ListRow& row);
  void resolveWantedImages();
  static UINT ResolveImagesMessage();
  void rebuildLinkFont();
  void trackTip(POINT client);
  void showTip();
  void cancelTip();
  void detach();

  HWND hwnd_ = nullptr;
  bool ownerData_ = false;
  std::vector<ListRow> rows_;  // the rows of a list that keeps them
  bool quiet_ = false;         // item changes that the callbacks must not see
  ImageSource imageSource_;
  int imagePlaceholder_ = -1;
  std::vector<int> wantedImages_;
  bool imagesPosted_ = false;
  int linkColumn_ = -1;
  COLORREF linkColour_ = RGB(0, 0, 255);
  sys::UniqueFont linkFont_;
  TrackingTip tip_;
  TipText tipText_;
  UINT tipDelay_ = 500;
  bool tipsEnabled_ = false;
  bool trackingLeave_ = false;
  int tipItem_ = -1;
  POINT tipPoint_{};
};

}  // namespace tk
