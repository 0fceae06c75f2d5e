# Packages of the shipped program (scripts/package.sh, or `cpack` in
# build/win32): a portable zip, OrvikPlayer-<version>-win32.zip, holding a
# folder with the program, lame.exe with LAME's licence and notice, and a
# note (ReadMe.txt); and a per-user installer of the same files,
# OrvikPlayer-<version>-setup.exe, made by NSIS from
# packaging/NSIS.template.in. Both go to build/win32/packages, beside the
# source lame.exe was built from (cmake/Lame.cmake).

set(ORVIK_PACKAGE_NOTE ${CMAKE_BINARY_DIR}/packaging/ReadMe.txt)
configure_file(${CMAKE_CURRENT_LIST_DIR}/packaging/ReadMe.txt.in ${ORVIK_PACKAGE_NOTE} @ONLY NEWLINE_STYLE CRLF)

install(TARGETS OrvikPlayer RUNTIME DESTINATION .)
install(PROGRAMS ${LAME_EXE} DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/COPYING ${CMAKE_BINARY_DIR}/LAME.txt ${ORVIK_PACKAGE_NOTE} DESTINATION .)

find_program(ORVIK_MAKENSIS makensis)
set(CPACK_GENERATOR ZIP)
if(ORVIK_MAKENSIS)
  list(APPEND CPACK_GENERATOR NSIS)
else()
  message(STATUS "makensis not found (Debian package nsis): packages without the installer")
endif()

set(CPACK_PACKAGE_NAME OrvikPlayer)
set(CPACK_PACKAGE_VENDOR "Orvik")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(CPACK_PACKAGE_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(CPACK_PACKAGE_VERSION_PATCH ${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Orvik Encoder: a media list, a player and encoder front ends")
set(ORVIK_ZIP_NAME OrvikPlayer-${PROJECT_VERSION}-win32)
set(CPACK_PACKAGE_FILE_NAME ${ORVIK_ZIP_NAME})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Orvik Encoder")
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES OFF)  # stripped by the link already
# Packaging installs only what is built already (scripts/package.sh builds
# the program and lame.exe first), instead of building every test program.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
# The installer: its own template (packaging/NSIS.template.in), its name
# (packaging/PerGenerator.cmake), the program's icon for the installer, the
# uninstaller and the Add/Remove Programs entry, which is named
# CPACK_PACKAGE_INSTALL_REGISTRY_KEY.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/packaging)
# Same source, same packages: every time either package stores is the
# commit's (packaging/PerGenerator.cmake), set on the staged files before
# they are packed, and the files go into both in name order
# (packaging/StagedFiles.cmake, packaging/SortedZip.cmake).
set(CPACK_ORVIK_SOURCE_DIR ${CMAKE_SOURCE_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/packaging/StagedFiles.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/packaging/SortedZip.cmake)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/packaging/PerGenerator.cmake)
set(CPACK_NSIS_PACKAGE_NAME "Orvik Encoder")
set(CPACK_NSIS_DISPLAY_NAME "Orvik Encoder")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Orvik Encoder")
set(CPACK_NSIS_MUI_ICON ${ART_DIR}/orvik.ico)
set(CPACK_NSIS_MUI_UNIICON ${ART_DIR}/orvik.ico)
set(CPACK_NSIS_EXECUTABLE_NAME OrvikPlayer.exe)
set(CPACK_NSIS_VERSION_NUMBERS ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${PROJECT_VERSION_TWEAK})
include(CPack)

# Tests of the packages as a user meets them, under Wine in a prefix made
# afresh for them: the installer and its uninstaller, run silently, the
# program encoding with the lame.exe that came with it (its MP3 then decoded
# by Debian's lame), the zip unpacked, and the shipped files' manifests and
# sizes (tests/package).
file(GLOB PACKAGE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/package/*.cpp)
if(PACKAGE_TESTS)
  set(ORVIK_PACKAGE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-packages)
  add_executable(package_tests ${PACKAGE_TESTS} ${CMAKE_SOURCE_DIR}/tests/e2e/Driver.cpp)
  target_include_directories(package_tests PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests
    ${CMAKE_BINARY_DIR}/generated)
  target_compile_options(package_tests PRIVATE ${WIN_COMPILE_OPTIONS})
  target_link_libraries(package_tests PRIVATE gtest_main ole32 uuid shlwapi version ${WIN_SYSTEM_LIBS})
  target_link_options(package_tests PRIVATE ${WIN_STATIC_LINK})
  add_dependencies(package_tests OrvikPlayer lame fake_tool)
  add_test(NAME package_build
    COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DBUILD=${CMAKE_BINARY_DIR}
      -DZIP=${CPACK_PACKAGE_DIRECTORY}/${ORVIK_ZIP_NAME}.zip -DPREFIX=${ORVIK_PACKAGE_PREFIX}
      -P ${CMAKE_SOURCE_DIR}/tests/package/make_packages.cmake)
  set_tests_properties(package_build PROPERTIES FIXTURES_SETUP packages TIMEOUT 300)
  # The same source built again in a second folder gives the same bytes.
  add_test(NAME package_build_reproducible
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/same_bytes.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}
      ${CMAKE_BINARY_DIR}-again ${CMAKE_TOOLCHAIN_FILE} ${CMAKE_BUILD_TYPE})
  set_tests_properties(package_build_reproducible PROPERTIES FIXTURES_REQUIRED packages TIMEOUT 1800)
  if(ORVIK_MAKENSIS)
    add_test(NAME package_tests COMMAND package_tests --gtest_brief=1)
    add_test(NAME package_encoded_mp3
      COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/package/encoded_mp3.py ${CMAKE_BINARY_DIR})
    set_tests_properties(package_tests PROPERTIES FIXTURES_SETUP installed_mp3)
    set_tests_properties(package_encoded_mp3 PROPERTIES FIXTURES_REQUIRED installed_mp3 SKIP_RETURN_CODE 77)
  else()
    add_test(NAME package_tests COMMAND package_tests --gtest_brief=1 --gtest_filter=PortableZip.*:ShippedFiles.*)
  endif()
  set_tests_properties(package_tests PROPERTIES FIXTURES_REQUIRED packages TIMEOUT 600
    ENVIRONMENT ORVIK_WINEPREFIX=${ORVIK_PACKAGE_PREFIX})
endif()
