# Installing the game as a Linux game: the programs in bin, the shipped start folder's data under
# share/tessaroon (from which each player's own start folder is made, see src/launch), the icon
# in the hicolor theme, the desktop entry, the AppStream metainfo and the manual pages; and the
# Debian package built from that by CPack (cpack -G DEB in the build folder).

set(TESSAROON_APP_ID org.tessaroon.Tessaroon)
set(TESSAROON_SCREENSHOT_URL "https://tessaroon.invalid/screenshots" CACHE STRING
    "Web folder where dist/screenshots is published, named by the metainfo's screenshots")
set(dist ${CMAKE_SOURCE_DIR}/dist)
set(start ${CMAKE_SOURCE_DIR}/game)
set(shipped ${CMAKE_INSTALL_DATADIR}/tessaroon)

install(TARGETS tessaroon-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The shipped start folder: settings, dictionaries with their licences, styles, an empty
# Records folder and the help file when the build made one. What a player adds while playing
# in game/ (records, backups) is not shipped.
install(FILES ${start}/Tessaroon.ini DESTINATION ${shipped})
install(DIRECTORY ${start}/Dicts DESTINATION ${shipped}
        FILES_MATCHING PATTERN "*.tqd" PATTERN "*.txt")
install(DIRECTORY ${start}/Styles DESTINATION ${shipped}
        FILES_MATCHING PATTERN "*.ini" PATTERN "*.bmp" PATTERN "*.jpg")
install(DIRECTORY DESTINATION ${shipped}/Records)
if(TARGET help_file)
    install(FILES ${CMAKE_BINARY_DIR}/help/Tessaroon.chm DESTINATION ${shipped})
endif()

# Manual pages, with the version and the data folder filled in, compressed as Debian keeps them.
set(man_pages)
foreach(page tessaroon tessaroon-cli)
    set(VERSION ${PROJECT_VERSION})
    set(DATADIR ${CMAKE_INSTALL_FULL_DATADIR})
    configure_file(${dist}/man/${page}.6.in ${CMAKE_BINARY_DIR}/dist/man/${page}.6 @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/dist/man/${page}.6.gz
        COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/dist/man/${page}.6
        DEPENDS ${CMAKE_BINARY_DIR}/dist/man/${page}.6
        COMMENT "Compressing the manual page ${page}(6)")
    list(APPEND man_pages ${CMAKE_BINARY_DIR}/dist/man/${page}.6.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaroon)

if(TESSAROON_BUILD_UI)
    # The help viewer lies beside the game, which starts it on F1.
    install(TARGETS tessaroon tessaroon-help RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

    foreach(size 16 32 48 64 128 256)
        install(FILES ${CMAKE_SOURCE_DIR}/src/ui/images/icon_${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${TESSAROON_APP_ID}.png)
    endforeach()
    install(FILES ${dist}/icon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${TESSAROON_APP_ID}.svg OPTIONAL)

    install(FILES ${dist}/${TESSAROON_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

    # The screenshots (dist/screenshots) are pictures the end-to-end run takes of the window.
    configure_file(${dist}/${TESSAROON_APP_ID}.metainfo.xml.in
                   ${CMAKE_BINARY_DIR}/dist/${TESSAROON_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/dist/${TESSAROON_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaroon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tessaroon developers")
set(CPACK_PACKAGE_CONTACT "The Tessaroon developers <maintainers@tessaroon.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word game on a shared grid of letter cells")
# The long description, wrapped as dpkg shows it.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Tessaroon is a word game for two to five players. The players share a grid"
    "of letter cells whose middle row starts with a dictionary word; on a move a"
    "player puts one new letter next to the letters and marks a chain of"
    "neighbouring cells through it that spells a noun of the dictionary."
    "Play against computer players of seven skills, at one computer or over the"
    "local network, with Russian and English dictionaries and a record table of"
    "rated games.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the programs link come from dpkg-shlibdeps; the toolkit's X11 platform
# plugin and the fonts the windows ask for are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
