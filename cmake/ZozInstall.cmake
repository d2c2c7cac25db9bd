# Installation and the Debian package. `cmake --install build --prefix P` puts the programs in
# P/bin, the print module in P/lib/zozedud/print and the templates of the user's program
# folder in P/share/zozedud; an installed editor finds them there (see src/app/ProgramFolder and
# src/ui/PrintModule) and copies the templates at its first start. The
# default data file is the generated one, never the copy in build/bin that a run may have changed.
install(TARGETS qpl-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Templates are plain 0644 files (the first start copies them and makes the copies writable).
install(FILES resources/zozedud.Ini ${ZOZ_DEFAULT_DATA} DESTINATION ${CMAKE_INSTALL_DATADIR}/zozedud)

# Manual pages and the changelog go in compressed with gzip -9n (no name or time inside, so the
# package is reproducible), as Debian wants them; the copyright file as it is.
find_program(ZOZ_GZIP gzip REQUIRED)
set(ZOZ_GZIPPED)
function(zoz_install_gzipped source destination)
    get_filename_component(name ${source} NAME)
    set(gz ${CMAKE_BINARY_DIR}/gz/${name}.gz)
    add_custom_command(
        OUTPUT ${gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/gz
        COMMAND ${ZOZ_GZIP} -9nc ${PROJECT_SOURCE_DIR}/${source} > ${gz}
        DEPENDS ${PROJECT_SOURCE_DIR}/${source})
    install(FILES ${gz} DESTINATION ${destination})
    set(ZOZ_GZIPPED ${ZOZ_GZIPPED} ${gz} PARENT_SCOPE)
endfunction()
set(ZOZ_MAN_PAGES packaging/man/qpl-sim.1 packaging/man/zozedud-cli.1)
if(ZOZ_GUI)
    list(APPEND ZOZ_MAN_PAGES packaging/man/zozedud.1)
endif()
foreach(page IN LISTS ZOZ_MAN_PAGES)
    zoz_install_gzipped(${page} ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
zoz_install_gzipped(packaging/changelog ${CMAKE_INSTALL_DOCDIR})
add_custom_target(gzipped ALL DEPENDS ${ZOZ_GZIPPED})
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(ZOZ_GUI)
    install(TARGETS zozedud RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(TARGETS zozedud-print LIBRARY DESTINATION ${ZOZ_PRINT_MODULE_DIR})
    install(FILES packaging/${ZOZ_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    configure_file(packaging/${ZOZ_APP_ID}.metainfo.xml.in
                   ${CMAKE_BINARY_DIR}/${ZOZ_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/${ZOZ_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES resources/icons/app.svg DESTINATION
            ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${ZOZ_APP_ID}.svg)
    # The PNG sizes come from tools/render-icon.
endif()

install(TARGETS zozedud-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The nightly backup of the saved connections, as systemd user units; not enabled.
configure_file(packaging/systemd/zozedud-backup.service.in
    ${CMAKE_BINARY_DIR}/zozedud-backup.service @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/zozedud-backup.service packaging/systemd/zozedud-backup.timer
    DESTINATION lib/systemd/user)

# make package: a .deb whose library dependencies dpkg-shlibdeps finds.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zozedud)
set(CPACK_PACKAGE_VENDOR "The VX418 ZozEdud developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the configuration of a QPL audio controller")
set(CPACK_PACKAGE_DESCRIPTION
    "VX418 ZozEdud receives the configuration of a QPL audio monitoring and
routing controller over a serial line, shows it on nine pages, sends it back
and keeps it in data files. The package also holds qpl-sim, a simulator of the
controller on a pseudo terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VX418 ZozEdud developers <zozedud@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/zozedud)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins (xcb for the editor, offscreen for the report of zozedud-cli) are loaded,
# not linked, so dpkg-shlibdeps cannot find them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Files and folders as Debian wants them (0644 and 0755, owned by root) whatever the umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
