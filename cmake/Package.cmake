# The Debian package: `cpack` in the build folder (scripts/package.sh) writes
# package/tessaly_<version>_<arch>.deb. The libraries it needs are found by
# dpkg-shlibdeps from the programs themselves.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${TESSALY_COMPANY}")
set(TESSALY_PACKAGE_MAINTAINER "${TESSALY_COMPANY} <developers@tessaly.invalid>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${TESSALY_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "terminal for testing and driving fiscal printers over serial ports")
set(CPACK_PACKAGE_DESCRIPTION "Tessaly opens a terminal file, an INI document that describes a fiscal
printer's command set, sends its commands over the printer's host port or
auxiliary fiscal port, and shows the answers field by field, with the status
words decoded and every frame logged.

The package holds the desktop program (tessaly), a command-line tool that
runs the commands of a terminal file from the shell (tessaly-cli), and a
printer simulator on pseudo-terminals (tessaly-printer-sim).")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, out of sight of dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own texts (standard buttons) in the user's language; the program runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
