# Read by cpack once per generator: the installer gets a name of its own.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "OrvikPlayer-${CPACK_PACKAGE_VERSION}-setup")
endif()
