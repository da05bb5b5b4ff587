# Installs the three host-facing libraries, their public headers and a CMake package, so that a host
# integrates with
#   find_package(zeldialog REQUIRED)
#   target_link_libraries(host PRIVATE Zel::Dialog)
# The simulator, the demo, the tests and the benchmarks are development tools and are not installed.
include(CMakePackageConfigHelpers)

set(ZEL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/zeldialog)

# Consumers see the same names as the build tree's aliases (Zel::HostDoc, Zel::HostUi, Zel::Dialog).
set_target_properties(zelhost-doc PROPERTIES EXPORT_NAME HostDoc)
set_target_properties(zelhost-ui PROPERTIES EXPORT_NAME HostUi)
set_target_properties(zeldialog PROPERTIES EXPORT_NAME Dialog)

install(TARGETS zelhost-doc zelhost-ui zeldialog
  EXPORT zeldialogTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# Code includes headers by their path from the repository root ("host/doc/Parameters.h"), so the
# tree is mirrored under include/zeldialog, which is the targets' install include directory.
# install(DIRECTORY) globs when installing, so a header added later needs no change here. Generated
# form headers (ui_*.h) live in the build tree and are never public; *_p.h marks a private header.
foreach(dir host/doc host/commands host/ui main widgets public gen-command-wrappers)
  # An empty folder is not in a fresh clone.
  if(EXISTS ${PROJECT_SOURCE_DIR}/${dir})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/
      DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zeldialog/${dir}
      FILES_MATCHING
        PATTERN "*.h"
        PATTERN "*.inc"
        PATTERN "ui_*.h" EXCLUDE
        PATTERN "*_p.h" EXCLUDE)
  endif()
endforeach()

install(EXPORT zeldialogTargets
  NAMESPACE Zel::
  DESTINATION ${ZEL_INSTALL_CMAKEDIR})

# The package re-finds QScintilla the way this build did; the paths found here are its hints.
get_filename_component(ZEL_QSCINTILLA_LIBRARY_DIR ${QSCINTILLA_LIBRARY} DIRECTORY)
configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/zeldialogConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/zeldialogConfig.cmake
  INSTALL_DESTINATION ${ZEL_INSTALL_CMAKEDIR})
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/zeldialogConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/zeldialogConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/zeldialogConfigVersion.cmake
  DESTINATION ${ZEL_INSTALL_CMAKEDIR})
