#pragma once

#include "TPath.h"

// How the host names recovered copies of workbooks, and how it tells a copy of a workbook that was
// never saved.
//
// A workbook that was never saved has no file yet: its path is empty, or is only the name the host
// gave it when it was made ("Book2"), without a folder. Such a name is not unique across sessions,
// so the workbook is named after its recovered copy instead: the copy is written as
// "<name>~autosave[<n>].<extension>", where the number tells apart copies made under one name,
// and the name is the copy's stem without that decoration.
//
// Paths are TPaths, so a backslash separates folders as a slash does.
namespace AutosaveNamingUtil {

// The decoration that the host puts after the workbook's name in the stem of a copy.
ZELHOST_DOC_EXPORT const TString& AutosaveDecoration();

ZELHOST_DOC_EXPORT bool IsUnsavedWorkbook(const TPath& originalPath);

// The stem of the recovered copy without its decoration ("C:/Recovered/Book2~autosave3.zwb" ->
// "Book2"). A stem without the decoration, or one that is nothing but the decoration, is the name
// as it stands.
ZELHOST_DOC_EXPORT TString GetUnsavedWorkbookName(const TPath& recoveredPath);

// The file name of the copy number `number` of a workbook named `workbookName`; number 0 has no
// number ("Book2~autosave.zwb").
ZELHOST_DOC_EXPORT TString MakeRecoveredFileName(const TString& workbookName, int number, const TString& extension);

} // namespace AutosaveNamingUtil
