#pragma once

#include "host/doc/SchemaPresModels.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <vector>

namespace ZelTest {
class RecordingDispatcher;
}

namespace SchemaTest {

// One hierarchy of a scripted schema: its dimension and name, its levels, how many are selected
// from the top.
struct HierarchyShape
{
    QString dimension;
    QString name;
    QStringList levels;
    int selected = 0;
};

// "[Geography]" when the dimension is named as the hierarchy, "[Sales].[Channel]" otherwise.
QString HierarchyUniqueName(const HierarchyShape& hierarchy);
QString LevelUniqueName(const HierarchyShape& hierarchy, const QString& level);

RefCntPtr<SchemaPresModel> MakeSchema(const std::vector<HierarchyShape>& hierarchies, bool allFieldsHidden = false);

// A small schema of two dimensions: [Geography] Region State City (two selected) and [Sales] with
// the hierarchies [Channel] (Channel Type, one selected) and [Ship Mode] (Ship Mode, none).
std::vector<HierarchyShape> SmallSchema();

// Queues the answer of one GetSchemaLevels.
void AnswerSchema(ZelTest::RecordingDispatcher& host, RefCntPtr<SchemaPresModel const> schema);

} // namespace SchemaTest
