# The installed layout (GNUInstallDirs): bin/zentick, its sound helper and network plugin in the package's library
# folder (lib/zentick/zentick-sound, lib/zentick/zentick-net.so), the read-only data under share/zentick, and what the
# desktop needs to list the program: its menu entry, icons in the hicolor theme, AppStream data and the
# manual page. The file names come from the application id, named once in the top CMakeLists.txt.
include(GNUInstallDirs)

set(ZENTICK_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zentick)
file(RELATIVE_PATH ZENTICK_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/zentick)
set(ZENTICK_HELPERS_DIR ${CMAKE_INSTALL_LIBDIR}/zentick)
file(RELATIVE_PATH ZENTICK_HELPERS_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/zentick)
configure_file(${PROJECT_SOURCE_DIR}/cmake/InstallLayout.h.in ${PROJECT_BINARY_DIR}/generated/InstallLayout.h @ONLY)

install(TARGETS zentick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS zentick-sound RUNTIME DESTINATION ${ZENTICK_HELPERS_DIR})
# The network plugin beside it, loaded, never run: no execute bit.
install(TARGETS zentick-net LIBRARY DESTINATION ${ZENTICK_HELPERS_DIR}
    PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

set(ZENTICK_DESKTOP_DIR ${PROJECT_BINARY_DIR}/desktop)
set(ZENTICK_DESKTOP_FILE ${ZENTICK_DESKTOP_DIR}/${ZENTICK_APP_ID}.desktop)
set(ZENTICK_METAINFO_FILE ${ZENTICK_DESKTOP_DIR}/${ZENTICK_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/app.desktop.in ${ZENTICK_DESKTOP_FILE} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/app.metainfo.xml.in ${ZENTICK_METAINFO_FILE} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/zentick.1.in ${ZENTICK_DESKTOP_DIR}/zentick.1 @ONLY)
install(FILES ${ZENTICK_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZENTICK_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The session-bus interface of the running instance, for those who script it.
install(FILES ${PROJECT_SOURCE_DIR}/dbus/org.zentick.Zentick1.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces)

# Manual pages are installed compressed; -n leaves the time stamp out, so the same page gives the same bytes.
add_custom_command(OUTPUT ${ZENTICK_DESKTOP_DIR}/zentick.1.gz
    COMMAND gzip -9 -n -k -f zentick.1
    DEPENDS ${ZENTICK_DESKTOP_DIR}/zentick.1
    WORKING_DIRECTORY ${ZENTICK_DESKTOP_DIR}
    VERBATIM)
add_custom_target(zentick_manual ALL DEPENDS ${ZENTICK_DESKTOP_DIR}/zentick.1.gz)
install(FILES ${ZENTICK_DESKTOP_DIR}/zentick.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The application icon: the drawing itself, and PNGs rendered from it for the sizes menus and docks ask for.
add_subdirectory(${PROJECT_SOURCE_DIR}/tools/icons ${PROJECT_BINARY_DIR}/tools/icons)
set(ZENTICK_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/icons/zentick.svg)
set(ZENTICK_ICON_SIZES 16 22 24 32 48 64 128 256)
set(ZENTICK_ICON_THEME ${PROJECT_BINARY_DIR}/icons/hicolor)
set(ZENTICK_ICON_PNGS)
foreach(size ${ZENTICK_ICON_SIZES})
    list(APPEND ZENTICK_ICON_PNGS ${ZENTICK_ICON_THEME}/${size}x${size}/apps/${ZENTICK_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${ZENTICK_ICON_PNGS}
    COMMAND zentick_iconrender theme ${ZENTICK_ICON_SVG} ${ZENTICK_ICON_THEME} ${ZENTICK_APP_ID} ${ZENTICK_ICON_SIZES}
    DEPENDS zentick_iconrender ${ZENTICK_ICON_SVG}
    COMMENT "Rendering the application icon for the hicolor theme"
    VERBATIM)
add_custom_target(zentick_icons ALL DEPENDS ${ZENTICK_ICON_PNGS})
install(DIRECTORY ${ZENTICK_ICON_THEME} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${ZENTICK_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${ZENTICK_APP_ID}.svg)
