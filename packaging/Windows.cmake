# Windows: the program laid out as windeployqt would lay it out, the installer (cpack -G NSIS)
# and the portable .zip (cpack -G ZIP). Included by Packaging.cmake on Windows builds.

if(TARGET lanternix)
    # What lanternix.exe loads, by folder beside it: Qt's DLLs and the plugins for the windows
    # platform, the Windows style and the picture formats a button may use; the MinGW runtime that
    # Qt's DLLs and the program share. They go stripped into the build's bin/, where the program
    # and the tests run, and are installed from there; some only the tests load.
    set(deployed
        . Qt6::Core . Qt6::Gui . Qt6::Widgets
        platforms Qt6::QWindowsIntegrationPlugin
        styles Qt6::QWindowsVistaStylePlugin
        imageformats Qt6::QGifPlugin imageformats Qt6::QJpegPlugin imageformats Qt6::QICOPlugin)
    set(for_tests)
    if(TARGET ui_tests)
        find_package(Qt6 REQUIRED COMPONENTS Test)
        set(for_tests . Qt6::Test platforms Qt6::QOffscreenIntegrationPlugin)
    endif()
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
            OUTPUT_VARIABLE file OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${file}" OR NOT EXISTS "${file}")
            message(FATAL_ERROR "${dll} not found beside ${CMAKE_CXX_COMPILER}")
        endif()
        list(APPEND deployed . ${file})
    endforeach()

    set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    set(copies)
    foreach(kind deployed for_tests)
        set(items ${${kind}})
        while(items)
            list(POP_FRONT items folder item)
            set(file ${item})
            if(TARGET ${item})
                get_target_property(file ${item} IMPORTED_LOCATION_RELEASE)
            endif()
            if(NOT EXISTS "${file}")
                message(FATAL_ERROR "${item} not found")
            endif()
            get_filename_component(name ${file} NAME)
            set(copy ${bin}/${folder}/${name})
            add_custom_command(OUTPUT ${copy}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/${folder}
                COMMAND ${CMAKE_STRIP} -o ${copy} ${file}
                DEPENDS ${file} VERBATIM)
            list(APPEND copies ${copy})
            if("${kind}" STREQUAL "deployed")
                install(FILES ${copy} DESTINATION ${LANTERNIX_BIN_DIR}/${folder})
            endif()
        endwhile()
    endforeach()
    add_custom_target(lanternix_deploy DEPENDS ${copies})
    add_dependencies(lanternix lanternix_deploy)
endif()

# The installer: Program Files for all users when the user may install there, else the user's
# own programs folder without elevation; a Start-menu entry; .lxp files open with Lanternix.
set(CPACK_PACKAGE_FILE_NAME Lanternix-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Lanternix)
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/resources/icons/lanternix.ico)
set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
# Our own NSIS.template.in, which CPack looks for on the module path first.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/windows)
