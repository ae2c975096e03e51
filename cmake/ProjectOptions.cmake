# Options shared by every target: warnings, language level and strict Qt defines.
option(WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

add_library(project_options INTERFACE)
target_compile_features(project_options INTERFACE cxx_std_20)
if(MSVC)
    target_compile_options(project_options INTERFACE /W4 /utf-8 /permissive-
                           $<$<BOOL:${WARNINGS_AS_ERRORS}>:/WX>)
else()
    target_compile_options(project_options INTERFACE -Wall -Wextra -Wpedantic
                           $<$<BOOL:${WARNINGS_AS_ERRORS}>:-Werror>)
endif()
target_compile_definitions(project_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_KEYWORDS
    QT_NO_FOREACH
    QT_USE_QSTRINGBUILDER
    QT_STRICT_ITERATORS
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)

# add_qt_test(<name> SOURCES <files...> LIBS <targets...> [LAUNCHER <command...>])
# One QTest executable per area, registered with CTest; widgets render offscreen. A launcher
# (dbus-run-session, for a private session bus) runs the test program. A test function that
# never returns (code under test in an endless loop, a message box nobody answers) fails
# after 60 s with its stack, where the slowest takes 20 s (three times that under the
# sanitizers, which slow every start of a program).
if(SANITIZERS)
    set(LIMITE_FONCTION_TEST 180000)
else()
    set(LIMITE_FONCTION_TEST 60000)
endif()
function(add_qt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LAUNCHER" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE project_options Qt6::Test ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${ARG_LAUNCHER} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false;QTEST_FUNCTION_TIMEOUT=${LIMITE_FONCTION_TEST}"
        TIMEOUT 300)
endfunction()
