// Identifiers of the inventory component's class and interfaces.
#pragma once

#include <objbase.h>

namespace rostrel {

// {B840D7A9-1A1F-4A30-8C51-227E5EB10285}
inline constexpr CLSID CLSID_ProgramList = {
    0xB840D7A9, 0x1A1F, 0x4A30, {0x8C, 0x51, 0x22, 0x7E, 0x5E, 0xB1, 0x02, 0x85}};
inline constexpr char kClsidText[] = "{B840D7A9-1A1F-4A30-8C51-227E5EB10285}";
inline constexpr char kProgId[] = "Rostrel.ProgramList";
inline constexpr char kClassDescription[] = "Prunaxis Program Inventory";

}  // namespace rostrel
