# Run by `cmake --install`: the desktop entry and the icon go into the user's XDG data folders
# (XDG_DATA_HOME, else ~/.local/share), so the desktop's menu finds the program in its folder.
set(data_home "$ENV{XDG_DATA_HOME}")
if(data_home STREQUAL "")
  set(data_home "$ENV{HOME}/.local/share")
endif()
set(program "${CMAKE_INSTALL_PREFIX}/${SFXTAL_PROGRAM_DIR}/sfxtal")
cmake_path(NORMAL_PATH program)
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
configure_file("${SFXTAL_DATA_DIR}/sfxtal.desktop.in" "${data_home}/applications/sfxtal.desktop"
               @ONLY)
file(INSTALL "${SFXTAL_DATA_DIR}/sfxtal.svg"
     DESTINATION "${data_home}/icons/hicolor/scalable/apps")
message(STATUS "Installing: ${data_home}/applications/sfxtal.desktop")
