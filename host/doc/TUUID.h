#pragma once

#include "TString.h"

#include <QtCore/QUuid>

class ZELHOST_DOC_EXPORT TUUID
{
public:
    TUUID() = default;
    explicit TUUID(const QUuid& id)
        : m_id(id)
    {
    }
    static TUUID CreateNew() { return TUUID(QUuid::createUuid()); }
    static TUUID FromString(const TString& s) { return TUUID(QUuid(s.ToQString())); }

    bool IsNull() const noexcept { return m_id.isNull(); }
    TString ToString() const { return TString(m_id.toString(QUuid::WithoutBraces)); }
    const QUuid& ToQUuid() const noexcept { return m_id; }

    friend bool operator==(const TUUID& a, const TUUID& b) noexcept { return a.m_id == b.m_id; }
    friend bool operator!=(const TUUID& a, const TUUID& b) noexcept { return a.m_id != b.m_id; }
    friend bool operator<(const TUUID& a, const TUUID& b) noexcept { return a.m_id < b.m_id; }

private:
    QUuid m_id;
};
