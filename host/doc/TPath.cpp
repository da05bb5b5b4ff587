#include "TPath.h"

#include <QtCore/QFileInfo>

// Host paths may come from any platform, so both separators are read as one.
TPath::TPath(const TString& path)
    : m_path(QString(path.ToQString()).replace(QLatin1Char('\\'), QLatin1Char('/')))
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
