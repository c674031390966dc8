#pragma once

// The skin table as data, in the order of the skin file. One line per entry:
//   SKIN(id, section, default value, target)
// The key is the id's own spelling. Bounds are "left, top, width, height";
// pictures are file names inside Skins\ (or a folder of it); colours are
// "#RRGGBB", where empty leaves the program's own design colour. The includer
// defines SKIN; only ui/SkinTargets.cpp reads the target, one of
//   BOUNDS(member)         the place and size of that TMainSkinTargets member
//   PICTURE(member)        the picture of that image member
//   STATE(member, state)   one state's picture of that skinned button
//   COLOUR(role)           that text colour role of TSkinColours
//   ELSEWHERE              read where it is used: by another window, or by the
//                          side panels' hot spots (the lists' full places)
//   NOT_APPLIED            read and written, applied by no window
// ApplySkin applies the main window's keys in this order; the built-in title
// (ImgTitle, which no key carries) comes right after the background picture, and
// the colours come last, also after a bad value has ended the rest. A new key is
// one line here, plus its TMainSkinTargets member when it skins a new control.
// clang-format off
#define PRUNAXIS_SKIN_ENTRIES(SKIN) \
  SKIN(SK_MAINFORM_Pos, kMainForm, "0, 0, 763, 538", BOUNDS(MainForm)) \
  SKIN(SK_MAINFORM_PicBackGround, kMainForm, "img_Main.png", PICTURE(imgBackGround)) \
  SKIN(SK_MAINFORM_BUTTON_Min_Pos, kMainForm, "680, 9, 21, 21", BOUNDS(btnMin)) \
  SKIN(SK_MAINFORM_BUTTON_Min_PicNormal, kMainForm, "btnMin_Normal.png", STATE(btnMin, Normal)) \
  SKIN(SK_MAINFORM_BUTTON_Min_PicMouseHover, kMainForm, "btnMin_Hover.png", STATE(btnMin, MouseHover)) \
  SKIN(SK_MAINFORM_BUTTON_Min_PicMouseDown, kMainForm, "btnMin_Down.png", STATE(btnMin, MouseDown)) \
  SKIN(SK_MAINFORM_BUTTON_Min_PicDisabled, kMainForm, "btnMin_Disabled.png", STATE(btnMin, Disabled)) \
  SKIN(SK_MAINFORM_BUTTON_HelpContent_Pos, kMainForm, "701, 9, 21, 21", BOUNDS(btnHelpContent)) \
  SKIN(SK_MAINFORM_BUTTON_HelpContent_PicNormal, kMainForm, "btnHelpContent_Normal.png", STATE(btnHelpContent, Normal)) \
  SKIN(SK_MAINFORM_BUTTON_HelpContent_PicMouseHover, kMainForm, "btnHelpContent_Hover.png", STATE(btnHelpContent, MouseHover)) \
  SKIN(SK_MAINFORM_BUTTON_HelpContent_PicMouseDown, kMainForm, "btnHelpContent_Down.png", STATE(btnHelpContent, MouseDown)) \
  SKIN(SK_MAINFORM_BUTTON_HelpContent_PicDisabled, kMainForm, "btnHelpContent_Disabled.png", STATE(btnHelpContent, Disabled)) \
  SKIN(SK_MAINFORM_BUTTON_Close_Pos, kMainForm, "722, 9, 21, 21", BOUNDS(btnClose)) \
  SKIN(SK_MAINFORM_BUTTON_Close_PicNormal, kMainForm, "btnClose_Normal.png", STATE(btnClose, Normal)) \
  SKIN(SK_MAINFORM_BUTTON_Close_PicMouseHover, kMainForm, "btnClose_Hover.png", STATE(btnClose, MouseHover)) \
  SKIN(SK_MAINFORM_BUTTON_Close_PicMouseDown, kMainForm, "btnClose_Down.png", STATE(btnClose, MouseDown)) \
  SKIN(SK_MAINFORM_BUTTON_Close_PicDisabled, kMainForm, "btnClose_Disabled.png", STATE(btnClose, Disabled)) \
  SKIN(SK_MAINFORM_BUTTON_File_Pos, kMainForm, "11, 28, 117, 34", BOUNDS(btnFile)) \
  SKIN(SK_MAINFORM_BUTTON_File_PicNormal, kMainForm, "btnFile_Normal.png", STATE(btnFile, Normal)) \
  SKIN(SK_MAINFORM_BUTTON_File_PicMouseHover, kMainForm, "btnFile_Hover.png", STATE(btnFile, MouseHover)) \
  SKIN(SK_MAINFORM_BUTTON_File_PicMouseDown, kMainForm, "btnFile_Down.png", STATE(btnFile, MouseDown)) \
  SKIN(SK_MAINFORM_BUTTON_File_PicDisabled, kMainForm, "btnFile_Disabled.png", STATE(btnFile, Disabled)) \
  SKIN(SK_MAINFORM_BUTTON_View_Pos, kMainForm, "128, 28, 117, 34", BOUNDS(btnView)) \
  SKIN(SK_MAINFORM_BUTTON_View_PicNormal, kMainForm, "btnView_Normal.png", STATE(btnView, Normal)) \
  SKIN(SK_MAINFORM_BUTTON_View_PicMouseHover, kMainForm, "btnView_Hover.png", STATE(btnView, MouseHover)) \
  SKIN(SK_MAINFORM_BUTTON_View_PicMouseDown, kMainForm, "btnView_Down.png", STATE(btnView, MouseDown)) \
  SKIN(SK_MAINFORM_BUTTON_View_PicDisabled, kMainForm, "btnView_Disabled.png", STATE(btnView, Disabled)) \
  SKIN(SK_MAINFORM_BUTTON_Tools_Pos, kMainForm, "245, 28, 117, 34", BOUNDS(btnTools)) \
  SKIN(SK_MAINFORM_BUTTON_Tools_PicNormal, kMainForm, "btnTools_Normal.png", STATE(btnTools, Normal)) \
  SKIN(SK_MAINFORM_BUTTON_Tools_PicMouseHover, kMainForm, "btnTools_Hover.png", STATE(btnTools, MouseHover)) \
  SKIN(SK_MAINFORM_BUTTON_Tools_PicMouseDown, kMainForm, "btnTools_Down.png", STATE(btnTools, MouseDown)) \
  SKIN(SK_MAINFORM_BUTTON_Tools_PicDisabled, kMainForm, "btnTools_Disabled.png", STATE(btnTools, Disabled)) \
  SKIN(SK_MAINFORM_BUTTON_Help_Pos, kMainForm, "362, 28, 117, 34", BOUNDS(btnHelp)) \
  SKIN(SK_MAINFORM_BUTTON_Help_PicNormal, kMainForm, "btnHelp_Normal.png", STATE(btnHelp, Normal)) \
  SKIN(SK_MAINFORM_BUTTON_Help_PicMouseHover, kMainForm, "btnHelp_Hover.png", STATE(btnHelp, MouseHover)) \
  SKIN(SK_MAINFORM_BUTTON_Help_PicMouseDown, kMainForm, "btnHelp_Down.png", STATE(btnHelp, MouseDown)) \
  SKIN(SK_MAINFORM_BUTTON_Help_PicDisabled, kMainForm, "btnHelp_Disabled.png", STATE(btnHelp, Disabled)) \
  SKIN(SK_MAINFORM_BUTTON_ProgramList_Pos, kMainForm, "5, 78, 106, 35", BOUNDS(btnProgramList)) \
  SKIN(SK_MAINFORM_BUTTON_ProgramList_PicNormal, kMainForm, "btnProgramList_Normal.png", STATE(btnProgramList, Normal)) \
  SKIN(SK_MAINFORM_BUTTON_ProgramList_PicMouseHover, kMainForm, "btnProgramList_Hover.png", STATE(btnProgramList, MouseHover)) \
  SKIN(SK_MAINFORM_BUTTON_ProgramList_PicMouseDown, kMainForm, "btnStartUpItems_Down.png", NOT_APPLIED) \
  SKIN(SK_MAINFORM_BUTTON_ProgramList_PosDisabled, kMainForm, "btnProgramList_Down.png", STATE(btnProgramList, Disabled)) \
  SKIN(SK_MAINFORM_BUTTON_StartupItems_Pos, kMainForm, "110, 79, 164, 32", BOUNDS(btnStartupItemList)) \
  SKIN(SK_MAINFORM_BUTTON_StartupItems_PicNormal, kMainForm, "btnStartUpItems_Normal.png", STATE(btnStartupItemList, Normal)) \
  SKIN(SK_MAINFORM_BUTTON_StartupItems_PicMouseHover, kMainForm, "btnStartUpItems_Hover.png", STATE(btnStartupItemList, MouseHover)) \
  SKIN(SK_MAINFORM_BUTTON_StartupItems_PicMouseDown, kMainForm, "btnStartUpItems_Down.png", NOT_APPLIED) \
  SKIN(SK_MAINFORM_BUTTON_StartupItems_PosDisabled, kMainForm, "btnStartUpItems_Down.png", STATE(btnStartupItemList, Disabled)) \
  SKIN(SK_MAINFORM_PAGECONTROL_Pos, kMainForm, "5, 112, 750, 394", BOUNDS(PageControl)) \
  SKIN(SK_MAINFORM_PAGE1_Pos, kMainForm, "0, 1, 750, 394", BOUNDS(tsProgramList)) \
  SKIN(SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_Pos, kMainForm, "169, 0, 582, 394", BOUNDS(lsvProgramList)) \
  SKIN(SK_MAINFORM_PAGE1_LISTVIEW_ProgramList_FullPos, kMainForm, "9, 0, 742, 394", ELSEWHERE) \
  SKIN(SK_MAINFORM_PAGE1_SizePanel_Pos, kMainForm, "0, 0, 169, 394", BOUNDS(SizePanelPL)) \
  SKIN(SK_MAINFORM_PAGE1_ImgPanel_Pos, kMainForm, "0, 0, 160, 394", BOUNDS(imgPanelP)) \
  SKIN(SK_MAINFORM_PAGE1_ImgPanel_Pic, kMainForm, "img_SizePanel.png", PICTURE(imgPanelP)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_Uninstall_Pos, kMainForm, "15, 16, 130, 36", BOUNDS(btnUninstall)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicNormal, kMainForm, "btnUninstall_Normal.png", STATE(btnUninstall, Normal)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicMouseHover, kMainForm, "btnUninstall_Hover.png", STATE(btnUninstall, MouseHover)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicMouseDown, kMainForm, "btnUninstall_Down.png", STATE(btnUninstall, MouseDown)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_Uninstall_PicDisabled, kMainForm, "btnUninstall_Disabled.png", STATE(btnUninstall, Disabled)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_ShowDetails_Pos, kMainForm, "15, 64, 130, 36", BOUNDS(btnShowDetails)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicNormal, kMainForm, "btnDetails_Normal.png", STATE(btnShowDetails, Normal)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicMouseHover, kMainForm, "btnDetails_Hover.png", STATE(btnShowDetails, MouseHover)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicMouseDown, kMainForm, "btnDetails_Down.png", STATE(btnShowDetails, MouseDown)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_ShowDetails_PicDisabled, kMainForm, "btnDetails_Disabled.png", STATE(btnShowDetails, Disabled)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_Refresh_Pos, kMainForm, "15, 112, 130, 36", BOUNDS(btnRefresh)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_Refresh_PicNormal, kMainForm, "btnRefresh_Normal.png", STATE(btnRefresh, Normal)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_Refresh_PicMouseHover, kMainForm, "btnRefresh_Hover.png", STATE(btnRefresh, MouseHover)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_Refresh_PicMouseDown, kMainForm, "btnRefresh_Down.png", STATE(btnRefresh, MouseDown)) \
  SKIN(SK_MAINFORM_PAGE1_BUTTON_Refresh_PicDisabled, kMainForm, "btnRefresh_Disabled.png", STATE(btnRefresh, Disabled)) \
  SKIN(SK_MAINFORM_PAGE1_GROUPBOX_GrbSearch_Pos, kMainForm, "15, 168, 138, 137", BOUNDS(grbSearch)) \
  SKIN(SK_MAINFORM_PAGE1_GROUPBOX_LABEL_Title_Pos, kMainForm, "0, 22, 137, 43", BOUNDS(lblSearchTitle)) \
  SKIN(SK_MAINFORM_PAGE1_GROUPBOX_TEXT_KeyWorld_Pos, kMainForm, "0, 67, 127, 21", BOUNDS(txtSearchInfo)) \
  SKIN(SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_Pos, kMainForm, "0, 99, 130, 36", BOUNDS(btnSearch)) \
  SKIN(SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicNormal, kMainForm, "btnSearch_Normal.png", STATE(btnSearch, Normal)) \
  SKIN(SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicMouseHover, kMainForm, "btnSearch_Hover.png", STATE(btnSearch, MouseHover)) \
  SKIN(SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicMouseDown, kMainForm, "btnSearch_Down.png", STATE(btnSearch, MouseDown)) \
  SKIN(SK_MAINFORM_PAGE1_GROUPBOX_BUTTON_Search_PicDisabled, kMainForm, "btnSearch_Disabled.png", STATE(btnSearch, Disabled)) \
  SKIN(SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HidePatch_Pos, kMainForm, "15, 316, 128, 26", BOUNDS(ckbHidePatch)) \
  SKIN(SK_MAINFORM_PAGE1_GROUPBOX_CHECKBOX_HideScr_Pos, kMainForm, "15, 343, 128, 26", BOUNDS(ckbHideScr)) \
  SKIN(SK_MAINFORM_PAGE2_Pos, kMainForm, "0, 1, 750, 394", BOUNDS(tsStartupItems)) \
  SKIN(SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_Pos, kMainForm, "169, 0, 582, 394", BOUNDS(lsvStartupList)) \
  SKIN(SK_MAINFORM_PAGE2_LISTVIEW_StartupItemsList_FullPos, kMainForm, "9, 0, 742, 394", ELSEWHERE) \
  SKIN(SK_MAINFORM_PAGE2_SizePanel_Pos, kMainForm, "0, 0, 169, 394", BOUNDS(SizePanelSI)) \
  SKIN(SK_MAINFORM_PAGE2_ImgPanel_Pos, kMainForm, "0, 0, 160, 394", BOUNDS(imgPanelS)) \
  SKIN(SK_MAINFORM_PAGE2_ImgPanel_Pic, kMainForm, "img_SizePanel.png", PICTURE(imgPanelS)) \
  SKIN(SK_MAINFORM_PAGE2_GROUPBOX_grbItemInfo_Pos, kMainForm, "15, 168, 137, 185", BOUNDS(grbItemInfo)) \
  SKIN(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Publisher_Pos, kMainForm, "5, 25, 64, 13", BOUNDS(lblPublisher)) \
  SKIN(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_PublisherValue_Pos, kMainForm, "5, 42, 121, 31", BOUNDS(lblPublisherValue)) \
  SKIN(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Version_Pos, kMainForm, "5, 76, 55, 13", BOUNDS(lblVersion)) \
  SKIN(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_VersionValue_Pos, kMainForm, "8, 92, 121, 31", BOUNDS(lblVersionValue)) \
  SKIN(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Des_Pos, kMainForm, "5, 125, 76, 13", BOUNDS(lblDes)) \
  SKIN(SK_MAINFORM_PAGE2_GROUPBOX_LABEL_Description_Pos, kMainForm, "5, 141, 121, 42", BOUNDS(lblDescription)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_SelectAll_Pos, kMainForm, "15, 16, 130, 36", BOUNDS(btnSelectAll)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicNormal, kMainForm, "btnSelectAll_Normal.png", STATE(btnSelectAll, Normal)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicMouseHover, kMainForm, "btnSelectAll_Hover.png", STATE(btnSelectAll, MouseHover)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicMouseDown, kMainForm, "btnSelectAll_Down.png", STATE(btnSelectAll, MouseDown)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_SelectAll_PicDisabled, kMainForm, "btnSelectAll_Disabled.png", STATE(btnSelectAll, Disabled)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_Delete_Pos, kMainForm, "15, 64, 130, 36", BOUNDS(btnDelete)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_Delete_PicNormal, kMainForm, "btnDelete_Normal.png", STATE(btnDelete, Normal)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_Delete_PicMouseHover, kMainForm, "btnDelete_Hover.png", STATE(btnDelete, MouseHover)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_Delete_PicMouseDown, kMainForm, "btnDelete_Down.png", STATE(btnDelete, MouseDown)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_Delete_PicDisabled, kMainForm, "btnDelete_Disabled.png", STATE(btnDelete, Disabled)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_Apply_Pos, kMainForm, "15, 112, 130, 36", BOUNDS(btnApply)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_Apply_PicNormal, kMainForm, "btnApply_Normal.png", STATE(btnApply, Normal)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_Apply_PicMouseHover, kMainForm, "btnApply_Hover.png", STATE(btnApply, MouseHover)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_Apply_PicMouseDown, kMainForm, "btnApply_Down.png", STATE(btnApply, MouseDown)) \
  SKIN(SK_MAINFORM_PAGE2_BUTTON_Apply_PicDisabled, kMainForm, "btnApply_Disabled.png", STATE(btnApply, Disabled)) \
  SKIN(SK_PROGRESSFORM_ImageBG_Pic, kMainForm, "img_ProgressBar.png", ELSEWHERE) \
  SKIN(SK_ABOUTFORM_IMGABOUT_POS, kRegistryForm, "10, 11, 125, 278", ELSEWHERE) \
  SKIN(SK_ABOUTFORM_IMGABOUT_Pic, kRegistryForm, "img_About.png", ELSEWHERE) \
  SKIN(SK_ABOUTFORM_LABEL_ProductTitle_Pos, kRegistryForm, "152,11, 312, 33", NOT_APPLIED) \
  SKIN(SK_ABOUTFORM_LABLE_CopyRight_Pos, kRegistryForm, "152,40,280,16", NOT_APPLIED) \
  SKIN(SK_ABOUTFORM_LINKLABEL_WebOnline_Pos, kRegistryForm, "152,162,280,13", NOT_APPLIED) \
  SKIN(SK_ABOUTFORM_LINKLABEL_SupportEmail_Pos, kRegistryForm, "152,184,280,13", NOT_APPLIED) \
  SKIN(SK_ABOUTFORM_LABEL_Warning_Pos, kRegistryForm, "152,206,288,100", NOT_APPLIED) \
  SKIN(SK_ABOUTFORM_PANEL_AboutH1_Pos, kRegistryForm, "152,68,280,2", NOT_APPLIED) \
  SKIN(SK_ABOUTFORM_PANEL_AboutH2_Pos, kRegistryForm, "152,150,280,2", NOT_APPLIED) \
  SKIN(SK_ABOUTFORM_PANEL_AboutH3_Pos, kRegistryForm, "12,308,452,2", NOT_APPLIED) \
  SKIN(SK_ABOUTFORM_BUTTON_Ok_Pos, kRegistryForm, "344,316,98,25", NOT_APPLIED) \
  SKIN(SK_SPLASHFORM_LABEL_CopyrightInfo_Pos, kRegistryForm, "20, 176, 340, 57", NOT_APPLIED) \
  SKIN(SK_SPLASHFORM_IMAGE_CHARGE, kRegistryForm, "img_Splash.png", ELSEWHERE) \
  SKIN(SK_COLOR_PanelBack, kColors, "", COLOUR(PanelBack)) \
  SKIN(SK_COLOR_PanelText, kColors, "", COLOUR(PanelText)) \
  SKIN(SK_COLOR_ListBack, kColors, "", COLOUR(ListBack)) \
  SKIN(SK_COLOR_ListText, kColors, "", COLOUR(ListText)) \
  SKIN(SK_COLOR_Link, kColors, "", COLOUR(Link)) \
  SKIN(SK_COLOR_TabText, kColors, "", COLOUR(TabText)) \
  SKIN(SK_COLOR_TabSelectedText, kColors, "", COLOUR(TabSelectedText)) \
  SKIN(SK_COLOR_ButtonDisabledText, kColors, "", COLOUR(ButtonDisabledText))
// clang-format on
