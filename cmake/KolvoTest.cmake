# GoogleTest: the native build uses the system package; the cross build compiles it from
# Debian's source package with the same cross toolchain. On Windows itself (MSYS2) GoogleTest is
# an installed package like any other.
if(NOT KOLVO_TESTS)
    return()
endif()
enable_testing()
if(CMAKE_CROSSCOMPILING AND EXISTS /usr/src/googletest/CMakeLists.txt)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # GoogleTest's own texts are ASCII; the CP932 execution charset of the project would make
    # libstdc++'s <chrono> (a micro sign in C++20 mode) fail to compile inside it.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(gtest PRIVATE -fexec-charset=UTF-8)
        target_compile_options(gtest_main PRIVATE -fexec-charset=UTF-8)
    endif()
    # Newer GoogleTest sources define these names themselves.
    if(NOT TARGET GTest::gtest)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
else()
    find_package(GTest REQUIRED)
endif()

# One CTest test per test executable: under Wine every process start costs seconds, so
# registering each test case on its own would multiply the run time.
function(kolvo_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# Tests that show windows or need theirs to be the active one. All the processes of a run share
# one desktop, where a window shown by one takes the activation (and so the keyboard focus) from
# another's: none of these runs beside another.
function(kolvo_desktop_tests)
    foreach(name ${ARGN})
        set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK kolvo_desktop)
    endforeach()
endfunction()
