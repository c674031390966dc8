// The maker's details of the product, in one place. Plain macros only: the
// resource scripts include this file as well as the C++ code (settings/Product.h
// turns them into typed constants for the program).
#ifndef PRUNAXIS_SETTINGS_PRODUCTINFO_H
#define PRUNAXIS_SETTINGS_PRODUCTINFO_H

#define PRUNAXIS_PRODUCT_NAME "Prunaxis"
// Shown after the product name in the about window's title.
#define PRUNAXIS_PRODUCT_SECOND_TITLE "Uninstaller and Start-up Manager"
#define PRUNAXIS_MAKER_NAME "The Prunaxis Developers"
#define PRUNAXIS_COPYRIGHT_LINE "Copyright (C) 2024 The Prunaxis Developers"
#define PRUNAXIS_WEB_ADDRESS "https://prunaxis.example.org"
#define PRUNAXIS_SUPPORT_MAIL "support@prunaxis.example.org"

// Resource ids of Prunaxis.exe. The application icon has the lowest id, so the
// shell shows it for the file as well.
#define PRUNAXIS_IDI_APPLICATION 1
// The strip of the menu items' pictures (RCDATA; forms::LoadMenuIcons).
#define PRUNAXIS_IDR_MENU_ICONS 101

#endif
