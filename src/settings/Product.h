// The product's fixed names and addresses as typed constants. They never change
// while the program runs, so unlike the paths and options (settings/Settings.h)
// they are not handed around.
#pragma once

#include "settings/ProductInfo.h"

namespace settings {

// The caption of the main window and of every message box.
constexpr char kAppTitle[] = "Prunaxis";

// The maker's details (settings/ProductInfo.h): the about window shows them, the
// Help menu's online and contact commands open the two addresses.
constexpr char kProductSecondTitle[] = PRUNAXIS_PRODUCT_SECOND_TITLE;
constexpr char kCopyrightLine[] = PRUNAXIS_COPYRIGHT_LINE;
constexpr char kMakerWebAddress[] = PRUNAXIS_WEB_ADDRESS;
constexpr char kSupportMailAddress[] = PRUNAXIS_SUPPORT_MAIL;
// The application icon among Prunaxis.exe's resources.
constexpr int kAppIconId = PRUNAXIS_IDI_APPLICATION;

}  // namespace settings
