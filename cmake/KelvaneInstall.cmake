# What `cmake --install` puts besides the programs (installed by their own folders) and the
# desktop files (desktop/), and the Debian package CPack makes of it all.

set(KELVANE_DOC_DIR "${CMAKE_INSTALL_DATADIR}/doc/kelvane")
set(generated "${PROJECT_BINARY_DIR}/package")

# Debian keeps the licence as a machine-readable copyright file and wants texts in its
# documentation folder compressed without a time stamp, so that builds compare equal.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" licence)
string(REGEX REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REGEX REPLACE "\n$" "" licence "${licence}")
string(REPLACE "\n" "\n " licence " ${licence}")
file(WRITE "${generated}/copyright"
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: Kelvane\n"
  "Source: ${KELVANE_HOMEPAGE}\n\n"
  "Files: *\n"
  "Copyright: 2026 The Kelvane developers\n"
  "License: Expat\n"
  "${licence}\n")
# The changelog's date is the release's, in the form Debian's tools read.
execute_process(COMMAND date -u -R -d "${KELVANE_RELEASE_DATE}"
  OUTPUT_VARIABLE KELVANE_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file("${PROJECT_SOURCE_DIR}/cmake/changelog.in" "${generated}/changelog" @ONLY)

# kelvane_install_gzipped(SOURCE DESTINATION NAME): installs SOURCE as DESTINATION/NAME.gz.
function(kelvane_install_gzipped source destination name)
  set(zipped "${generated}/${name}.gz")
  add_custom_command(OUTPUT "${zipped}"
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh "${source}" "${zipped}"
    DEPENDS "${source}" VERBATIM)
  add_custom_target(kelvane_gzip_${name} ALL DEPENDS "${zipped}")
  install(FILES "${zipped}" DESTINATION "${destination}")
endfunction()

kelvane_install_gzipped("${generated}/changelog" "${KELVANE_DOC_DIR}" changelog)
kelvane_install_gzipped("${PROJECT_SOURCE_DIR}/docs/man/kelvane.1"
  "${CMAKE_INSTALL_MANDIR}/man1" kelvane.1)
kelvane_install_gzipped("${PROJECT_SOURCE_DIR}/docs/man/kelvane-cli.1"
  "${CMAKE_INSTALL_MANDIR}/man1" kelvane-cli.1)
install(FILES README.md LICENSE "${generated}/copyright" DESTINATION "${KELVANE_DOC_DIR}")
install(DIRECTORY docs/ DESTINATION "${KELVANE_DOC_DIR}/docs" FILES_MATCHING PATTERN "*.png"
  PATTERN "*.md")
install(DIRECTORY examples/ DESTINATION "${KELVANE_DOC_DIR}/examples"
  FILES_MATCHING PATTERN "*.dbc" PATTERN "*.ini" PATTERN "generator" EXCLUDE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VENDOR "The Kelvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop editor for DBC client database tables")
# One string: a list would join its items with semicolons.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Kelvane opens the fixed-record client database tables of an online\n"
  "role-playing game (Spell.dbc, Faction.dbc, TalentTab.dbc) as a grid: name and\n"
  "type their columns, edit, save back, exchange records as CSV, patch text,\n"
  "SQLite and MySQL, import the emulator's script files, edit talent trees and\n"
  "generate lookup files. kelvane-cli does the same work from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Kelvane developers <kelvane@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KELVANE_HOMEPAGE}")
# The libraries come from dpkg-shlibdeps; Qt's platform plugins are loaded at run time, so no
# library names them, and without them the editor cannot open a window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xvfb")
include(CPack)
