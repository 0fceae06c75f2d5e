# lame.exe, the MP3 encoder that comes with the program, built from Debian's
# lame source package by scripts/lame.sh beside OrvikPlayer.exe, with LAME's
# licence (COPYING) and notice (LAME.txt); the source it was built from goes
# beside the packages, into packages/. The source is fetched once and cached
# in build/sources; the build runs again only when the script, the notice or
# lame.exe's manifest changes, or an output is missing.
set(LAME_EXE ${CMAKE_BINARY_DIR}/lame.exe)
set(LAME_FILES ${LAME_EXE} ${CMAKE_BINARY_DIR}/COPYING ${CMAKE_BINARY_DIR}/LAME.txt)
add_custom_command(
  OUTPUT ${LAME_FILES}
  COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/lame.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/packages
    ${CMAKE_C_COMPILER} ${MINGW_TRIPLET}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/lame.sh ${CMAKE_SOURCE_DIR}/cmake/packaging/LAME.txt.in
    ${CMAKE_SOURCE_DIR}/cmake/packaging/lame.exe.manifest
  COMMENT "lame.exe from Debian's lame source package"
  VERBATIM)
add_custom_target(lame ALL DEPENDS ${LAME_FILES})
add_test(NAME lame_imports_are_system_dlls COMMAND ${CMAKE_SOURCE_DIR}/tests/check-imports.sh ${LAME_EXE})
