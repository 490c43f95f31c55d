#pragma once
// The program's six window definitions, as stored data.

#include <cstdint>
#include <vector>

#include "forms/FormModel.h"

namespace vtg::content {

// Window definitions, in FormStore order.
namespace WindowIds {
inline constexpr WindowId MainWindow = 0x52010001;
inline constexpr WindowId BiostarGuide = 0x52010007;
inline constexpr WindowId MsiGuide = 0x52010015;
inline constexpr WindowId GigabyteGuide = 0x52010017;
inline constexpr WindowId BiosIntro = 0x52010027;
inline constexpr WindowId AsusGuide = 0x52010029;
}  // namespace WindowIds

// The stored references to the program's handler routines (0 is "none").
namespace HandlerRefs {
inline constexpr HandlerRef OnMainWindowCreated = 1;
inline constexpr HandlerRef OpenBiostarGuide = 2;
inline constexpr HandlerRef OpenMsiGuide = 3;
inline constexpr HandlerRef OpenGigabyteGuide = 4;
inline constexpr HandlerRef OpenBiosIntro = 5;
inline constexpr HandlerRef OpenAsusGuide = 6;
}  // namespace HandlerRefs

// All six definitions with their handler references still unresolved.
std::vector<FormDefinition> storedForms();

}  // namespace vtg::content
