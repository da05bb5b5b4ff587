#pragma once

#include "TString.h"

// A file-system path as the host passes it around; comparison is textual, after normalising
// separators, because the host hands back the same path it was given.
class ZELHOST_DOC_EXPORT TPath
{
public:
    TPath() = default;
    explicit TPath(const TString& path);

    // The file name without folder and without its last extension ("C:/a/Sales.twbx" -> "Sales").
    TString Stem() const;
    TString FileName() const;
    TString Directory() const;
    const TString& ToTString() const noexcept { return m_path; }
    QString ToQString() const { return m_path.ToQString(); }
    bool IsEmpty() const noexcept { return m_path.empty(); }

    friend bool operator==(const TPath& a, const TPath& b) noexcept { return a.m_path == b.m_path; }
    friend bool operator!=(const TPath& a, const TPath& b) noexcept { return !(a == b); }

private:
    TString m_path;
};
