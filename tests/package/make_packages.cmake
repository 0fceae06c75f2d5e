# Makes the packages (cpack in the build folder) and unpacks the zip beside
# them into packages/unpacked, as a user would, for the package tests.
#   cmake -DCPACK=<cpack> -DBUILD=<build folder> -DZIP=<zip path> -P make_packages.cmake
execute_process(COMMAND ${CPACK} --config ${BUILD}/CPackConfig.cmake
  WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}")
endif()
message("${out}")
get_filename_component(dir ${ZIP} DIRECTORY)
file(REMOVE_RECURSE ${dir}/unpacked)
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${dir}/unpacked)
