#pragma once

#include "sim/mdx/IMdxCube.h"

#include <QtCore/QHash>

#include <vector>

// The sample cube's names with a handful of members, in memory: the hierarchies, levels and
// measures of the simulator's "Orders Cube", regions Central, East, South and West with a few
// states and cities, years 2021 to 2024 with their quarters and months, four ship modes. Keys are
// the names except for dates (2021, 2021-Q1, 2021-01, 2024-01-02) and orders.
class MdxFixtureCube : public Zel::Sim::IMdxCube
{
public:
    MdxFixtureCube();

    bool FindHierarchy(QStringView name, Zel::Sim::MdxHierarchy& hierarchy) const override;
    bool FindMeasure(QStringView name, QString& canonicalName) const override;
    bool FindMember(const Zel::Sim::MdxHierarchy& hierarchy, int level, QStringView nameOrKey, Zel::Sim::MdxMatch match,
        Zel::Sim::MdxMember& member) const override;
    bool FindChild(const Zel::Sim::MdxHierarchy& hierarchy, const Zel::Sim::MdxMember& parent, QStringView nameOrKey,
        Zel::Sim::MdxMatch match, Zel::Sim::MdxMember& child) const override;

    // Lookups answered since construction, to show that a check asks the cube once per name.
    int LookupCount() const { return m_lookups; }

private:
    struct Member
    {
        qint64 id;
        int level;
        QString name;
    };

    void AddHierarchy(const QString& name, const QStringList& levels, bool hasAll);
    qint64 Add(const QString& hierarchy, qint64 parent, const QString& name, const QString& key = QString());
    bool Found(const QHash<QString, qint64>& index, const QString& key, Zel::Sim::MdxMember& member) const;

    std::vector<Zel::Sim::MdxHierarchy> m_hierarchies;
    QStringList m_measures;
    std::vector<Member> m_members;
    QHash<qint64, int> m_levelOf;
    // "hierarchy|level|name" and "hierarchy|parent|name", folded; the same with keys.
    QHash<QString, qint64> m_byLevelName;
    QHash<QString, qint64> m_byLevelKey;
    QHash<QString, qint64> m_byParentName;
    QHash<QString, qint64> m_byParentKey;
    mutable int m_lookups = 0;
};
