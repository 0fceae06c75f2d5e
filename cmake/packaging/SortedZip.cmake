# Run by cpack after it made a package, before it copies it to the packages
# folder and writes its checksum: the zip is packed again with its files in
# name order (cpack packs them in the order the file system lists the
# staged folder in, which differs from one file system to the next). The
# times in it are SOURCE_DATE_EPOCH's (PerGenerator.cmake), as in cpack's own.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
  return()
endif()
get_filename_component(top "${CPACK_TEMPORARY_DIRECTORY}" DIRECTORY)
get_filename_component(folder "${CPACK_TEMPORARY_DIRECTORY}" NAME)
file(GLOB_RECURSE staged LIST_DIRECTORIES false RELATIVE "${top}" "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT staged)
foreach(zip IN LISTS CPACK_PACKAGE_FILES)
  file(REMOVE "${zip}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${zip}" --format=zip -- ${staged}
    WORKING_DIRECTORY "${top}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not pack ${zip} again in name order")
  endif()
endforeach()
