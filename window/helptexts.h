// What the help line says while the mouse is over a part of the window.
#pragma once

namespace kz::help {

inline constexpr char Form1[] =
    "Das Programm sucht Zahlen, die durch ihre Spiegelzahl teilbar sind";
inline constexpr char pisSteuerung[] = "Suchoptionen einstellen, Suche starten/beenden";
inline constexpr char Command1[] = "Suche nach Kehrzählern starten";
inline constexpr char Command3[] = "Suche abbrechen";
inline constexpr char Command2[] = "Ausgabefenster löschen";
inline constexpr char txtSystem[] = "Basis S des Stellenwertsystems";
inline constexpr char txtugrenze[] = "Suche ab hier (Angabe im 10er System)";
inline constexpr char txtnn[] = "Suche bis hier (Angabe im 10er System)";
inline constexpr char chkNichttrivial[] = "Triviale Lösungen mit Q = 1 nicht zeigen";
inline constexpr char chkTeiler[] = "Lösung mit Basis S teilt Q nicht zeigen";
inline constexpr char chkzugross[] = "Nur Lösungen mit Q<S zeigen";
inline constexpr char txtEinzelfall[] = "Diese Zahl prüfen (S-System mit S < 11)";
inline constexpr char cmdEinzelfall[] = "Einzelfall prüfen";
inline constexpr char txtErgebnis[] = "Ergebnisliste";
inline constexpr char Image1[] = "Donald Duck aus Entenhausen";
inline constexpr char Image2[] = "Spiegelbild von Donald Duck aus Entenhausen";

} // namespace kz::help
