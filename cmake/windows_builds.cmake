# The i686 build is the release build; the x86_64 build is the one the end-to-end
# tests run, since this machine's Wine runs 64-bit code only.
include(ExternalProject)
foreach(arch i686 x86_64)
    ExternalProject_Add(windows-${arch}
        SOURCE_DIR ${PROJECT_SOURCE_DIR}
        BINARY_DIR ${PROJECT_BINARY_DIR}/windows-${arch}
        CMAKE_ARGS
            -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-${arch}.cmake
            -DCMAKE_BUILD_TYPE=MinSizeRel
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        USES_TERMINAL_BUILD ON)
endforeach()
set(ORVANNE_RELEASE_DIST ${PROJECT_BINARY_DIR}/windows-i686/dist)
set(ORVANNE_TEST_DIST ${PROJECT_BINARY_DIR}/windows-x86_64/dist)
include(cmake/packages.cmake)
