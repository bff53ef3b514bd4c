# `cmake --build build --target debian_package` (also part of `package`):
# build/packages/orvanne_<version>-1_<arch>.deb, made with Debian's own tools.
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG_DEB OR NOT DPKG_SHLIBDEPS)
    message(STATUS "dpkg-deb or dpkg-shlibdeps not found: no debian_package target")
    return()
endif()
add_custom_target(debian_package
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/debian/build-deb.sh $<TARGET_FILE:orvanne>
        ${CMAKE_CURRENT_SOURCE_DIR}/orvanne.xml ${CMAKE_CURRENT_BINARY_DIR}/orvanne.6x
        ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_VERSION} ${ORVANNE_MODULE_DIR}
        ${ORVANNE_CONFIG_DIR} ${CMAKE_CURRENT_BINARY_DIR}/deb ${PROJECT_BINARY_DIR}/packages
    DEPENDS orvanne
    COMMENT "Debian package in ${PROJECT_BINARY_DIR}/packages"
    VERBATIM)
