#include "AutosaveNamingUtil.h"

namespace AutosaveNamingUtil {

const TString& AutosaveDecoration()
{
    static const TString decoration(L"~autosave");
    return decoration;
}

bool IsUnsavedWorkbook(const TPath& originalPath)
{
    // TPath has already turned backslashes into slashes.
    return originalPath.IsEmpty() || !originalPath.ToQString().contains(QLatin1Char('/'));
}

TString GetUnsavedWorkbookName(const TPath& recoveredPath)
{
    const QString stem = recoveredPath.Stem().ToQString();
    int end = stem.size();
    while (end > 0 && stem.at(end - 1).isDigit())
        --end;
    const QString decoration = AutosaveDecoration().ToQString();
    if (end <= decoration.size() || !stem.left(end).endsWith(decoration))
        return TString(stem);
    return TString(stem.left(end - decoration.size()));
}

TString MakeRecoveredFileName(const TString& workbookName, int number, const TString& extension)
{
    QString name = workbookName.ToQString() + AutosaveDecoration().ToQString();
    if (number > 0)
        name += QString::number(number);
    if (!extension.empty())
        name += QLatin1Char('.') + extension.ToQString();
    return TString(name);
}

} // namespace AutosaveNamingUtil
