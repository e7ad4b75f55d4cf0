# The Windows build links everything statically, so that its .exe files need no DLL beyond
# Windows' own.
# Libraries are found as static archives only: libz.a, never the import library of zlib1.dll,
# which Wine would quietly supply and Windows would not (tools/check-windows-dlls.sh checks).
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
add_link_options(-static)
# Shipped without symbols: half the size.
add_link_options($<$<CONFIG:Release>:-s>)
