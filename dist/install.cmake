# SPDX-License-Identifier: GPL-3.0-or-later
# Installing the game as Debian installs a game: the programs in games, the shipped start folder's
# data under share/games/tessaroon (from which each player's own start folder is made, see src/launch), the icon
# in the hicolor theme, the desktop entry, the AppStream metainfo and the manual pages; and the
# Debian package built from that by CPack (cpack -G DEB in the build folder).

set(TESSAROON_APP_ID org.tessaroon.Tessaroon)
set(TESSAROON_SCREENSHOT_URL "https://tessaroon.invalid/screenshots" CACHE STRING
    "Web folder where dist/screenshots is published, named by the metainfo's screenshots")
set(dist ${CMAKE_SOURCE_DIR}/dist)
set(start ${CMAKE_SOURCE_DIR}/game)
set(shipped ${TESSAROON_INSTALL_DATADIR})

# Manual pages and the package's changelog, with the version and the data folder filled in,
# compressed as Debian keeps them.
# The pages name the packaged game's data folder (another prefix puts it below that prefix).
set(DATADIR /usr/${TESSAROON_INSTALL_DATADIR})
set(VERSION ${PROJECT_VERSION})
set(compressed)
function(tessaroon_compressed template output)
    configure_file(${template} ${CMAKE_BINARY_DIR}/dist/${output} @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/dist/${output}.gz
        COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/dist/${output}
        DEPENDS ${CMAKE_BINARY_DIR}/dist/${output}
        COMMENT "Compressing ${output}")
    set(compressed ${compressed} ${CMAKE_BINARY_DIR}/dist/${output}.gz PARENT_SCOPE)
endfunction()
set(man_pages)
foreach(page tessaroon tessaroon-cli tessaroon-help)
    tessaroon_compressed(${dist}/man/${page}.6.in man/${page}.6)
    list(APPEND man_pages ${CMAKE_BINARY_DIR}/dist/man/${page}.6.gz)
endforeach()
# The game's page in Russian as well (the companion's and the viewer's stay English, as the
# companion does).
tessaroon_compressed(${dist}/man/ru/tessaroon.6.in man/ru/tessaroon.6)
tessaroon_compressed(${dist}/changelog.in changelog.Debian)
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
# Each program's build makes the pages, so that an install after building only the programs (as
# the run command does) finds them.
add_dependencies(tessaroon-cli compressed_docs)
if(TESSAROON_BUILD_UI)
    add_dependencies(tessaroon compressed_docs)
endif()

# An install copies built files. Before it copies any it checks that the build made them all, so
# that an install from an unfinished build ends with a message instead of half an install.
set(built $<TARGET_FILE:tessaroon-cli> ${compressed})
if(TESSAROON_BUILD_UI)
    list(APPEND built $<TARGET_FILE:tessaroon> $<TARGET_FILE:tessaroon-help>)
endif()
if(TARGET help_file)
    list(APPEND built ${CMAKE_BINARY_DIR}/help/Tessaroon.chm ${CMAKE_BINARY_DIR}/help/Tessaroon.ru.chm)
endif()
list(JOIN built "\" \"" built)
install(CODE "
    foreach(file IN ITEMS \"${built}\")
        if(NOT EXISTS \"\${file}\")
            message(FATAL_ERROR \"\${file} is not built: build the project first (cmake --build ${CMAKE_BINARY_DIR}); nothing was installed\")
        endif()
    endforeach()")

install(TARGETS tessaroon-cli RUNTIME DESTINATION ${TESSAROON_INSTALL_GAMESDIR})

# The shipped start folder: settings, dictionaries with their licences, styles, an empty
# Records folder and the help file when the build made one. What a player adds while playing
# in game/ (records, backups) is not shipped.
install(FILES ${start}/Tessaroon.ini DESTINATION ${shipped})
install(DIRECTORY ${start}/Dicts DESTINATION ${shipped}
        FILES_MATCHING PATTERN "*.tqd" PATTERN "*.tqe" PATTERN "*.txt")
install(DIRECTORY ${start}/Styles DESTINATION ${shipped}
        FILES_MATCHING PATTERN "*.ini" PATTERN "*.bmp" PATTERN "*.jpg")
install(DIRECTORY DESTINATION ${shipped}/Records)
if(TARGET help_file)
    install(FILES ${CMAKE_BINARY_DIR}/help/Tessaroon.chm ${CMAKE_BINARY_DIR}/help/Tessaroon.ru.chm
            DESTINATION ${shipped})
endif()

install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# The relay as a system service, disabled until its administrator enables it.
install(FILES ${dist}/tessaroon-relay.service DESTINATION lib/systemd/system)
install(FILES ${CMAKE_BINARY_DIR}/dist/man/ru/tessaroon.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man6)

# The licence and the parts' licences (Debian's machine-readable copyright file), the package's
# changelog, the README and the pages it links.
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/tessaroon)
install(FILES ${dist}/copyright ${CMAKE_BINARY_DIR}/dist/changelog.Debian.gz
              ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${docdir})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${docdir}/docs)
# lintian's overrides, each with its reason above it.
install(FILES ${dist}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tessaroon)

if(TESSAROON_BUILD_UI)
    # The help viewer lies beside the game, which starts it on F1.
    install(TARGETS tessaroon tessaroon-help RUNTIME DESTINATION ${TESSAROON_INSTALL_GAMESDIR})

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

# A stripping install (the package's, or cmake --install --strip) also drops the compilers' names
# (the .comment section) from the programs, as Debian's packages do.
set(programs $<TARGET_FILE_NAME:tessaroon-cli>)
if(TESSAROON_BUILD_UI)
    list(APPEND programs $<TARGET_FILE_NAME:tessaroon> $<TARGET_FILE_NAME:tessaroon-help>)
endif()
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program ${programs})
            set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TESSAROON_INSTALL_GAMESDIR}/\${program}\")
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \"\${file}\"
                            RESULT_VARIABLE failed)
            if(failed)
                message(FATAL_ERROR \"Cannot remove the .comment section from \${file}\")
            endif()
        endforeach()
    endif()")

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
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)  # as DATADIR above
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the programs link come from dpkg-shlibdeps; the toolkit's X11 platform
# plugin and the fonts the windows ask for are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-liberation")
# Qt's own texts (standard buttons, the colour dialog) in the Russian interface.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
