# Cross build for 64-bit Windows: the same sources, for test machines whose
# kernel cannot run 32-bit Linux programs and therefore not 32-bit Wine.
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
