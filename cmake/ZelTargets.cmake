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

# A QtTest suite run by CTest on the offscreen platform with a time-out.
#   zel_add_test(NAME name SOURCES ... [LIBRARIES ...] [ENVIRONMENT ...] [TIMEOUT s])
function(zel_add_test)
  cmake_parse_arguments(ARG "" "NAME;TIMEOUT" "SOURCES;LIBRARIES;ENVIRONMENT" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE zeltestsupport ${ARG_LIBRARIES})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  set_tests_properties(${ARG_NAME} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENVIRONMENT}")
endfunction()

# The same executable run again under another environment (e.g. a second DPI scale).
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
