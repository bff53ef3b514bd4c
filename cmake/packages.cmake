# `cmake --build build --target package`: an installer and a zip for each Windows build,
# named for the project version, then SHA256SUMS over every file in build/packages/ (another
# package made by a target that `package` depends on is covered too).
# Optional, so that a build of the Linux module alone needs neither tool.
find_program(MAKENSIS makensis)
find_program(ZIP zip)
if(NOT MAKENSIS OR NOT ZIP)
    message(STATUS "makensis or zip not found: no package target")
    return()
endif()
set(ORVANNE_SIGN_CERT "$ENV{ORVANNE_SIGN_CERT}" CACHE FILEPATH
    "Code-signing certificate (PEM) for the programs and installers; empty: unsigned")
set(ORVANNE_SIGN_KEY "$ENV{ORVANNE_SIGN_KEY}" CACHE FILEPATH "Its private key (PEM)")
set(ORVANNE_SIGN_TIMESTAMP "$ENV{ORVANNE_SIGN_TIMESTAMP}" CACHE STRING
    "Timestamp server (RFC 3161 URL) for the signatures; empty: none")
set(ORVANNE_PACKAGE_DIR ${PROJECT_BINARY_DIR}/packages)
set(stage ${PROJECT_BINARY_DIR}/package-stage)
configure_file(installer/README.txt.in ${stage}/README.txt @ONLY)
set(installer ${PROJECT_SOURCE_DIR}/installer)

set(sign_define)
if(ORVANNE_SIGN_CERT)
    find_program(OSSLSIGNCODE osslsigncode REQUIRED)
    set(sign ${stage}/sign.sh)
    configure_file(installer/sign.sh.in ${sign} @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE
        OWNER_EXECUTE)
    set(sign_define -DSIGN=${sign})
endif()

set(commands COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVANNE_PACKAGE_DIR})
foreach(arch i686 x86_64)
    if(arch STREQUAL "i686")
        set(tag win32)
    else()
        set(tag win64)
    endif()
    # Copies of the programs: signing and dating them leaves the build's own untouched.
    set(files ${stage}/${tag})
    set(programs ${files}/Orvanne.scr ${files}/Orvanne.dll)
    set(base ${ORVANNE_PACKAGE_DIR}/Orvanne-${PROJECT_VERSION}-${tag})
    list(APPEND commands
        COMMAND ${CMAKE_COMMAND} -E make_directory ${files}
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_BINARY_DIR}/windows-${arch}/dist/Orvanne.scr
            ${PROJECT_BINARY_DIR}/windows-${arch}/dist/Orvanne.dll ${files})
    if(ORVANNE_SIGN_CERT)
        list(APPEND commands COMMAND ${sign} ${files}/Orvanne.scr COMMAND ${sign} ${files}/Orvanne.dll)
    endif()
    list(APPEND commands
        COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 -DARCH=${tag} -DVERSION=${PROJECT_VERSION}
            -DPUBLISHER=${ORVANNE_PUBLISHER}
            -DCOPYRIGHT=${ORVANNE_COPYRIGHT} -DDIST=${files} ${sign_define}
            -DICON=${PROJECT_SOURCE_DIR}/assets/dialog/vellis_p.ico -DOUTFILE=${base}-setup.exe
            ${installer}/orvanne.nsi
        COMMAND sh ${installer}/stamp.sh ${PROJECT_SOURCE_DIR} ${programs} ${stage}/README.txt
            ${stage}/LICENSE.txt
        COMMAND ${CMAKE_COMMAND} -E rm -f ${base}.zip
        # Local times go into a zip: one zone for every build.
        COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -q -X -j ${base}.zip ${programs}
        # -l: the texts get Windows line ends, for any text editor there.
        COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -q -X -j -l ${base}.zip ${stage}/README.txt
            ${stage}/LICENSE.txt)
endforeach()
add_custom_target(package
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt
    ${commands}
    COMMAND sh ${installer}/checksums.sh ${ORVANNE_PACKAGE_DIR}
    DEPENDS windows-i686 windows-x86_64
    COMMENT "Installers and archives in ${ORVANNE_PACKAGE_DIR}"
    VERBATIM)
if(TARGET debian_package)
    add_dependencies(package debian_package)
endif()
