# Headers are included by their folder, as "logdb/log_database.h". Rather than putting the whole
# source tree on every target's include path, each library offers its own folder only: a folder of
# the build tree holds a link named like the source folder, and that folder is the library's
# public include directory. A target then finds the headers of the libraries it links and no
# others, so a header included from the wrong layer fails to compile.
function(sfxtal_offer_folder target folder)
  string(REPLACE "/" "_" root "${folder}")
  set(root "${PROJECT_BINARY_DIR}/include/${root}")
  cmake_path(GET folder PARENT_PATH parent)
  file(MAKE_DIRECTORY "${root}/${parent}")
  file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC)
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
