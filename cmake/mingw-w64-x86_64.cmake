# Cross toolchain for the Windows x64 build with mingw-w64 (Debian: g++-mingw-w64-x86-64).
# The posix thread model is preferred: the win32 model has no std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KOLVO_MINGW_PREFIX x86_64-w64-mingw32)

find_program(KOLVO_MINGW_CXX NAMES ${KOLVO_MINGW_PREFIX}-g++-posix ${KOLVO_MINGW_PREFIX}-g++ REQUIRED)
find_program(KOLVO_MINGW_CC NAMES ${KOLVO_MINGW_PREFIX}-gcc-posix ${KOLVO_MINGW_PREFIX}-gcc REQUIRED)
find_program(KOLVO_MINGW_RC NAMES ${KOLVO_MINGW_PREFIX}-windres REQUIRED)
set(CMAKE_C_COMPILER ${KOLVO_MINGW_CC})
set(CMAKE_CXX_COMPILER ${KOLVO_MINGW_CXX})
set(CMAKE_RC_COMPILER ${KOLVO_MINGW_RC})

# Libraries and headers come from the cross sysroot where there is one (Debian); on a Windows
# machine (MSYS2) the compiler's own search paths are the right ones.
if(EXISTS /usr/${KOLVO_MINGW_PREFIX})
    set(CMAKE_FIND_ROOT_PATH /usr/${KOLVO_MINGW_PREFIX})
    set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
    set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
    set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
    set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
endif()

# Tests and other build-time runs of Windows programs go through Wine: add_test picks this up,
# so every test executable, whoever writes it, runs the same way. The prefix lives in the build
# tree unless WINEPREFIX is set (scripts/test-all.sh sets it to a fresh one per run).
if(NOT CMAKE_HOST_WIN32 AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    get_filename_component(KOLVO_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${KOLVO_SOURCE_ROOT}/scripts/wine-run.sh --prefix ${CMAKE_BINARY_DIR}/wineprefix)
endif()
