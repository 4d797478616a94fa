# Debian package of Kehrzähler: run `cpack -G DEB` in the build folder.
# Every target installs itself (programs to bin, desktop files from resources/); this only
# describes the package around them.
set(CPACK_PACKAGE_NAME "kehrzaehler")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Auental")
set(CPACK_PACKAGE_CONTACT "Auental <kehrzaehler@auental.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Kehrzähler durchsucht einen Bereich natürlicher Zahlen nach Zahlen, die durch ihre\n"
    "Spiegelzahl zur Basis S teilbar sind, und zeigt Zahl, Spiegelzahl und Quotient.\n"
    "Dazu kommen kehrzaehler-cli für dieselbe Suche ohne Fenster und der Kehrzahl-Atlas,\n"
    "der Kehrzahlen beliebiger Länge zählt, auflistet und als Übertragsgraph zeigt.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "math")
# Qt (Widgets, Charts), GMP, Graphviz's libgvc and the C++ runtime come in as dependencies worked
# out from the installed programs;
# the window asks for a proportional sans-serif font that no library pulls in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")

include(CPack)
