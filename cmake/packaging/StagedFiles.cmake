# Run by cpack on the staged files before it packs them, so that the same
# source gives the same packages:
# - each file and folder gets the time SOURCE_DATE_EPOCH names
#   (PerGenerator.cmake), which the installer stores and sets on the files
#   it installs;
# - the uninstaller removes the files in name order (CPACK_ORVIK_DELETE_FILES
#   in NSIS.template.in): cpack's own list follows the order the file system
#   lists the folder in, which differs from one file system to the next.
execute_process(COMMAND find "${CPACK_TEMPORARY_INSTALL_DIRECTORY}" -exec touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" {} +
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "could not set the time of the staged files in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES false RELATIVE "${CPACK_TEMPORARY_INSTALL_DIRECTORY}"
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(SORT staged)
set(deletions "")
foreach(name IN LISTS staged)
  string(REPLACE "/" "\\" name "${name}")
  list(APPEND deletions "  Delete \"$INSTDIR\\${name}\"")
endforeach()
string(REPLACE ";" "\n" CPACK_ORVIK_DELETE_FILES "${deletions}")
