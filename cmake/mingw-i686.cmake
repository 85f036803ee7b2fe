# Cross build for i686 Windows with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORBITONE_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# 32-bit hosts of this era all have SSE2: use it for floating point (as the 64-bit build does, so the
# two builds compute alike and the denormal guard works), and realign the stack at entry points,
# because 32-bit Windows callers only keep it 4-byte aligned.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
