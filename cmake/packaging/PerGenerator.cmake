# Read by cpack once per generator: the installer gets a name of its own.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "OrvikPlayer-${CPACK_PACKAGE_VERSION}-setup")
endif()

# Same source, same packages. The time of every file in them is the time of
# the commit they are made from (SOURCE_DATE_EPOCH, when the caller sets it,
# wins; outside a git checkout it is 1980-01-01): the zip takes it from
# SOURCE_DATE_EPOCH, the installer from the staged files (FileTimes.cmake).
# The zip stores local times: they are taken in UTC.
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  execute_process(COMMAND git -C "${CPACK_ORVIK_SOURCE_DIR}" log -1 --format=%ct
    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc ERROR_QUIET)
  if(NOT rc EQUAL 0 OR NOT commit_time MATCHES "^[0-9]+$")
    set(commit_time 315532800)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
endif()
set(ENV{TZ} UTC)
