# `cmake --build <dir> --target translations` refreshes translations/zeldialog_en.ts from the
# library's forms and sources. It is never part of a normal build: lupdate rewrites a file that is
# kept in the tree, and translators work on what is committed.
get_target_property(ZEL_LUPDATE Qt5::lupdate IMPORTED_LOCATION)
if(ZEL_LUPDATE)
  add_custom_target(translations
    COMMAND ${ZEL_LUPDATE} -silent -no-obsolete -locations relative
            ${PROJECT_SOURCE_DIR}/main ${PROJECT_SOURCE_DIR}/widgets ${PROJECT_SOURCE_DIR}/forms
            -ts ${PROJECT_SOURCE_DIR}/translations/zeldialog_en.ts
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Updating translations/zeldialog_en.ts"
    VERBATIM)
endif()
