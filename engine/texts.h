// The system's own texts that the engine writes.
#pragma once

namespace kz::texts {

inline constexpr char kProgramTitle[] = "Kehrzähler";
inline constexpr char kCrLf[] = "\r\n";
inline constexpr char kFertig[] = "fertig";
inline constexpr char kSystemSuffix[] = "er System:";
inline constexpr char kZehnersystem[] = "Im Zehnersystem ist das";
inline constexpr char kBaseAboveTen[] = "S muß kleiner als 10 sein";
inline constexpr char kNotWholeNumber[] = "Bitte eine ganze Zahl mit höchstens 15 Stellen eingeben";

} // namespace kz::texts
