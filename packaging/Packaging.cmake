# Manual pages, Debian's documents and the Debian package (cpack -G DEB); on Windows the
# installer and the .zip (Windows.cmake). Included by the top-level CMakeLists.txt after the
# programs, so that CPack sees every install rule.
include(GNUInstallDirs)

if(NOT WIN32)
    # Debian wants manual pages and changelogs compressed, without names or times inside.
    set(compressed)
    function(lanternix_gzip source output)
        add_custom_command(OUTPUT ${output}
            COMMAND gzip -9n -c ${source} > ${output}
            DEPENDS ${source} VERBATIM)
        set(compressed ${compressed} ${output} PARENT_SCOPE)
    endfunction()
    set(out ${CMAKE_BINARY_DIR}/packaging)
    file(MAKE_DIRECTORY ${out})
    lanternix_gzip(${CMAKE_SOURCE_DIR}/docs/man/lanternix-html.1 ${out}/lanternix-html.1.gz)
    lanternix_gzip(${CMAKE_SOURCE_DIR}/packaging/changelog ${out}/changelog.gz)
    install(FILES ${out}/lanternix-html.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    if(TARGET lanternix)
        lanternix_gzip(${CMAKE_SOURCE_DIR}/docs/man/lanternix.1 ${out}/lanternix.1.gz)
        install(FILES ${out}/lanternix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
    add_custom_target(lanternix_compressed ALL DEPENDS ${compressed})
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${out}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/lanternix)
endif()

set(CPACK_PACKAGE_NAME lanternix)
set(CPACK_PACKAGE_VENDOR "The Lanternix developers")
set(CPACK_PACKAGE_CONTACT "Lanternix <lanternix@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.example.org/lanternix")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "build a web page with a vertical menu bar of picture buttons")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_SOURCE_DIR}/packaging/description.txt)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # lanternix_2.0.0_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # dependencies from the binaries, by dpkg-shlibdeps
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation") # Arial's metrics, for the layouts
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/Windows.cmake)
endif()
include(CPack)
