#pragma once

// The language table as data: every user-visible text, in the order of the
// language file. One line per entry:
//   LANG(id, key, default text)            an ordinary text
//   LANG_LB(id, key, default text)         a text whose "#13" markers are line breaks
//   LANG_AS(id, key, written key, text)    a key the template spells differently
// Keys are spelled exactly as the language files know them, trailing blanks
// included. The includer defines the three macros.
// clang-format off
#define PRUNAXIS_LANGUAGE_ENTRIES(LANG, LANG_LB, LANG_AS) \
  LANG(IDS_MAINFORM_MENU_File, "IDS_MAINFORM_MENU_File", "File") \
  LANG(IDS_MAINFORM_MENU_FILE_NewProgram, "IDS_MAINFORM_MENU_FILE_NewProgram", "New Program") \
  LANG(IDS_MAINFORM_MENU_FILE_ExportRegInfo, "IDS_MAINFORM_MENU_FILE_ExportRegInfo", "Export Regisrty Info") \
  LANG(IDS_MAINFORM_MENU_FILE_ReloadRegInfo, "IDS_MAINFORM_MENU_FILE_ReloadRegInfo", "Reload Regisrty Info") \
  LANG(IDS_MAINFORM_MENU_FILE_CreateBackup, "IDS_MAINFORM_MENU_FILE_CreateBackup", "Create Backup...") \
  LANG(IDS_MAINFORM_MENU_FILE_ExportPrmList, "IDS_MAINFORM_MENU_FILE_ExportPrmList", "Export Program List") \
  LANG(IDS_MAINFORM_MENU_FILE_Exit, "IDS_MAINFORM_MENU_FILE_Exit", "Exit") \
  LANG(IDS_MAINFORM_MENU_View, "IDS_MAINFORM_MENU_View", "View") \
  LANG(IDS_MAINFORM_MENU_VIEW_Grid, "IDS_MAINFORM_MENU_VIEW_Grid", "Grid") \
  LANG(IDS_MAINFORM_MENU_VIEW_Tips, "IDS_MAINFORM_MENU_VIEW_Tips", "Tips") \
  LANG(IDS_MAINFORM_MENU_VIEW_Icon, "IDS_MAINFORM_MENU_VIEW_Icon", "Icon") \
  LANG(IDS_MAINFORM_MENU_VIEW_List, "IDS_MAINFORM_MENU_VIEW_List", "List") \
  LANG(IDS_MAINFORM_MENU_VIEW_Report, "IDS_MAINFORM_MENU_VIEW_Report", "Report") \
  LANG(IDS_MAINFORM_MENU_VIEW_Refresh, "IDS_MAINFORM_MENU_VIEW_Refresh", "Refresh") \
  LANG(IDS_MAINFORM_MENU_VIEW_Languages, "IDS_MAINFORM_MENU_VIEW_Languages", "Languages") \
  LANG(IDS_MAINFORM_MENU_Tools, "IDS_MAINFORM_MENU_Tools", "Tools") \
  LANG(IDS_MAINFORM_MENU_TOOLS_CommentEntry, "IDS_MAINFORM_MENU_TOOLS_CommentEntry", "Comment Entry") \
  LANG(IDS_MAINFORM_MENU_TOOLS_Regedit, "IDS_MAINFORM_MENU_TOOLS_Regedit", "Registry Editor") \
  LANG(IDS_MAINFORM_MENU_TOOLS_WindowsUpdate, "IDS_MAINFORM_MENU_TOOLS_WindowsUpdate", "Windows Updates") \
  LANG(IDS_MAINFORM_MENU_TOOLS_WindowsServices, "IDS_MAINFORM_MENU_TOOLS_WindowsServices", "Windows Services") \
  LANG(IDS_MAINFORM_MENU_TOOLS_WindowsComponents, "IDS_MAINFORM_MENU_TOOLS_WindowsComponents", "Windows Components") \
  LANG(IDS_MAINFORM_ScreenSaver, "IDS_MAINFORM_ScreenSaver", "Screen Saver") \
  LANG(IDS_MAINFORM_MENU_Help, "IDS_MAINFORM_MENU_Help", "Help") \
  LANG(IDS_MAINFORM_MENU_HELP_HelpContent, "IDS_MAINFORM_MENU_HELP_HelpContent", "Help Content") \
  LANG(IDS_MAINFORM_MENU_HELP_OnlineRes, "IDS_MAINFORM_MENU_HELP_OnlineRes", "Online Resources") \
  LANG(IDS_MAINFORM_MENU_HELP_Contact, "IDS_MAINFORM_MENU_HELP_Contact", "Contact Technical Support") \
  LANG(IDS_MAINFORM_MENU_HELP_About, "IDS_MAINFORM_MENU_HELP_About", "About...") \
  LANG(IDS_PAGECONTROL_TABSHEETPL_Title, "IDS_PAGECONTROL_TABSHEETPL_Title", "Program List") \
  LANG(IDS_LISTVIEW_COLUMNS_Descriptions, "IDS_LISTVIEW_COLUMNS_Descriptions", "Descriptions") \
  LANG(IDS_LISTVIEW_COLUMNS_Publisher, "IDS_LISTVIEW_COLUMNS_Publisher", "Publisher") \
  LANG(IDS_LISTVIEW_COLUMNS_Directory, "IDS_LISTVIEW_COLUMNS_Directory", "Directory") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_Uninstall, "IDS_LISTVIEW_RIGHTCLICK_Uninstall  ", "Uninstall") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_CommentEntry, "IDS_LISTVIEW_RIGHTCLICK_CommentEntry", "Comment Entry...") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_RegistryEditor, "IDS_LISTVIEW_RIGHTCLICK_RegistryEditor", "Registry Editor") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo, "IDS_LISTVIEW_RIGHTCLICK_ExportRegInfo ", "Export Registry Info") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_ShowDetails, "IDS_LISTVIEW_RIGHTCLICK_ShowDetails ", "Show Details") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_View, "IDS_LISTVIEW_RIGHTCLICK_View", "View") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_ViewIcon, "IDS_LISTVIEW_RIGHTCLICK_ViewIcon", "Icon") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_ViewList, "IDS_LISTVIEW_RIGHTCLICK_ViewList", "List") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_ViewReport, "IDS_LISTVIEW_RIGHTCLICK_ViewReport", "Report") \
  LANG(IDS_LISTVIEW_TIPS_Size, "IDS_LISTVIEW_TIPS_Size", "Size:  %.2f M") \
  LANG(IDS_LISTVIEW_TIPS_ScrName, "IDS_LISTVIEW_TIPS_ScrName", "Name:  %s") \
  LANG(IDS_LISTVIEW_TIPS_LastUsed, "IDS_LISTVIEW_TIPS_LastUsed", "Last Used On: %s") \
  LANG(IDS_LISTVIEW_TIPS_UsedFrequency, "IDS_LISTVIEW_TIPS_UsedFrequency", "Used Frequency: %s") \
  LANG(IDS_LISTVIEW_TIPS_UninstallString, "IDS_LISTVIEW_TIPS_UninstallString", "Uninstall String: %s") \
  LANG(IDS_ListView_Tips_UsedFrequency_Rarely, "IDS_ListView_Tips_UsedFrequency_Rarely", "Rarely") \
  LANG(IDS_ListView_Tips_UsedFrequency_Occasionally, "IDS_ListView_Tips_UsedFrequency_Occasionally", "Occasionally") \
  LANG(IDS_ListView_Tips_UsedFrequency_Frequently, "IDS_ListView_Tips_UsedFrequency_Frequently", "Frequently") \
  LANG(IDS_SIDEBAR_BUTTON_Uninstall, "IDS_SIDEBAR_BUTTON_Uninstall", "Uninstall") \
  LANG(IDS_SIDEBAR_BUTTON_DeleteScr, "IDS_SIDEBAR_BUTTON_DeleteScr", "Delete") \
  LANG(IDS_SIDEBAR_BUTTON_SHOWDETAILS, "IDS_SIDEBAR_BUTTON_SHOWDETAILS", "Show Details") \
  LANG(IDS_SIDEBAR_BUTTON_Refresh, "IDS_SIDEBAR_BUTTON_Refresh", "Refresh") \
  LANG(IDS_SIDEBAR_GROUPBOX_TITLE_Search, "IDS_SIDEBAR_GROUPBOX_TITLE_Search", "Search") \
  LANG(IDS_SIDEBAR_GROUPBOX_LABEL_Info, "IDS_SIDEBAR_GROUPBOX_LABEL_Info", "Find the program with contents below:") \
  LANG(IDS_SIDEBAR_GROUPBOX_BUTTON_Search, "IDS_SIDEBAR_GROUPBOX_BUTTON_Search", "Find Next") \
  LANG(IDS_SIDEBAR_CHECKBOX_HideSysPatch, "IDS_SIDEBAR_CHECKBOX_HideSysPatch", "Hide System Patch") \
  LANG(IDS_SIDEBAR_CHECKBOX_HideScr, "IDS_SIDEBAR_CHECKBOX_HideScr", "Hide Screen Saver") \
  LANG(IDS_STATUSBAR_LABEL_Programs, "IDS_STATUSBAR_LABEL_Programs", "Programs:") \
  LANG(IDS_STATUSBAR_LABEL_RegistryName, "IDS_STATUSBAR_LABEL_RegistryName", "Registry Name:") \
  LANG(IDS_PAGECONTROL_TABSHEETSIL_Title, "IDS_PAGECONTROL_TABSHEETSIL_Title", "Startup Items") \
  LANG(IDS_LISTVIEW_COLUMNS_StatrupItem, "IDS_LISTVIEW_COLUMNS_StatrupItem", "Startup Item") \
  LANG(IDS_LISTVIEW_COLUMNS_Command, "IDS_LISTVIEW_COLUMNS_Command", "Command") \
  LANG(IDS_LISTVIEW_COLUMNS_Location, "IDS_LISTVIEW_COLUMNS_Location", "Location") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_AddItem, "IDS_LISTVIEW_RIGHTCLICK_AddItem", "Add Entry") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_DeleteItem, "IDS_LISTVIEW_RIGHTCLICK_DeleteItem", "Delete Entry") \
  LANG(IDS_LISTVIEW_RIGHTCLICK_Refresh, "IDS_LISTVIEW_RIGHTCLICK_Refresh", "Refresh") \
  LANG(IDS_SIDEBAR_BUTTON_SelectAll, "IDS_SIDEBAR_BUTTON_SelectAll", "Enable All") \
  LANG(IDS_SIDEBAR_BUTTON_UnSelectAll, "IDS_SIDEBAR_BUTTON_UnSelectAll ", "Disable All") \
  LANG(IDS_SIDEBAR_BUTTON_Delete, "IDS_SIDEBAR_BUTTON_Delete", "Delete Entry") \
  LANG(IDS_SIDEBAR_BUTTON_Apply, "IDS_SIDEBAR_BUTTON_Apply", "Apply") \
  LANG(IDS_SIDEBAR_GROUPBOX_TITLE_ItemInfo, "IDS_SIDEBAR_GROUPBOX_TITLE_ItemInfo", "Item Info") \
  LANG(IDS_SIDEBAR_GROUPBOX_LABEL_Publisher, "IDS_SIDEBAR_GROUPBOX_LABEL_Publisher", "Publisher: ") \
  LANG(IDS_SIDEBAR_GROUPBOX_LABEL_Version, "IDS_SIDEBAR_GROUPBOX_LABEL_Version ", "Version: ") \
  LANG(IDS_SIDEBAR_GROUPBOX_LABEL_Description, "IDS_SIDEBAR_GROUPBOX_LABEL_Description", "Description: ") \
  LANG(IDS_DETAILSFORM_Title, "IDS_DETAILSFORM_Title", "Detail information") \
  LANG(IDS_DETAILSFORM_LABEL_Programs, "IDS_DETAILSFORM_LABEL_Programs", "Programs: ") \
  LANG(IDS_DETAILSFORM_LISTVIEW_Items_ProgramSize, "IDS_DETAILSFORM_LISTVIEW_Items_ProgramSize", "Programs Size") \
  LANG(IDS_DETAILSFORM_LISTVIEW_Items_InstallDate, "IDS_DETAILSFORM_LISTVIEW_Items_InstallDate", "Install Date") \
  LANG(IDS_DETAILSFORM_LISTVIEW_Items_UsedFrequency, "IDS_DETAILSFORM_LISTVIEW_Items_UsedFrequency", "Used Frequency") \
  LANG(IDS_DETAILSFORM_LISTVIEW_Items_LastAccessDate, "IDS_DETAILSFORM_LISTVIEW_Items_LastAccessDate", "Last Access Date") \
  LANG(IDS_DETAILSFORM_LISTVIEW_Items_InstallLocation, "IDS_DETAILSFORM_LISTVIEW_Items_InstallLocation", "Install Location") \
  LANG(IDS_DETAILSFORM_LISTVIEW_Items_ProgramVersion, "IDS_DETAILSFORM_LISTVIEW_Items_ProgramVersion", "Program Version") \
  LANG(IDS_DETAILSFORM_LISTVIEW_Items_Publisher, "IDS_DETAILSFORM_LISTVIEW_Items_Publisher", "Publisher") \
  LANG(IDS_DETAILSFORM_LISTVIEW_Items_HelpInfo, "IDS_DETAILSFORM_LISTVIEW_Items_HelpInfo", "Help Info") \
  LANG(IDS_DETAILSFORM_LISTVIEW_Items_AboutLink, "IDS_DETAILSFORM_LISTVIEW_Items_AboutLink", "About Link") \
  LANG(IDS_DETAILSFORM_LISTVIEW_Items_UpdateLink, "IDS_DETAILSFORM_LISTVIEW_Items_UpdateLink", "Update Link") \
  LANG(IDS_DETAILSFORM_TABSHEETPP_TITLE, "IDS_DETAILSFORM_TABSHEETPP_TITLE", "Program Properties") \
  LANG(IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Name, "IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Name", "Name") \
  LANG(IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Value, "IDS_DETAILSFORM_TABSHEETPP_LISTVIEW_COLUMNS_Value", "Value") \
  LANG(IDS_DETAILSFORM_TABSHEETRV_TITLE, "IDS_DETAILSFORM_TABSHEETRV_TITLE", "Registry Values") \
  LANG(IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Key, "IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Key", "Key") \
  LANG(IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Value, "IDS_DETAILSFORM_TABSHEETRV_LISTVIEW_COLUMNS_Value", "Value") \
  LANG(IDS_PROGRESSFORM_Title, "IDS_PROGRESSFORM_Title", "Backup Progress") \
  LANG(IDS_PROGRESSFORM_LABEL_Info, "IDS_PROGRESSFORM_LABEL_Info", "This could take several minutes, please wait...") \
  LANG(IDS_PROGRESSFORM_BUTTON_Cancel, "IDS_PROGRESSFORM_BUTTON_Cancel", "Cancel") \
  LANG(IDS_COMMENTFORM_Title, "IDS_COMMENTFORM_Title", "Add Comments") \
  LANG(IDS_COMMENTFORM_LABEL_TITLE, "IDS_COMMENTFORM_LABEL_TITLE", "Enter the comments: ( < 260 character)") \
  LANG(IDS_COMMENTFORM_BUTTON_Ok, "IDS_COMMENTFORM_BUTTON_Ok", "OK") \
  LANG(IDS_COMMENTFORM_BUTTON_Cancel, "IDS_COMMENTFORM_BUTTON_Cancel", "Cancel") \
  LANG(IDS_PRINTFORM_Title, "IDS_PRINTFORM_Title", "Save/Print") \
  LANG(IDS_PRINTFORM_BUTTON_Save, "IDS_PRINTFORM_BUTTON_Save", "Save") \
  LANG(IDS_PRINTFORM_MEMO_Title, "IDS_PRINTFORM_MEMO_Title", "%s Application Report") \
  LANG(IDS_PRINTFORM_BUTTON_Print, "IDS_PRINTFORM_BUTTON_Print", "Print") \
  LANG(IDS_PRINTFORM_MEMO_InstalledPL, "IDS_PRINTFORM_MEMO_InstalledPL", "Programs installed on your computer:") \
  LANG(IDS_PRINTFORM_MEMO_ComputerName, "IDS_PRINTFORM_MEMO_ComputerName", "Computer Name : ") \
  LANG(IDS_PRINTFORM_MEMO_UserName, "IDS_PRINTFORM_MEMO_UserName", "User Name : ") \
  LANG(IDS_PRINTFORM_MEMO_Programs, "IDS_PRINTFORM_MEMO_Programs", "Programs : ") \
  LANG(IDS_PRINTFORM_MEMO_CreatedIn, "IDS_PRINTFORM_MEMO_CreatedIn", "Created In : ") \
  LANG(IDS_PRINTFORM_MEMO_CreatedBy, "IDS_PRINTFORM_MEMO_CreatedBy", "Created By : ") \
  LANG(IDS_PRINTFORM_MEMO_ProgramsList, "IDS_PRINTFORM_MEMO_ProgramsList", "Programs List") \
  LANG(IDS_SCANFORM_Title, "IDS_SCANFORM_Title", "Scan Remains") \
  LANG(IDS_SCANFORM_LABEL_Scaning, "IDS_SCANFORM_LABEL_Scaning ", "Scaning:") \
  LANG(IDS_SCANFORM_LABEL_RegInfoLeft, "IDS_SCANFORM_LABEL_RegInfoLeft", "Unnecessary register info left: ") \
  LANG(IDS_SCANFORM_LABEL_FilesLeft, "IDS_SCANFORM_LABEL_FilesLeft", "Unnecessary program files left: ") \
  LANG(IDS_SCANFORM_BUTTON_Cancel, "IDS_SCANFORM_BUTTON_Cancel", "Cancel") \
  LANG(IDS_SCANFORM_BUTTON_Delete, "IDS_SCANFORM_BUTTON_Delete", "Delete") \
  LANG(IDS_ADDITEMFORM_Title, "IDS_ADDITEMFORM_Title", "Add Item") \
  LANG(IDS_ADDITEMFORM_LABEL_Target, "IDS_ADDITEMFORM_LABEL_Target", "Target:") \
  LANG(IDS_ADDITEMFORM_LABEL_Section, "IDS_ADDITEMFORM_LABEL_Section", "Section:") \
  LANG(IDS_ADDITEMFORM_BUTTON_Browse, "IDS_ADDITEMFORM_BUTTON_Browse", "Browse") \
  LANG(IDS_ADDITEMFORM_BUTTON_Ok, "IDS_ADDITEMFORM_BUTTON_Ok", "OK") \
  LANG(IDS_ADDITEMFORM_BUTTON_Cancel, "IDS_ADDITEMFORM_BUTTON_Cancel", "Cancel") \
  LANG(IDS_ADDITEMFORM_COMBOBOX_Items1, "IDS_ADDITEMFORM_COMBOBOX_Items1", "Startup Folder\\Current User") \
  LANG(IDS_ADDITEMFORM_COMBOBOX_Items2, "IDS_ADDITEMFORM_COMBOBOX_Items2", "Startup Folder\\All User") \
  LANG(IDS_ADDITEMFORM_COMBOBOX_Items3, "IDS_ADDITEMFORM_COMBOBOX_Items3", "Registry\\Current User\\Run") \
  LANG(IDS_ADDITEMFORM_COMBOBOX_Items4, "IDS_ADDITEMFORM_COMBOBOX_Items4", "Registry\\All Users\\Run") \
  LANG(IDS_ABOUTFORM_Title, "IDS_ABOUTFORM_Title", "About") \
  LANG(IDS_ABOUTFORM_LABEL_CopyRight, "IDS_ABOUTFORM_LABEL_CopyRight", "Copyright (C) 2024 The Prunaxis Developers. All rights reserved.") \
  LANG(IDS_ABOUTFORM_LABEL_Warning, "IDS_ABOUTFORM_LABEL_Warning", "Warning: this program is protected by copyright law and international treaties. Copying or distributing it, or any part of it, without permission is prohibited and may be prosecuted to the fullest extent of the law.") \
  LANG(IDS_ABOUTFORM_BUTTON_Ok, "IDS_ABOUTFORM_BUTTON_Ok", "OK") \
  LANG_LB(IDS_SPLASHFORM_LABEL_Copyright, "IDS_SPLASHFORM_LABEL_Copyright", "Copyright (C) 2024 The Prunaxis Developers. All rights reserved.#13This program is protected by copyright law and international treaties.") \
  LANG_LB(IDS_MESSAGEBOX_WARNING_ScanRemains, "IDS_MESSAGEBOX_WARNING_ScanRemains", "May be some registry keys or files were not completly removed, #13would you like to remove them?") \
  LANG_LB(IDS_MESSAGEBOX_WARNING_DeleteScr, "IDS_MESSAGEBOX_WARNING_DeleteScr ", "Do you really want to delete the screen saver? #13It may cause the windows file protection mechanism") \
  LANG(IDS_MESSAGEBOX_WARNING_DeleteStartupEntry, "IDS_MESSAGEBOX_WARNING_DeleteStartupEntry", "Do you really want to delete the startup entry selected?") \
  LANG(IDS_MESSAGEBOX_WARNING_BackupReg, "IDS_MESSAGEBOX_WARNING_BackupReg", "Back up the registry info of the whole software installed.") \
  LANG(IDS_MESSAGEBOX_WARNING_CleanSuccess, "IDS_MESSAGEBOX_WARNING_CleanSuccess", "Clean Succeeded!") \
  LANG_AS(IDS_MESSAGEBOX_WARNING_Noremains, "IDS_MESSAGEBOX_WARNING_Noremains", "IDS_MESSAGEBOX_WARNING_NoRemains", "No files or registry keys left!") \
  LANG_LB(IDS_MESSAGEBOX_WARNING_UninstallFailed, "IDS_MESSAGEBOX_WARNING_UninstallFailed", "The software might be uninstalled or deleted, do you want to #13clear up its registry info or files left on your computer?") \
  LANG(IDS_MESSAGEBOX_MESSAGE_BackupSucceed, "IDS_MESSAGEBOX_MESSAGE_BackupSucceed", "Backup registry info successfully") \
  LANG(IDS_MESSAGEBOX_MESSAGE_PrintError, "IDS_MESSAGEBOX_MESSAGE_PrintError", "Something is wrong with the printer or Print Spooler service is unaviable.") \
  LANG(IDS_MESSAGEBOX_WARNING_SaveFileFailed, "IDS_MESSAGEBOX_WARNING_SaveFileFailed", "Save file %s failed!") \
  LANG(IDS_MESSAGEBOX_WARNING_CleanIncomplete, "IDS_MESSAGEBOX_WARNING_CleanIncomplete", "%d items could not be removed.") \
  LANG(IDS_MESSAGEBOX_WARNING_BackupIncomplete, "IDS_MESSAGEBOX_WARNING_BackupIncomplete", "%d entries could not be saved.") \
  LANG_LB(IDS_MESSAGEBOX_WARNING_UninstallNotDone, "IDS_MESSAGEBOX_WARNING_UninstallNotDone", "The uninstall seems not to have happened: the program is still listed as installed. #13Look for its leftovers anyway? Nothing will be ticked.") \
  LANG(IDS_MESSAGEBOX_WARNING_FoldersKept, "IDS_MESSAGEBOX_WARNING_FoldersKept", "%d folders were kept because they hold files that were not listed or not ticked.") \
  LANG(IDS_SCANFORM_LABEL_SharedWith, "IDS_SCANFORM_LABEL_SharedWith", "(also used by %s)") \
  LANG(IDS_SIDEBAR_GROUPBOX_LABEL_DisabledIn, "IDS_SIDEBAR_GROUPBOX_LABEL_DisabledIn", "Disabled in: %s") \
  LANG(IDS_MESSAGEBOX_WARNING_StartupKept, "IDS_MESSAGEBOX_WARNING_StartupKept", "These start-up entries were left as they are:") \
  LANG(IDS_MESSAGEBOX_WARNING_StartupKeptRecycle, "IDS_MESSAGEBOX_WARNING_StartupKeptRecycle", "the Recycle Bin cannot take it, so it was not deleted.") \
  LANG(IDS_MESSAGEBOX_WARNING_StartupKeptEnabled, "IDS_MESSAGEBOX_WARNING_StartupKeptEnabled", "its Run key already holds an enabled entry of that name with another command.") \
  LANG(IDS_MESSAGEBOX_WARNING_StartupKeptParked, "IDS_MESSAGEBOX_WARNING_StartupKeptParked", "its parking key already holds a disabled entry of that name with another command.") \
  LANG(IDS_MAINFORM_MENU_VIEW_Skins, "IDS_MAINFORM_MENU_VIEW_Skins", "Skins") \
  LANG(IDS_SCANFORM_LEGEND_Safe, "IDS_SCANFORM_LEGEND_Safe", "Safe: the program's own, ticked") \
  LANG(IDS_SCANFORM_LEGEND_Likely, "IDS_SCANFORM_LEGEND_Likely", "Likely the program's, not ticked") \
  LANG(IDS_SCANFORM_LEGEND_Doubtful, "IDS_SCANFORM_LEGEND_Doubtful", "Doubtful: may belong to someone else") \
  LANG(IDS_SCANFORM_REASON_KeyNameMatch, "IDS_SCANFORM_REASON_KeyNameMatch", "It bears the name of the program's uninstall key.") \
  LANG(IDS_SCANFORM_REASON_NameExact, "IDS_SCANFORM_REASON_NameExact", "It is named exactly as the program.") \
  LANG(IDS_SCANFORM_REASON_NamePartial, "IDS_SCANFORM_REASON_NamePartial", "Its name is close to the program's name.") \
  LANG(IDS_SCANFORM_REASON_PublisherMatch, "IDS_SCANFORM_REASON_PublisherMatch", "It lies under the program's publisher.") \
  LANG(IDS_SCANFORM_REASON_InInstallFolder, "IDS_SCANFORM_REASON_InInstallFolder", "It lies in the program's install folder.") \
  LANG(IDS_SCANFORM_REASON_PointsIntoInstall, "IDS_SCANFORM_REASON_PointsIntoInstall", "It points into the program's install folder.") \
  LANG(IDS_SCANFORM_REASON_ProductCode, "IDS_SCANFORM_REASON_ProductCode", "It bears the program's product code.") \
  LANG(IDS_SCANFORM_REASON_OwnedByOther, "IDS_SCANFORM_REASON_OwnedByOther", "It belongs to another installed program: %s.") \
  LANG(IDS_SCANFORM_REASON_NamedLikeOther, "IDS_SCANFORM_REASON_NamedLikeOther", "It is named like another installed program: %s.") \
  LANG(IDS_SCANFORM_REASON_UserData, "IDS_SCANFORM_REASON_UserData", "It is a system folder or holds your documents.") \
  LANG(IDS_SCANFORM_REASON_OthersExecutables, "IDS_SCANFORM_REASON_OthersExecutables", "It holds program files that another installed program uses.") \
  LANG(IDS_SCANFORM_REASON_SharedVendor, "IDS_SCANFORM_REASON_SharedVendor", "Other installed programs of the same publisher use it.") \
  LANG(IDS_SCANFORM_REASON_NoNameMatch, "IDS_SCANFORM_REASON_NoNameMatch", "Its name does not match the program's.") \
  LANG(IDS_SCANFORM_LABEL_Cancelled, "IDS_SCANFORM_LABEL_Cancelled", "Scan cancelled: what was found so far is listed.") \
  LANG(IDS_MAINFORM_MENU_TOOLS_ScanRemoved, "IDS_MAINFORM_MENU_TOOLS_ScanRemoved", "Scan leftovers of removed programs") \
  LANG(IDS_REMOVEDFORM_Title, "IDS_REMOVEDFORM_Title", "Leftovers of removed programs") \
  LANG(IDS_REMOVEDFORM_LABEL_Info, "IDS_REMOVEDFORM_LABEL_Info", "Programs uninstalled with Prunaxis. Choose one to search again for what it left behind.") \
  LANG(IDS_REMOVEDFORM_COLUMN_Program, "IDS_REMOVEDFORM_COLUMN_Program", "Program") \
  LANG(IDS_REMOVEDFORM_COLUMN_Removed, "IDS_REMOVEDFORM_COLUMN_Removed", "Uninstalled") \
  LANG(IDS_REMOVEDFORM_BUTTON_Scan, "IDS_REMOVEDFORM_BUTTON_Scan", "Scan") \
  LANG(IDS_REMOVEDFORM_BUTTON_Forget, "IDS_REMOVEDFORM_BUTTON_Forget", "Forget") \
  LANG(IDS_REMOVEDFORM_BUTTON_Close, "IDS_REMOVEDFORM_BUTTON_Close", "Close") \
  LANG(IDS_MESSAGEBOX_WARNING_NoRemovedPrograms, "IDS_MESSAGEBOX_WARNING_NoRemovedPrograms", "No program uninstalled with Prunaxis is on record yet.")
// clang-format on
