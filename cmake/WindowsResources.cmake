# A Windows program's icon, version information and manifest, compiled into
# the .exe: the version from the same header the About box and --version read.
function(chainforge_windows_resources target description)
    if(NOT WIN32)
        return()
    endif()
    file(STRINGS ${PROJECT_SOURCE_DIR}/src/convert/Version.h _version REGEX "kVersionText = ")
    string(REGEX REPLACE ".*\"(.*)\".*" "\\1" CHAINFORGE_VERSION_TEXT "${_version}")
    set(CHAINFORGE_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
    set(CHAINFORGE_VERSION_DOTS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
    set(CHAINFORGE_TARGET ${target})
    set(CHAINFORGE_DESCRIPTION "${description}")
    set(CHAINFORGE_ICON ${PROJECT_SOURCE_DIR}/resources/icons/chainforge.ico)
    set(_folder ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
    set(CHAINFORGE_MANIFEST ${_folder}/${target}.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.manifest.in
        ${CHAINFORGE_MANIFEST} @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.rc.in ${_folder}/${target}.rc
        @ONLY)
    target_sources(${target} PRIVATE ${_folder}/${target}.rc)
    set_property(SOURCE ${_folder}/${target}.rc APPEND PROPERTY
        OBJECT_DEPENDS ${CHAINFORGE_ICON} ${CHAINFORGE_MANIFEST})
endfunction()
