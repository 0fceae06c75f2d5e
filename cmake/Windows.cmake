# The Windows side of the build: the program, its resources, and the test
# programs that run under Wine.

configure_file(${CMAKE_SOURCE_DIR}/src/app/Version.h.in ${CMAKE_BINARY_DIR}/generated/Version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/OrvikPlayer.manifest.in ${CMAKE_BINARY_DIR}/generated/OrvikPlayer.manifest @ONLY)

set(WIN_COMPILE_OPTIONS -Wall -Wextra -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0501 -DWINVER=0x0501 -D_WIN32_IE=0x0600)
set(WIN_STATIC_LINK -static -static-libgcc -static-libstdc++)
# The program is built for size: none of its code is hot, and a smaller file
# maps and starts faster. Each function and datum in a section of its own, so
# that the linker drops what nothing uses; the symbols are stripped.
# The program has one thread: its function-local statics need no locks (which
# would bring in the threads library).
# Same source, same bytes: no link time stamp in the file (and so the same
# checksum), and no folder of this build in it (a file name the code takes
# from __FILE__ is relative to the source tree).
set(WIN_SIZE_COMPILE -Os -ffunction-sections -fdata-sections -fno-threadsafe-statics
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
set(WIN_SIZE_LINK -Wl,--gc-sections -s -Wl,--no-insert-timestamp)
set(WIN_SYSTEM_LIBS comctl32 comdlg32 winmm msimg32 shell32 gdi32 user32 advapi32 kernel32)
# The 64-bit MinGW import library of comctl32 lacks GetWindowSubclass (the
# 32-bit one has it): a small import library of that one function goes first.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(COMCTL32_EXTRA ${CMAKE_BINARY_DIR}/generated/libcomctl32_extra.a)
  file(WRITE ${CMAKE_BINARY_DIR}/generated/comctl32_extra.def "LIBRARY comctl32.dll\nEXPORTS\nGetWindowSubclass\n")
  execute_process(COMMAND ${MINGW_TRIPLET}-dlltool -d ${CMAKE_BINARY_DIR}/generated/comctl32_extra.def
    -l ${COMCTL32_EXTRA} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${MINGW_TRIPLET}-dlltool could not make ${COMCTL32_EXTRA}")
  endif()
  list(INSERT WIN_SYSTEM_LIBS 0 ${COMCTL32_EXTRA})
endif()

# Artwork: drawn by a small generator at build time, embedded by the .rc.
file(GLOB ART_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/art/*.py)
set(ART_DIR ${CMAKE_BINARY_DIR}/generated/art)
set(ART_STAMP ${ART_DIR}/.stamp)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(
  OUTPUT ${ART_STAMP}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/resources/art/generate.py ${ART_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${ART_STAMP}
  DEPENDS ${ART_SCRIPTS}
  COMMENT "Drawing the artwork")
add_custom_target(artwork DEPENDS ${ART_STAMP})

file(GLOB RC_FRAGMENTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc)
set(RESOURCE_FILE ${CMAKE_SOURCE_DIR}/resources/OrvikPlayer.rc)
set_source_files_properties(${RESOURCE_FILE} PROPERTIES
  OBJECT_DEPENDS "${ART_STAMP};${RC_FRAGMENTS};${CMAKE_BINARY_DIR}/generated/Version.h;${CMAKE_BINARY_DIR}/generated/OrvikPlayer.manifest")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${ART_DIR} -I${CMAKE_BINARY_DIR}/generated -I${CMAKE_SOURCE_DIR}/resources")
enable_language(RC)
add_library(orvik_resources OBJECT ${RESOURCE_FILE})
add_dependencies(orvik_resources artwork)

file(GLOB WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/win32/*.cpp)
# Linked into the program itself, not into the test programs: the program's
# own stand-ins for parts of the C++ runtime (the test programs keep the
# runtime's, and start threads).
set(RUNTIME_STANDINS ${CMAKE_SOURCE_DIR}/src/app/win32/QuietTerminate.cpp
  ${CMAKE_SOURCE_DIR}/src/app/win32/RuntimeLocks.cpp)
list(REMOVE_ITEM WIN_SOURCES ${RUNTIME_STANDINS})
add_library(orvik_win32 STATIC ${WIN_SOURCES})
target_include_directories(orvik_win32 PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
target_compile_options(orvik_win32 PUBLIC ${WIN_COMPILE_OPTIONS})
target_link_libraries(orvik_win32 PUBLIC orvik_core ${WIN_SYSTEM_LIBS})
target_compile_options(orvik_core PRIVATE ${WIN_COMPILE_OPTIONS})
foreach(t orvik_core orvik_win32)
  target_compile_options(${t} PRIVATE ${WIN_SIZE_COMPILE})
endforeach()

add_executable(OrvikPlayer WIN32 ${CMAKE_SOURCE_DIR}/src/OrvikPlayer.cpp ${RUNTIME_STANDINS}
  $<TARGET_OBJECTS:orvik_resources>)
target_link_libraries(OrvikPlayer PRIVATE orvik_win32)
target_compile_options(OrvikPlayer PRIVATE ${WIN_SIZE_COMPILE})
target_link_options(OrvikPlayer PRIVATE ${WIN_STATIC_LINK} ${WIN_SIZE_LINK})
# The linker's map shows which unit each linked function comes from.
target_link_options(OrvikPlayer PRIVATE -Wl,-Map=$<TARGET_FILE_DIR:OrvikPlayer>/OrvikPlayer.map)

# Every GoogleTest case of a test program is a ctest entry of its own,
# <prefix>.<suite>.<case>, listed by running the program under Wine (the
# emulator) when ctest starts. Where this machine runs no 32-bit Wine, the
# PE32 tree's test programs are built but not run (scripts/arch.sh).
include(GoogleTest)
function(orvik_wine_tests target prefix timeout)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686" AND "$ENV{ORVIK_WINE_ARCH}" STREQUAL "win64")
    return()
  endif()
  gtest_discover_tests(${target} TEST_PREFIX ${prefix}. EXTRA_ARGS --gtest_brief=1 DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 300 PROPERTIES TIMEOUT ${timeout} ${ARGN})
endfunction()

# Unit tests of the portable logic, cross-built: the same tests under Wine.
file(GLOB UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE orvik_core gtest_main)
target_link_options(unit_tests PRIVATE ${WIN_STATIC_LINK})
orvik_wine_tests(unit_tests unit 300)

# Tests of the Win32 side against the real platform under Wine.
file(GLOB WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
if(WIN32_TESTS)
  add_executable(win32_tests ${WIN32_TESTS} $<TARGET_OBJECTS:orvik_resources>)
  target_include_directories(win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(win32_tests PRIVATE orvik_win32 gtest shlwapi)
  target_link_options(win32_tests PRIVATE ${WIN_STATIC_LINK})
  orvik_wine_tests(win32_tests win32 300)
endif()

# End-to-end: a driver that starts the real OrvikPlayer.exe and uses it as a
# person would, with fake encoder tools that record their command lines.
file(GLOB E2E_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/tools/*.cpp)
foreach(tool_src ${E2E_TOOLS})
  get_filename_component(tool ${tool_src} NAME_WE)
  add_executable(${tool} ${tool_src})
  target_compile_options(${tool} PRIVATE ${WIN_COMPILE_OPTIONS})
  target_link_options(${tool} PRIVATE ${WIN_STATIC_LINK})
  list(APPEND E2E_TOOL_TARGETS ${tool})
endforeach()
file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
if(E2E_TESTS)
  add_executable(e2e_tests ${E2E_TESTS} ${CMAKE_SOURCE_DIR}/tests/e2e/e2e_tests.rc)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/e2e/e2e_tests.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/e2e_tests.manifest)
  target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests ${CMAKE_BINARY_DIR}/generated)
  target_compile_options(e2e_tests PRIVATE ${WIN_COMPILE_OPTIONS})
  target_link_libraries(e2e_tests PRIVATE orvik_core gtest shlwapi version oleacc ole32 oleaut32 uuid ${WIN_SYSTEM_LIBS})
  target_link_options(e2e_tests PRIVATE ${WIN_STATIC_LINK})
  add_dependencies(e2e_tests OrvikPlayer ${E2E_TOOL_TARGETS})
  # The command lines the fake tools recorded, run through the real encoders.
  add_test(NAME encoder_runs_emptied
    COMMAND ${CMAKE_COMMAND} -E rm -f $<TARGET_FILE_DIR:e2e_tests>/encoder-runs.txt)
  set_tests_properties(encoder_runs_emptied PROPERTIES FIXTURES_SETUP encoder_runs_empty)
  orvik_wine_tests(e2e_tests e2e 600 FIXTURES_REQUIRED encoder_runs_empty FIXTURES_SETUP encoder_runs)
  add_test(NAME real_encoders COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/e2e/real_encoders.py
    $<TARGET_FILE_DIR:e2e_tests>/encoder-runs.txt)
  set_tests_properties(real_encoders PROPERTIES FIXTURES_REQUIRED encoder_runs SKIP_RETURN_CODE 77)
endif()

# The shipped program is PE32 for i386 and depends on no DLL beyond Windows' own;
# it is what the packages hold.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_test(NAME imports_are_system_dlls
    COMMAND ${CMAKE_SOURCE_DIR}/tests/check-imports.sh $<TARGET_FILE:OrvikPlayer>)
  add_test(NAME runtime_reports_are_the_programs
    COMMAND ${CMAKE_SOURCE_DIR}/tests/check-link-map.sh $<TARGET_FILE_DIR:OrvikPlayer>/OrvikPlayer.map)
  include(${CMAKE_CURRENT_LIST_DIR}/Lame.cmake)
  include(${CMAKE_CURRENT_LIST_DIR}/Packaging.cmake)
endif()

# Benchmarks: programs that print figures (scripts/bench.sh runs them).
# reference_app is the yardstick the start-up is compared with; the rest are
# console drivers.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
list(REMOVE_ITEM BENCH_SOURCES ${CMAKE_SOURCE_DIR}/tests/bench/reference_app.cpp)
foreach(bench_src ${BENCH_SOURCES})
  get_filename_component(bench ${bench_src} NAME_WE)
  add_executable(${bench} ${bench_src})
  target_compile_options(${bench} PRIVATE ${WIN_COMPILE_OPTIONS})
  target_link_libraries(${bench} PRIVATE psapi)
  target_link_options(${bench} PRIVATE ${WIN_STATIC_LINK})
  add_dependencies(${bench} OrvikPlayer)
endforeach()
# The incoming-files benchmark sends what a later start sends.
target_link_libraries(incoming_bench PRIVATE orvik_core)
target_include_directories(incoming_bench PRIVATE ${CMAKE_SOURCE_DIR}/src)
add_executable(reference_app WIN32 ${CMAKE_SOURCE_DIR}/tests/bench/reference_app.cpp)
target_compile_options(reference_app PRIVATE ${WIN_COMPILE_OPTIONS})
target_link_libraries(reference_app PRIVATE comctl32 comdlg32 shell32 gdi32 user32)
target_link_options(reference_app PRIVATE ${WIN_STATIC_LINK})
# The benchmark build: the program as it ships plus the phase timer, as
# trace/OrvikPlayer.exe (the name gives the store key). Never packaged.
add_executable(OrvikPlayerTrace WIN32 ${CMAKE_SOURCE_DIR}/src/OrvikPlayer.cpp ${RUNTIME_STANDINS}
  ${CMAKE_SOURCE_DIR}/tests/bench/trace/PhaseTrace.cpp $<TARGET_OBJECTS:orvik_resources>)
target_link_libraries(OrvikPlayerTrace PRIVATE orvik_win32)
target_compile_options(OrvikPlayerTrace PRIVATE ${WIN_SIZE_COMPILE})
target_link_options(OrvikPlayerTrace PRIVATE ${WIN_STATIC_LINK} ${WIN_SIZE_LINK})
set_target_properties(OrvikPlayerTrace PROPERTIES OUTPUT_NAME OrvikPlayer
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/trace)
# The reference program with the same phase timer, for comparison.
add_executable(reference_app_trace WIN32 ${CMAKE_SOURCE_DIR}/tests/bench/reference_app.cpp
  ${CMAKE_SOURCE_DIR}/tests/bench/trace/PhaseTrace.cpp)
target_compile_options(reference_app_trace PRIVATE ${WIN_COMPILE_OPTIONS})
target_link_libraries(reference_app_trace PRIVATE comctl32 comdlg32 shell32 gdi32 user32)
target_link_options(reference_app_trace PRIVATE ${WIN_STATIC_LINK})
set_target_properties(reference_app_trace PROPERTIES OUTPUT_NAME reference_app
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/trace)
if(TARGET startup_bench)
  add_dependencies(startup_bench reference_app OrvikPlayerTrace reference_app_trace)
endif()
