# The catalogues of the user-visible texts. The sources are the libraries' files (the executable itself holds only
# main.cpp), so lupdate is given them explicitly.
#
#   cmake --build build --target zentick_lupdate    reads every tr() text into translations/*.ts (new texts come
#                                                   in unfinished; a translator fills them in with Linguist)
#   cmake --build build --target zentick_lrelease   compiles the .qm files (every build does this)
#
# The compiled catalogues are linked into the GUI library under :/i18n, so the program, the tests and the
# screenshot tool find them without an installation.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

file(GLOB_RECURSE ZENTICK_TRANSLATED_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/app/*.cpp ${PROJECT_SOURCE_DIR}/app/*.h
    ${PROJECT_SOURCE_DIR}/ui/*.cpp ${PROJECT_SOURCE_DIR}/ui/*.h
    ${PROJECT_SOURCE_DIR}/widgets/*.cpp ${PROJECT_SOURCE_DIR}/widgets/*.h
    ${PROJECT_SOURCE_DIR}/scheduler/*.cpp ${PROJECT_SOURCE_DIR}/scheduler/*.h
    ${PROJECT_SOURCE_DIR}/platform/*.cpp ${PROJECT_SOURCE_DIR}/platform/*.h
    ${PROJECT_SOURCE_DIR}/context/*.cpp ${PROJECT_SOURCE_DIR}/context/*.h
    ${PROJECT_SOURCE_DIR}/store/*.cpp ${PROJECT_SOURCE_DIR}/store/*.h
    ${PROJECT_SOURCE_DIR}/scripting/*.cpp ${PROJECT_SOURCE_DIR}/scripting/*.h
    ${PROJECT_SOURCE_DIR}/calendar/*.cpp ${PROJECT_SOURCE_DIR}/calendar/*.h
    ${PROJECT_SOURCE_DIR}/dbus/*.cpp ${PROJECT_SOURCE_DIR}/dbus/*.h)
list(FILTER ZENTICK_TRANSLATED_SOURCES EXCLUDE REGEX "/platform/sound-helper/")
set(ZENTICK_TS_FILES ${PROJECT_SOURCE_DIR}/translations/zentick_de.ts)

qt_add_translations(zentick_gui
    TS_FILES ${ZENTICK_TS_FILES}
    SOURCES ${ZENTICK_TRANSLATED_SOURCES}
    QM_FILES_OUTPUT_VARIABLE ZENTICK_QM_FILES
    LUPDATE_OPTIONS -no-obsolete -locations none
    LRELEASE_OPTIONS -nounfinished)
# Stored as they are: QTranslator reads an uncompressed catalogue in place, where a compressed one is first inflated
# into the heap, and a start then needs no decompressor's pages at all.
qt_add_resources(zentick_gui zentick_gui_translations PREFIX /i18n BASE ${PROJECT_BINARY_DIR}
    FILES ${ZENTICK_QM_FILES} OPTIONS --no-compress)
# One name for the update, as the README tells it.
add_custom_target(zentick_lupdate DEPENDS zentick_gui_lupdate)
add_custom_target(zentick_lrelease DEPENDS zentick_gui_lrelease)

# The pseudo catalogue: every text the sources hand to tr() (as lupdate finds it, so a text lupdate cannot see
# stays unmarked), lengthened by a third and bracketed. The pseudo-translation check renders every page with it.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(ZENTICK_PSEUDO_DIR ${PROJECT_BINARY_DIR}/pseudo)
set(ZENTICK_PSEUDO_QM ${ZENTICK_PSEUDO_DIR}/zentick_pseudo.qm)
add_custom_command(OUTPUT ${ZENTICK_PSEUDO_QM}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZENTICK_PSEUDO_DIR}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${ZENTICK_PSEUDO_DIR}/extracted.ts
    COMMAND Qt6::lupdate -silent -no-obsolete -locations none -target-language en ${ZENTICK_TRANSLATED_SOURCES}
            -ts ${ZENTICK_PSEUDO_DIR}/extracted.ts
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/i18n/pseudo_ts.py ${ZENTICK_PSEUDO_DIR}/extracted.ts
            ${ZENTICK_PSEUDO_DIR}/zentick_pseudo.ts
    COMMAND Qt6::lrelease -silent ${ZENTICK_PSEUDO_DIR}/zentick_pseudo.ts -qm ${ZENTICK_PSEUDO_QM}
    DEPENDS ${ZENTICK_TRANSLATED_SOURCES} ${PROJECT_SOURCE_DIR}/tools/i18n/pseudo_ts.py
    COMMENT "Pseudo-translating every text"
    VERBATIM)
add_custom_target(zentick_pseudo_catalogue DEPENDS ${ZENTICK_PSEUDO_QM})
