# `cmake --build build --target debian_package` (also part of `package`):
# build/packages/orvanne_<version>-<revision>_<arch>.deb, made with Debian's own tools.
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG_DEB OR NOT DPKG_SHLIBDEPS)
    message(STATUS "dpkg-deb or dpkg-shlibdeps not found: no debian_package target")
    return()
endif()
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog heading LIMIT_COUNT 1)
string(REGEX MATCH "\\(([^)]+)\\)" _ "${heading}")
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
    OUTPUT_STRIP_TRAILING_WHITESPACE)
# The end-to-end tests install this file.
set(ORVANNE_DEB ${PROJECT_BINARY_DIR}/packages/orvanne_${CMAKE_MATCH_1}_${arch}.deb
    CACHE INTERNAL "")
add_custom_target(debian_package
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/build-deb.sh $<TARGET_FILE:orvanne>
        ${CMAKE_CURRENT_SOURCE_DIR}/orvanne.xml ${CMAKE_CURRENT_BINARY_DIR}/orvanne.6x
        ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_VERSION} ${ORVANNE_MODULE_DIR}
        ${ORVANNE_CONFIG_DIR} ${CMAKE_CURRENT_BINARY_DIR}/deb ${ORVANNE_DEB}
    DEPENDS orvanne
    COMMENT "Debian package ${ORVANNE_DEB}"
    VERBATIM)
