// The run script picks rows in the program's lists through these functions; here the
// lists live in the test's own process, which they treat as any other.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RemoteList.h"

namespace {

const std::vector<std::wstring> kOwnerRows = {L"Sample Sync", L"Sample Notes", L"Sample Tools"};

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
    if ((info->item.mask & LVIF_TEXT) && info->item.iItem >= 0 &&
        info->item.iItem < static_cast<int>(kOwnerRows.size()))
      lstrcpynW(info->item.pszText, kOwnerRows[info->item.iItem].c_str(), info->item.cchTextMax);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class RemoteListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW cls{};
    cls.lpfnWndProc = OwnerProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"RemoteListTestTop";
    RegisterClassW(&cls);
    top_ = CreateWindowExW(0, cls.lpszClassName, L"lists", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400,
                           nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(top_, nullptr);
    ShowWindow(top_, SW_SHOWNOACTIVATE);
  }
  void TearDown() override {
    if (top_) DestroyWindow(top_);
  }

  HWND AddList(int id, DWORD extraStyle, const std::vector<std::wstring>& rows) {
    HWND list =
        CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT | extraStyle, 0, id * 100, 500,
                        90, top_, reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 200;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    if (extraStyle & LVS_OWNERDATA) {
      SendMessageW(list, LVM_SETITEMCOUNT, rows.size(), 0);
    } else {
      for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<LPWSTR>(rows[i].c_str());
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      }
    }
    return list;
  }

  static UINT State(HWND list, int row) {
    return static_cast<UINT>(
        SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_SELECTED | LVIS_FOCUSED));
  }
  static void SetState(HWND list, int row, UINT state) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  }

  HWND top_ = nullptr;
};

TEST_F(RemoteListTest, FindsTheExactRowOfAVisibleListAndSelectsOnlyIt) {
  HWND hidden = AddList(1, 0, {L"Sample Notes"});
  HWND shown = AddList(2, WS_VISIBLE, {L"Sample Notes Pro", L"sample notes", L"Sample Notes"});
  SetState(shown, 0, LVIS_SELECTED | LVIS_FOCUSED);
  SetState(shown, 1, LVIS_SELECTED);
  SetState(hidden, 0, LVIS_SELECTED);

  int row = -1;
  ASSERT_EQ(demo::FindListRow(top_, L"Sample Notes", row), shown);
  ASSERT_EQ(row, 2);
  ASSERT_TRUE(demo::SelectOnlyRow(shown, row));

  EXPECT_EQ(State(shown, 0), 0u);
  EXPECT_EQ(State(shown, 1), 0u);
  EXPECT_EQ(State(shown, 2), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_EQ(SendMessageW(shown, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  // Another list keeps its own selection.
  EXPECT_EQ(State(hidden, 0), static_cast<UINT>(LVIS_SELECTED));
}

TEST_F(RemoteListTest, ReadsTheRowsOfAnOwnerDataListThroughItsOwner) {
  HWND list = AddList(1, WS_VISIBLE | LVS_OWNERDATA, kOwnerRows);
  int row = -1;
  ASSERT_EQ(demo::FindListRow(top_, L"Sample Notes", row), list);
  ASSERT_EQ(row, 1);
  ASSERT_TRUE(demo::SelectOnlyRow(list, row));
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
}

TEST_F(RemoteListTest, FindsNothingWhereNoVisibleListHasTheText) {
  HWND hidden = AddList(1, 0, {L"Sample Paint"});
  HWND shown = AddList(2, WS_VISIBLE, {L"Sample Paint 2", L"Sample"});
  SetState(shown, 0, LVIS_SELECTED);
  int row = 7;
  EXPECT_EQ(demo::FindListRow(top_, L"Sample Paint", row), nullptr);
  EXPECT_EQ(row, -1);
  EXPECT_FALSE(demo::SelectOnlyRow(shown, -1));
  EXPECT_EQ(State(shown, 0), static_cast<UINT>(LVIS_SELECTED));
  EXPECT_EQ(State(hidden, 0), 0u);
}

}  // namespace
