# Makes the packages (cpack in the build folder), unpacks the zip beside
# them into packages/unpacked, as a user would, and removes the Wine prefix
# of the package tests, which the first of them then makes afresh.
#   cmake -DCPACK=<cpack> -DBUILD=<build folder> -DZIP=<zip path> -DPREFIX=<prefix> -P make_packages.cmake
execute_process(COMMAND ${CPACK} --config ${BUILD}/CPackConfig.cmake
  WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}")
endif()
message("${out}")
get_filename_component(dir ${ZIP} DIRECTORY)
file(REMOVE_RECURSE ${dir}/unpacked)
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${dir}/unpacked)
# A Wine server left running in the old prefix ends first.
execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} wineserver -k OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} wineserver -w OUTPUT_QUIET ERROR_QUIET)
file(REMOVE_RECURSE ${PREFIX} ${PREFIX}.boot.log ${PREFIX}.lock)
