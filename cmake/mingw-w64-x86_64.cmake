# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads, so
# that std::thread and friends work), run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ASRKIT_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ASRKIT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ASRKIT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ASRKIT_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ASRKIT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Header-only packages (CLI11, nlohmann_json) are found in the host's tree.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# One .exe per program, no MinGW runtime DLLs to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(ASRKIT_WINE wine)
if(ASRKIT_WINE)
  # The build's own quiet prefix even when ctest is run by hand. Start its
  # server first (scripts/test-windows does), or Wine's background services
  # inherit ctest's output and hold it open.
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all
                                    WINEDLLOVERRIDES=mscoree,mshtml= ${ASRKIT_WINE})
endif()
