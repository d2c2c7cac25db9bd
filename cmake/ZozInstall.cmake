# Installation and the Debian package. `cmake --install build --prefix P` puts the programs in
# P/bin, the print module in P/lib/zozedud and the read-only templates of the user's program
# folder in P/share/zozedud; an installed editor finds them there (see src/app/ProgramFolder and
# src/ui/PrintModule) and copies the templates at its first start. The
# default data file is the generated one, never the copy in build/bin that a run may have changed.
set(ZOZ_TEMPLATE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
install(TARGETS qpl-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/man/qpl-sim.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES resources/zozedud.Ini ${ZOZ_DEFAULT_DATA}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zozedud PERMISSIONS ${ZOZ_TEMPLATE_PERMISSIONS})

if(ZOZ_GUI)
    install(TARGETS zozedud RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(TARGETS zozedud-print LIBRARY DESTINATION ${ZOZ_PRINT_MODULE_DIR})
    install(FILES packaging/man/zozedud.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES packaging/${ZOZ_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    configure_file(packaging/${ZOZ_APP_ID}.metainfo.xml.in
                   ${CMAKE_BINARY_DIR}/${ZOZ_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/${ZOZ_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES resources/icons/logo.svg DESTINATION
            ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${ZOZ_APP_ID}.svg)
    # The PNG sizes come from tools/render-icon.
endif()

# The command-line client, once it is part of the build; its man page comes with it.
if(TARGET zozedud-cli)
    install(TARGETS zozedud-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    if(EXISTS ${PROJECT_SOURCE_DIR}/packaging/man/zozedud-cli.1)
        install(FILES packaging/man/zozedud-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
    # The nightly backup of the saved connections, as systemd user units; not enabled.
    configure_file(packaging/systemd/zozedud-backup.service.in
        ${CMAKE_BINARY_DIR}/zozedud-backup.service @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/zozedud-backup.service packaging/systemd/zozedud-backup.timer
        DESTINATION ${CMAKE_INSTALL_PREFIX}/lib/systemd/user)
endif()

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
include(CPack)
