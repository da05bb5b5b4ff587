#include "TPath.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

TPath::TPath(const TString& path)
    : m_path(QDir::fromNativeSeparators(path.ToQString()))
{
}

TString TPath::Stem() const
{
    return TString(QFileInfo(ToQString()).completeBaseName());
}

TString TPath::FileName() const
{
    return TString(QFileInfo(ToQString()).fileName());
}

TString TPath::Directory() const
{
    return TString(QFileInfo(ToQString()).path());
}
