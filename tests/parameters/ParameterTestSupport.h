#pragma once

#include "host/doc/ParameterListDomainPresModel.h"
#include "widgets/ParameterMemberView.h"

#include <QtCore/QStringList>

#include <vector>

class ParameterMemberModel;

namespace ZelTest {
struct RecordedCommand;
}

namespace ParameterTest {

RefCntPtr<ParameterListDomainMemberPresModel const> Member(
    const QString& value, const QString& alias = QString(), bool duplicate = false);
std::vector<RefCntPtr<ParameterListDomainMemberPresModel const>> Members(const QStringList& values);

// Builds a diff as a host answers it.
class DiffBuilder
{
public:
    DiffBuilder& Delete(unsigned int start, unsigned int end);
    DiffBuilder& Insert(int index, RefCntPtr<ParameterListDomainMemberPresModel const> member);
    DiffBuilder& Insert(int index, const QString& value) { return Insert(index, Member(value)); }
    DiffBuilder& Update(int index, RefCntPtr<ParameterListDomainMemberPresModel const> member);
    DiffBuilder& Duplicates(bool hasDuplicates);
    DiffBuilder& Current(unsigned int index, const QString& formattedValue);
    // Entries that hold no record, as a broken host might send them.
    DiffBuilder& DeleteNull();
    DiffBuilder& InsertNull(int index);
    RefCntPtr<ParameterListDomainDiffPresModel const> Build() const;

private:
    std::vector<RefCntPtr<IndexRangePresModel const>> m_deleted;
    std::vector<RefCntPtr<IndexedDomainMemberPresModel const>> m_new;
    std::vector<RefCntPtr<IndexedDomainMemberPresModel const>> m_updated;
    bool m_hasDuplicates = false;
    unsigned int m_valueIndex = 0;
    QString m_formatted;
};

// The value column of the model's data rows.
QStringList Values(const ParameterMemberModel& model);
// The member ranges a command sent, as "start-end".
QStringList SentRanges(const ZelTest::RecordedCommand& command);
// The member an add or update command sent, as "index: value|alias".
QString SentMember(const ZelTest::RecordedCommand& command);

// Drops are handed to the view directly: outside a real drag, Qt does not route drop events.
class DroppableView : public ParameterMemberView
{
public:
    using ModifiableTableView::dropEvent;
    using ParameterMemberView::ParameterMemberView;
};

} // namespace ParameterTest
