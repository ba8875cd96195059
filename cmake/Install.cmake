# What `cmake --install` puts into a prefix; the Debian package (debian/) is made of the same
# files. Included after every target exists.

# The programs; a command that another part of the project adds later is carried once it exists.
foreach(program zolvera zolvera-catalogue zolvera-wallpaper)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# The defaults a user's library is made from on its first start (see library/AppFolder.h).
set(made ${PROJECT_BINARY_DIR}/resources)
install(FILES ${ZOLVERA_HELP_DOCUMENTS} DESTINATION ${ZOLVERA_DATADIR})
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

# The manual pages and the program's entry in software centres.
foreach(program zolvera zolvera-wallpaper zolvera-catalogue)
    install(FILES ${made}/man/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${made}/man/hu/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/hu/man1)
endforeach()
install(FILES ${made}/${ZOLVERA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
