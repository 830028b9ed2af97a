# The Debian package: `cmake --build build --target package` writes zentick_<version>_<arch>.deb into the build
# folder from what `cmake --install` lays out under /usr. tools/build-deb.sh builds, checks and installs it.
set(ZENTICK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zentick)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright DESTINATION ${ZENTICK_DOC_DIR})
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/debian
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/resources/debian/changelog ${PROJECT_BINARY_DIR}/debian/changelog
    COMMAND gzip -9 -n -f changelog
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/debian/changelog
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/debian
    VERBATIM)
add_custom_target(zentick_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${ZENTICK_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Morvi Software")
set(CPACK_PACKAGE_CONTACT "Morvi Software <support@zentick.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop reminder with alarms, scheduled shut down and birthdays")
# CPack puts the summary in front of this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zentick keeps running behind a tray icon. It shows alarms with a text and a
melody, once or repeating; it shuts down, restarts, logs off, hibernates or
suspends the computer at a set time after a 30-second countdown that can be
cancelled; and it reminds of birthdays. It also keeps a list of past alarms,
a calendar of all events, a diary, an address book, a stopwatch and a
countdown.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZENTICK_SITE})
# The libraries come from dpkg-shlibdeps, for each program as it links them: zentick the Qt libraries of its
# windows, the sound helper lib/zentick/zentick-sound Qt Multimedia and FluidSynth, the network plugin
# lib/zentick/zentick-net.so Qt Network. What the helper loads at run time
# dpkg-shlibdeps cannot see: the General MIDI sound font FluidSynth plays the melodies with, and GStreamer's plugins
# for WAV files (MIDI no longer goes through GStreamer).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
# MP3 and WMA alarm sounds, and Wayland sessions without XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-ugly, gstreamer1.0-libav, qt6-wayland")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
