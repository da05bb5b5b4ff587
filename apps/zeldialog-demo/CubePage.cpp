#include "CubePage.h"

#include "SummaryTable.h"

#include "sim/OrdersCube.h"

#include <QtCore/QLocale>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QVBoxLayout>

using namespace Zel::Sim;

namespace {

QString SettingText(const OrdersCube::DefaultMemberSetting& setting)
{
    switch (setting.type) {
    case HSM::DMT_CubeDefault:
        return CubePage::tr("the cube's own");
    case HSM::DMT_AllMember:
        return CubePage::tr("the All member");
    case HSM::DMT_SelectedMember:
        return CubePage::tr("a selected member");
    }
    return CubePage::tr("unknown (%1)").arg(static_cast<int>(setting.type));
}

QString LevelsText(const CubeHierarchyInfo& hierarchy)
{
    QStringList levels;
    for (const TString& level : hierarchy.levels)
        levels << level.ToQString();
    return levels.join(QStringLiteral(" \u203a "));
}

QString CalculatedText(OrdersCube& cube, int hierarchy)
{
    QStringList names;
    for (const CubeMember& member : cube.ExtensionMembers(hierarchy))
        names << member.uniqueName.ToQString();
    return names.join(QStringLiteral(", "));
}

} // namespace

CubePage::CubePage(OrdersCube& cube, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CubePage"));
    setWindowTitle(OrdersCube::DataSourceName().ToQString());

    auto* title = new QLabel(OrdersCube::DataSourceName().ToQString(), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* summary
        = new QLabel(tr("The hierarchies of the cube over the orders, the member each one uses by default, and the "
                        "calculated members and measures applied to it."),
            this);
    summary->setWordWrap(true);

    const std::vector<CubeHierarchyInfo>& hierarchies = cube.Hierarchies();
    auto* table = MakeSummaryTable(static_cast<int>(hierarchies.size()),
        {tr("Hierarchy"), tr("Levels"), tr("Below the top"), tr("Default member setting"), tr("Default member"),
            tr("Calculated")},
        this);
    table->setObjectName(QStringLiteral("m_hierarchyTable"));
    const QLocale locale;
    for (int row = 0; row < static_cast<int>(hierarchies.size()); ++row) {
        const CubeHierarchyInfo& hierarchy = hierarchies[static_cast<std::size_t>(row)];
        const std::optional<CubeMember> all = cube.AllMember(row);
        const qint64 below = all ? all->childCount : cube.ChildCount(row, nullptr);
        table->setItem(row, 0, new QTableWidgetItem(QLatin1Char('[') + hierarchy.name.ToQString() + QLatin1Char(']')));
        table->setItem(row, 1, new QTableWidgetItem(LevelsText(hierarchy)));
        auto* count = new QTableWidgetItem(locale.toString(below));
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, 2, count);
        table->setItem(row, 3, new QTableWidgetItem(SettingText(cube.GetDefaultSetting(row))));
        table->setItem(row, 4, new QTableWidgetItem(cube.DefaultMember(row).uniqueName.ToQString()));
        table->setItem(row, 5, new QTableWidgetItem(CalculatedText(cube, row)));
    }
    FitSummaryTable(*table);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 18);
    layout->addWidget(title);
    layout->addWidget(summary);
    layout->addWidget(table);
    layout->addStretch(1);
    resize(std::max(760, table->horizontalHeader()->length() + 40), 120 + table->height());
}

CubePage::~CubePage() = default;
