# The merge tool for Windows, rmevents.exe, cross-compiled with mingw-w64 in a build of its own
# (build/windows-tool/) so that the tests can run it under wine. Rebuilt with every build, so it
# always holds the current tool source.
include(ExternalProject)

find_program(MINGW_CXX x86_64-w64-mingw32-g++-posix)
find_program(MINGW_OBJDUMP x86_64-w64-mingw32-objdump)
find_program(WINE wine)
find_program(WINESERVER wineserver)
if(NOT MINGW_CXX OR NOT MINGW_OBJDUMP OR NOT WINE OR NOT WINESERVER)
  message(FATAL_ERROR "The Windows merge tool needs Debian's g++-mingw-w64-x86-64-posix, wine and wine64: "
                      "scripts/prepare.sh installs them.")
endif()

set(RMEVENTS_EXE ${CMAKE_BINARY_DIR}/windows-tool/rmevents.exe)
ExternalProject_Add(rmevents_windows
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/rmevents
  BINARY_DIR ${CMAKE_BINARY_DIR}/windows-tool
  CMAKE_GENERATOR Ninja
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
  # One job: the main build runs its own beside it.
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j 1
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${RMEVENTS_EXE}
)
