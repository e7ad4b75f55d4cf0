# Run by `cmake --install`: the desktop entry, which starts the program by its full path under the
# prefix, goes into the prefix's applications folder. It is installed like every other file, so
# DESTDIR is honoured and nothing is written outside the prefix (the user's own menu is
# `make install`'s business: tools/install-menu-entry.sh).
set(program "${SFXTAL_PROGRAM_DIR}/sfxtal")
cmake_path(ABSOLUTE_PATH program BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
# A path with blanks or quotes is quoted for the desktop's Exec rules; other paths stand bare.
set(exec "${program}")
if(exec MATCHES "[ \t\"'\\\\`$]")
  string(REPLACE "\\" "\\\\\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\\\"" exec "${exec}")
  string(REPLACE "`" "\\\\`" exec "${exec}")
  string(REPLACE "$" "\\\\$" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
# A percent sign starts a field code in Exec.
string(REPLACE "%" "%%" exec "${exec}")
cmake_path(GET program PARENT_PATH folder)
set(applications "${SFXTAL_APPLICATIONS_DIR}")
cmake_path(ABSOLUTE_PATH applications BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" NORMALIZE)
# Made afresh for each install, since the prefix is only known now.
configure_file("${SFXTAL_DATA_DIR}/sfxtal.desktop.in" "${SFXTAL_INSTALL_WORK}/sfxtal.desktop" @ONLY)
file(INSTALL "${SFXTAL_INSTALL_WORK}/sfxtal.desktop" DESTINATION "${applications}")
