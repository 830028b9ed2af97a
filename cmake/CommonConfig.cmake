# Every target links zentick_common and so gets the same standard, warnings and strict Qt defines.
add_library(zentick_common INTERFACE)
target_compile_features(zentick_common INTERFACE cxx_std_17)
target_compile_options(zentick_common INTERFACE -Wall -Wextra -pedantic -Wno-unused-parameter)
target_compile_definitions(zentick_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)
target_include_directories(zentick_common INTERFACE ${PROJECT_SOURCE_DIR})
