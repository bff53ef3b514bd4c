# `cmake --build build --target package`: an installer and a zip for each Windows build,
# named for the project version, in build/packages/.
# Optional, so that a build of the Linux module alone needs neither tool.
find_program(MAKENSIS makensis)
find_program(ZIP zip)
if(NOT MAKENSIS OR NOT ZIP)
    message(STATUS "makensis or zip not found: no package target")
    return()
endif()
set(ORVANNE_PACKAGE_DIR ${PROJECT_BINARY_DIR}/packages)
set(stage ${PROJECT_BINARY_DIR}/package-stage)
configure_file(installer/README.txt.in ${stage}/README.txt @ONLY)

set(commands COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVANNE_PACKAGE_DIR})
foreach(arch i686 x86_64)
    if(arch STREQUAL "i686")
        set(tag win32)
    else()
        set(tag win64)
    endif()
    set(dist ${PROJECT_BINARY_DIR}/windows-${arch}/dist)
    set(base ${ORVANNE_PACKAGE_DIR}/Orvanne-${PROJECT_VERSION}-${tag})
    list(APPEND commands
        COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 -DARCH=${tag} -DVERSION=${PROJECT_VERSION}
            -DPUBLISHER=${ORVANNE_PUBLISHER}
            -DCOPYRIGHT=${ORVANNE_COPYRIGHT} -DDIST=${dist}
            -DICON=${PROJECT_SOURCE_DIR}/assets/dialog/vellis_p.ico -DOUTFILE=${base}-setup.exe
            ${PROJECT_SOURCE_DIR}/installer/orvanne.nsi
        COMMAND ${CMAKE_COMMAND} -E rm -f ${base}.zip
        COMMAND ${ZIP} -q -X -j ${base}.zip ${dist}/Orvanne.scr ${dist}/Orvanne.dll
        # -l: the texts get Windows line ends, for any text editor there.
        COMMAND ${ZIP} -q -X -j -l ${base}.zip ${stage}/README.txt ${stage}/LICENSE.txt)
endforeach()
add_custom_target(package
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt
    ${commands}
    DEPENDS windows-i686 windows-x86_64
    COMMENT "Installers and archives in ${ORVANNE_PACKAGE_DIR}"
    VERBATIM)
add_dependencies(package debian_package)
