// The parameter dialog made and shown for a parameter whose list holds many members, beside the
// same form built bare (setupUi on a plain dialog, nothing filled). The time counted is
// construction, show and the first paint; taking the window down again is not counted.

#include "host/doc/DataValue.h"
#include "host/doc/DatePeriodType.h"

#include "ui_ParameterDialog.h"

#include "bench/WindowTiming.h"
#include "host/doc/CommandDispatcher.h"
#include "main/dialogs/ParameterDialog.h"

#include <QtWidgets/QApplication>

#include <benchmark/benchmark.h>

namespace {

// Construction sends no command; anything sent would be a fault of the benchmark's premise.
class SilentDispatcher final : public ICommandDispatcher
{
public:
    RefCntPtr<IParameters const> ExecuteCommand(int, RefCntPtr<IParameters const>, void*) const override
    {
        std::abort();
    }
};

RefCntPtr<ParameterEditInfoPresModel const> ListEdit(int memberCount)
{
    std::vector<RefCntPtr<ParameterListDomainMemberPresModel const>> members;
    members.reserve(static_cast<std::size_t>(memberCount));
    for (int i = 0; i < memberCount; ++i) {
        auto member = MakeRefCnt<ParameterListDomainMemberPresModel>();
        const TString text(QStringLiteral("Customer %1").arg(i, 5, 10, QLatin1Char('0')));
        member->SetDisplayValue(text);
        member->SetAlias(text);
        members.push_back(std::move(member));
    }
    auto list = MakeRefCnt<ParameterListDomainPresModel>();
    list->SetMembers(std::move(members));
    list->SetValueIndex(static_cast<unsigned int>(memberCount / 2));

    auto parameter = MakeRefCnt<ProductParameterInfoPresModel>();
    parameter->SetCaption(TString(L"Customer Pick"));
    parameter->SetDataType(DT_STRING);
    parameter->SetDomainType(ParameterTypes::Domain_List);
    parameter->SetValue(DataValue(TString(L"Customer")));
    parameter->SetListDomain(std::move(list));

    auto edit = MakeRefCnt<ParameterEditInfoPresModel>();
    edit->SetTitle(TString(L"Edit Parameter"));
    edit->SetParameter(std::move(parameter));
    return edit;
}

void BM_BareForm(benchmark::State& state)
{
    struct Bare : QDialog
    {
        Ui::ParameterDialog ui;
    };
    ZelBench::TimeShown(state, [] {
        auto dialog = std::make_unique<Bare>();
        dialog->ui.setupUi(dialog.get());
        return dialog;
    });
}

void BM_ParameterDialog(benchmark::State& state)
{
    SilentDispatcher dispatcher;
    const auto edit = ListEdit(static_cast<int>(state.range(0)));
    ZelBench::TimeShown(state, [&] { return std::make_unique<ParameterDialog>(dispatcher, edit, nullptr, 1); });
    state.counters["members"] = static_cast<double>(state.range(0));
}

} // namespace

BENCHMARK(BM_BareForm)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParameterDialog)->Arg(0)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
