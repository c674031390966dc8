// What Windows Installer keeps of a product it installed, under the product's code
// in its packed form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "uninstall/LeftoverScan.h"
#include "uninstall/TraceSearch.h"

namespace uninstall {

// The packed form Windows Installer names its keys by: "{12345678-ABCD-EF01-2345-
// 6789ABCDEF01}" gives "87654321DCBA10FE32547698BADCFE10" (the first three groups
// reversed character by character, the last two byte pair by byte pair). Upper
// case; "" for text that is no "{GUID}".
std::string PackProductCode(std::string_view productCode);

// The installer's keys of the program's product code: Products\<packed> and
// Features\<packed> of the machine (both views where they differ) and of the user,
// UserData\<sid>\Products\<packed> of every account, and under UpgradeCodes each
// value named <packed> (the whole upgrade key when that value is all it holds).
// Nothing for a program without a product code.
void FindInstallerKeys(const TraceSearch& search, std::vector<FoundKey>& found);

}  // namespace uninstall
