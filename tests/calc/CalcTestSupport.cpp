#include "tests/calc/CalcTestSupport.h"

#include "main/dialogs/CalculatedMembersDialog.h"

#include <QtCore/QTimer>

#include <exception>

namespace CalcTest {

namespace {

FieldName Local(const QString& name)
{
    return FieldName(TString(), TString(name));
}

template <typename Cmd>
RefCntPtr<IParameters const> Answer(const std::function<void(ZelTest::ScriptedResult<Cmd>&)>& fill)
{
    RefCntPtr<IParameters> set = ContextParameters::Create();
    ZelTest::ScriptedResult<Cmd> result(set);
    fill(result);
    return set;
}

} // namespace

RefCntPtr<CalculatedMemberPresModel const> Measure(
    const QString& name, const QString& formula, bool enabled, DataType type)
{
    auto record = MakeRefCnt<CalculatedMemberPresModel>();
    record->SetName(TString(name));
    record->SetFormula(TString(formula));
    record->SetIsEnabled(enabled);
    record->SetIsMeasure(true);
    record->SetMeasureDataType(type);
    return Stored(*record);
}

RefCntPtr<CalculatedMemberPresModel const> Member(
    const QString& name, const QString& parent, const QString& formula, bool enabled)
{
    auto record = MakeRefCnt<CalculatedMemberPresModel>();
    record->SetName(TString(name));
    record->SetFormula(TString(formula));
    record->SetIsEnabled(enabled);
    record->SetIsMeasure(false);
    record->SetMeasureDataType(DT_TUPLE);
    record->SetMemberParentName(TString(parent));
    record->SetMemberHierarchyName(Local(QStringLiteral("Places")));
    record->SetMemberHierarchyLevel(parent.isEmpty() ? 1 : 2);
    return Stored(*record);
}

RefCntPtr<CalculatedMemberHierarchyItemPresModel const> HierarchyItem(
    const QString& name, unsigned int levels, const QString& pair)
{
    auto item = MakeRefCnt<CalculatedMemberHierarchyItemPresModel>();
    item->SetName(Local(name));
    item->SetCaption(TString(name));
    item->SetLevels(levels);
    if (!pair.isEmpty())
        item->SetPairHierarchyName(Local(pair));
    return item;
}

RefCntPtr<CalculatedMemberPresModel const> Stored(const CalculatedMemberPresModel& record)
{
    RefCntPtr<CalculatedMemberPresModel> stored = record.Copy();
    if (record.GetIsMeasure()) {
        stored->SetMeasure(FieldName::ParseUnquoted(record.GetName()));
    } else {
        const QString parent = record.GetMemberParentName().empty()
            ? QLatin1Char('[') + record.GetMemberHierarchyName().GetLocalName().ToQString() + QLatin1Char(']')
            : record.GetMemberParentName().ToQString();
        stored->SetMember(DataValue(TString(parent + QStringLiteral(".[") + record.GetName().ToQString() + ']')));
    }
    return stored;
}

Editing::Editing()
    : hierarchies {HierarchyItem(QStringLiteral("Places"), 3), HierarchyItem(QStringLiteral("Product"), 4)}
{
}

RefCntPtr<CalculatedMembersForEditingPresModel const> Editing::Build() const
{
    auto model = MakeRefCnt<CalculatedMembersForEditingPresModel>();
    model->SetDataSourceName(TString(L"Fixture Cube"));
    model->SetHierarchys(hierarchies);
    model->SetCalculatedMembers(calculations);
    model->SetHasNonRootCalculationsCapability(nonRootCalculations);
    model->SetHasStringMeasuresCapability(stringMeasures);
    model->SetUseScopeIsolation(scopeIsolation);
    model->SetMeasuresDimensionName(TString(L"Measures"));
    model->SetInitialFieldName(initialField);
    model->SetInitialHierarchyName(initialHierarchy);
    model->SetSolveOrderLowerBound(lowerBound);
    model->SetSolveOrderUpperBound(upperBound);
    return model;
}

Host::Host(const Editing& editing)
    : count(static_cast<unsigned int>(editing.calculations.size()))
    , m_dispatcher(std::make_shared<ZelTest::RecordingDispatcher>())
    , m_editing(editing.Build())
{
    ZelTest::RecordingDispatcher& host = *m_dispatcher;
    m_cube.AnswerAll(host);
    host.AnswerAlways<Cmds::GetCalculatedMembersForEditing>([this](const ZelTest::RecordedCommand&) {
        return Answer<Cmds::GetCalculatedMembersForEditing>([this](auto& out) {
            out.template Set<Cmds::EditId>(kEditId)
                .template Set<Cmds::CleanupCommands>(
                    Zel::Commands::MakeCommandList<Cmds::DiscardCalculatedMembersEdit>(kEditId))
                .template Set<Cmds::EditingModel>(m_editing);
        });
    });
    host.AnswerAlways<Cmds::GetNewMeasureName>([](const ZelTest::RecordedCommand&) {
        return Answer<Cmds::GetNewMeasureName>(
            [](auto& out) { out.template Set<Cmds::CalculationName>(TString(L"Calculated Measure 1")); });
    });
    host.AnswerAlways<Cmds::GetNewMemberName>([](const ZelTest::RecordedCommand&) {
        return Answer<Cmds::GetNewMemberName>(
            [](auto& out) { out.template Set<Cmds::CalculationName>(TString(L"Calculated Member 1")); });
    });
    host.AnswerAlways<Cmds::ValidateMeasureName>([](const ZelTest::RecordedCommand&) {
        return Answer<Cmds::ValidateMeasureName>([](auto& out) { out.template Set<Cmds::IsNameValid>(true); });
    });
    host.AnswerAlways<Cmds::ValidateMemberName>([](const ZelTest::RecordedCommand&) {
        return Answer<Cmds::ValidateMemberName>([](auto& out) { out.template Set<Cmds::IsNameValid>(true); });
    });
    host.AnswerAlways<Cmds::CheckCalculatedMemberFormula>([](const ZelTest::RecordedCommand&) {
        return Answer<Cmds::CheckCalculatedMemberFormula>(
            [](auto& out) { out.template Set<Cmds::IsFormulaValid>(true); });
    });
    host.AnswerAlways<Cmds::CreateCalculatedMember>([this](const ZelTest::RecordedCommand& sent) {
        return Answer<Cmds::CreateCalculatedMember>([&](auto& out) {
            out.template Set<Cmds::CreatedCalculation>(Stored(*sent.Get<Cmds::Calculation>()))
                .template Set<Cmds::CalculationCount>(++count);
        });
    });
    host.AnswerAlways<Cmds::UpdateCalculatedMember>([this](const ZelTest::RecordedCommand& sent) {
        return Answer<Cmds::UpdateCalculatedMember>([&](auto& out) {
            out.template Set<Cmds::UpdatedCalculation>(Stored(*sent.Get<Cmds::Calculation>()))
                .template Set<Cmds::CalculationCount>(count);
        });
    });
    host.AnswerAlways<Cmds::DeleteCalculatedMember>([this](const ZelTest::RecordedCommand&) {
        return Answer<Cmds::DeleteCalculatedMember>(
            [&](auto& out) { out.template Set<Cmds::CalculationCount>(--count); });
    });
}

std::unique_ptr<CalculatedMembersDialog> Host::Open(const FieldName& field, bool flag)
{
    auto dialog = std::make_unique<CalculatedMembersDialog>(Shared(), TString(L"Fixture Cube"), field, flag);
    m_forgotten = Dispatcher().Commands().size();
    return dialog;
}

std::vector<int> Host::Sent() const
{
    const std::vector<int> all = Dispatcher().CommandIds();
    return std::vector<int>(all.begin() + static_cast<std::ptrdiff_t>(m_forgotten), all.end());
}

Session::Session(const Editing& editing, bool show)
    : host(editing)
    , dialog(host.Open())
    , driver(*dialog)
{
    if (show)
        driver.Open();
}

void Session::RunModally(const std::function<void()>& actions)
{
    std::exception_ptr failure;
    leftOpen = false;
    QTimer::singleShot(0, dialog.get(), [&] {
        try {
            driver.Open();
            actions();
        } catch (...) {
            failure = std::current_exception();
        }
        leftOpen = dialog->isVisible();
        if (leftOpen)
            dialog->reject();
    });
    try {
        dialog->exec();
    } catch (...) {
        // A driver that failed first is the cause.
        if (failure)
            std::rethrow_exception(failure);
        throw;
    }
    if (failure)
        std::rethrow_exception(failure);
}

void Host::Forget()
{
    m_forgotten = Dispatcher().Commands().size();
}

} // namespace CalcTest
