# `cmake --install` and the Debian package (`cpack -G DEB`). Included after every target exists.

# The programs; a command that another part of the project adds later is carried once it exists.
foreach(program zolvera zolvera-catalogue zolvera-wallpaper)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# The defaults a user's library is made from on its first start (see library/AppFolder.h).
set(made ${PROJECT_BINARY_DIR}/resources)
install(FILES ${made}/zolvera.pdf DESTINATION ${ZOLVERA_DATADIR})
install(DIRECTORY ${made}/Template DESTINATION ${ZOLVERA_DATADIR})

# The menu entry, the program's icons and the type of the picture packages, bound to it.
install(FILES resources/desktop/zolvera.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${ZOLVERA_APP_ID}.desktop)
install(FILES resources/desktop/zolvera.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES resources/zolvera.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS ZOLVERA_ICON_SIZES)
    install(FILES ${made}/icons/${size}/zolvera.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Shows the last wallpaper again at login in the sessions that do not keep it themselves (bare
# X11, the wlroots compositors). Sessions read autostart entries from /etc/xdg, so the folder is
# chosen when installing, by GNUInstallDirs' rule: the /usr prefix (the package's) keeps its
# settings in /etc, any other prefix in <prefix>/etc.
install(CODE "set(entry \"${PROJECT_SOURCE_DIR}/resources/desktop/zolvera-wallpaper-restore.desktop\")")
install(CODE [[
    if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
        set(folder /etc/xdg/autostart)
    else()
        set(folder "${CMAKE_INSTALL_PREFIX}/etc/xdg/autostart")
    endif()
    file(INSTALL "${entry}" DESTINATION "${folder}")
]])

# The package's documents, manual pages and its entry in software centres.
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/zolvera)
install(FILES ${made}/doc/copyright ${made}/doc/changelog.gz DESTINATION ${docdir})
foreach(program zolvera zolvera-wallpaper zolvera-catalogue)
    install(FILES ${made}/man/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${made}/man/hu/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/hu/man1)
endforeach()
install(FILES ${made}/${ZOLVERA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zolvera)
set(CPACK_PACKAGE_VENDOR "${ZOLVERA_MAKER}")
set(CPACK_PACKAGE_CONTACT "${ZOLVERA_MAKER} <${ZOLVERA_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wallpaper library of JPEG pictures in named groups")
set(CPACK_PACKAGE_DESCRIPTION
    "Zolvera keeps a personal library of JPEG wallpapers in named groups. It shows
a group as a grid of thumbnails, previews a picture and makes it the desktop
wallpaper, plays a group as a slideshow and installs .dta picture packages.
Its user interface is in Hungarian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZOLVERA_HOMEPAGE}")
# The shared libraries give the dependencies; Qt's plugins are loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The autostart entry lives in /etc, so an administrator's edits of it survive upgrades.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/resources/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "xdg-utils, shared-mime-info, desktop-file-utils, fonts-dejavu-core, qt6-translations-l10n")
include(CPack)
