# Shared library with hidden symbols; `export_define` is defined while building it so that its
# export macro expands to "export" inside and "import" outside.
function(zel_add_library name)
  cmake_parse_arguments(ARG "" "EXPORT_DEFINE;ALIAS" "" ${ARGN})
  add_library(${name} SHARED)
  if(ARG_ALIAS)
    add_library(${ARG_ALIAS} ALIAS ${name})
  endif()
  target_compile_definitions(${name} PRIVATE ${ARG_EXPORT_DEFINE})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/zeldialog>)
  set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
endfunction()

# One QtTest suite class: its executable and its ctest test carry the class's name, and its source
# ends with QTEST_MAIN(<Class>), so that
#   ctest -R ParameterDialogTest          and          build/bin/ParameterDialogTest someTestFunction
# both run it (or one function of it) alone. Runs on the offscreen platform with a time-out.
#   zel_add_test(NAME <Class> SOURCES ... [LIBRARIES ...] [ENVIRONMENT ...] [TIMEOUT s] [LABELS ...])
function(zel_add_test)
  cmake_parse_arguments(ARG "" "NAME;TIMEOUT" "SOURCES;LIBRARIES;ENVIRONMENT;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE zeltestsupport ${ARG_LIBRARIES})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  set_tests_properties(${ARG_NAME} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENVIRONMENT}")
  if(ARG_LABELS)
    set_tests_properties(${ARG_NAME} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

# A suite run again under another environment (a second DPI scale, say), as ctest test
# <name>_<suffix>.
function(zel_add_test_variant name suffix)
  cmake_parse_arguments(ARG "" "TIMEOUT" "ENVIRONMENT" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_test(NAME ${name}_${suffix} COMMAND ${name})
  set_tests_properties(${name}_${suffix} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENVIRONMENT}")
endfunction()
