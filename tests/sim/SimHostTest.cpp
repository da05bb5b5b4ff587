#include "sim/SimHost.h"

#include "sim/SimAreaBinding.h"

#include "gen-command-wrappers/CommandFrame.h"
#include "host/doc/HostLog.h"
#include "host/doc/SimpleCommandsPresModel.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

#include <map>
#include <memory>
#include <stdexcept>

using namespace Zel::Sim;
using namespace Zel::Commands;

// A small area of its own, so that these tests do not depend on any real area's declarations.
namespace SimTest {
ZEL_COMMAND_AREA(SimTestArea, "tests/sim/SimTestArea");

ZEL_PARAMETER(Name, 90001, TString);
ZEL_PARAMETER(Count, 90002, unsigned int);
ZEL_PARAMETER(Names, 90003, std::vector<TString>);
ZEL_PARAMETER(Greeting, 90010, TString);
ZEL_PARAMETER(Total, 90011, int);
ZEL_PARAMETER(Later, 90012, RefCntPtr<SimpleCommandsPresModel const>);

ZEL_COMMAND(Greet, 91001, SimTestArea, Arguments<Required<Name>, Optional<Count>>,
    Results<Required<Greeting>, Optional<Total>>);
ZEL_COMMAND(Forget, 91002, SimTestArea, Arguments<Required<Name>>, Results<>);
ZEL_COMMAND(Schedule, 91003, SimTestArea, Arguments<Required<Names>>, Results<Required<Later>>);
} // namespace SimTest

namespace {

RefCntPtr<IParameters const> Send(const SimHost& host, int commandId, RefCntPtr<IParameters> arguments)
{
    return host.ExecuteCommand(commandId, RefCntPtr<IParameters const>(std::move(arguments)), nullptr);
}

enum class Malformed
{
    UnknownCommand,
    MissingRequired,
    WrongExactType,
    UndeclaredId,
    NoArgumentSet,
};

enum class HandlerFault
{
    ThrowsStdException,
    ThrowsSomethingElse,
    LeavesRequiredResultUnset,
};

} // namespace

Q_DECLARE_METATYPE(Malformed)
Q_DECLARE_METATYPE(HandlerFault)

namespace {
// The state of a small area: how often each friend was greeted, by name.
struct Friends
{
    std::map<TString, unsigned int> visits;
};
} // namespace

class SimHostTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void routesEachCommandToItsOwnHandler()
    {
        SimHost host;
        int greetCalls = 0;
        HandleGreet(host, &greetCalls);
        std::vector<TString> scheduled;
        host.Handle<SimTest::Schedule>(
            [&scheduled](const SimArguments<SimTest::Schedule>& args, SimResults<SimTest::Schedule>& results) {
                scheduled = args.Get<SimTest::Names>();
                results.Set<SimTest::Later>(MakeRefCnt<SimpleCommandsPresModel>());
            });
        QVERIFY(host.Handles(SimTest::Greet::id));
        QVERIFY(!host.Handles(SimTest::Forget::id));

        // Through the library's own command frame, as a dialog sends it.
        const auto withCount = Wrapper<SimTest::Greet>::Run(host, TString(L"Ada"), 21u);
        QCOMPARE(withCount.Get<SimTest::Greeting>(), TString(L"Hello, Ada"));
        QCOMPARE(withCount.Find<SimTest::Total>(), std::optional<int>(42));

        const auto withoutCount = Wrapper<SimTest::Greet>::Run(host, TString(L"Grace"), std::nullopt);
        QCOMPARE(withoutCount.Get<SimTest::Greeting>(), TString(L"Hello, Grace"));
        QVERIFY(!withoutCount.Has<SimTest::Total>());
        QCOMPARE(greetCalls, 2);

        // An empty list is an argument like any other, not a missing one.
        const auto later = Wrapper<SimTest::Schedule>::Run(host, std::vector<TString> {});
        QVERIFY(later.Get<SimTest::Later>() != nullptr);
        QVERIFY(scheduled.empty());

        // Registering again replaces the handler.
        host.Handle<SimTest::Greet>([](const SimArguments<SimTest::Greet>&, SimResults<SimTest::Greet>& results) {
            results.Set<SimTest::Greeting>(TString(L"Hi"));
        });
        QCOMPARE(
            Wrapper<SimTest::Greet>::Run(host, TString(L"Ada"), std::nullopt).Get<SimTest::Greeting>(), TString(L"Hi"));
        QCOMPARE(greetCalls, 2);
    }

    void refusesArgumentsThatDoNotFitTheDeclaration_data()
    {
        QTest::addColumn<Malformed>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown command id")
            << Malformed::UnknownCommand << QStringLiteral("no command has the id 91999");
        QTest::newRow("required argument missing")
            << Malformed::MissingRequired << QStringLiteral("missing required argument Name (90001)");
        // unsigned int is declared; an int is not good enough, however convertible.
        QTest::newRow("argument of another exact type")
            << Malformed::WrongExactType
            << QStringLiteral("argument Count (90002) has the wrong type ValParameter<int>");
        QTest::newRow("argument the command does not declare")
            << Malformed::UndeclaredId << QStringLiteral("undeclared argument id 90011");
        QTest::newRow("no argument set at all") << Malformed::NoArgumentSet << QStringLiteral("no argument set");
    }

    void refusesArgumentsThatDoNotFitTheDeclaration()
    {
        QFETCH(Malformed, fault);
        QFETCH(QString, reason);
        SimHost host;
        int greetCalls = 0;
        HandleGreet(host, &greetCalls);
        HostLog::Clear();

        RefCntPtr<IParameters> arguments = ContextParameters::Create();
        int commandId = SimTest::Greet::id;
        switch (fault) {
        case Malformed::UnknownCommand:
            commandId = 91999;
            SetValParameter<TString>(*arguments, SimTest::Name::id, TString(L"Ada"));
            break;
        case Malformed::MissingRequired:
            SetValParameter<unsigned int>(*arguments, SimTest::Count::id, 3u);
            break;
        case Malformed::WrongExactType:
            SetValParameter<TString>(*arguments, SimTest::Name::id, TString(L"Ada"));
            SetValParameter<int>(*arguments, SimTest::Count::id, 3);
            break;
        case Malformed::UndeclaredId:
            SetValParameter<TString>(*arguments, SimTest::Name::id, TString(L"Ada"));
            SetValParameter<int>(*arguments, SimTest::Total::id, 3);
            break;
        case Malformed::NoArgumentSet:
            arguments.reset();
            break;
        }

        QVERIFY(Send(host, commandId, std::move(arguments)) == nullptr);
        QCOMPARE(greetCalls, 0);
        QVERIFY2(ZelTest::HostLogMentions(reason), qPrintable(reason));
        QCOMPARE(host.Exchanges().size(), std::size_t(1));
        QVERIFY(host.Exchanges().front().refused);
        QCOMPARE(host.Exchanges().front().results, reason);
    }

    void answersNullWhenTheHandlerFails_data()
    {
        QTest::addColumn<HandlerFault>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("throws a standard exception")
            << HandlerFault::ThrowsStdException << QStringLiteral("the handler failed: no such name");
        QTest::newRow("throws something else")
            << HandlerFault::ThrowsSomethingElse << QStringLiteral("the handler failed");
        QTest::newRow("leaves a required result unset")
            << HandlerFault::LeavesRequiredResultUnset
            << QStringLiteral("did not set the required result Greeting (90010)");
    }

    void answersNullWhenTheHandlerFails()
    {
        QFETCH(HandlerFault, fault);
        QFETCH(QString, reason);
        SimHost host;
        host.Handle<SimTest::Greet>(
            [fault](const SimArguments<SimTest::Greet>& args, SimResults<SimTest::Greet>& results) {
                // Whatever the handler had put into the answer must be released with it.
                results.Set<SimTest::Total>(1);
                switch (fault) {
                case HandlerFault::ThrowsStdException:
                    throw std::invalid_argument("no such name");
                case HandlerFault::ThrowsSomethingElse:
                    throw 42;
                case HandlerFault::LeavesRequiredResultUnset:
                    Q_UNUSED(args);
                    break;
                }
            });
        HostLog::Clear();

        // The library sees a null answer, which its frame turns into the defined logic exception.
        QCOMPARE(ZelTest::LogicCondition([&] { Wrapper<SimTest::Greet>::Run(host, TString(L"Ada"), std::nullopt); }),
            QStringLiteral("parameters != nullptr"));
        QVERIFY2(ZelTest::HostLogMentions(reason), qPrintable(reason));
        QVERIFY(host.Exchanges().back().refused);

        // A handler reading an optional argument that was not sent is refused the same way.
        host.Handle<SimTest::Greet>([](const SimArguments<SimTest::Greet>& args, SimResults<SimTest::Greet>& results) {
            results.Set<SimTest::Total>(static_cast<int>(args.Get<SimTest::Count>()));
        });
        QVERIFY(Send(host, SimTest::Greet::id, [] {
            RefCntPtr<IParameters> set = ContextParameters::Create();
            SetValParameter<TString>(*set, SimTest::Name::id, TString(L"Ada"));
            return set;
        }()) == nullptr);
    }

    void resultlessCommandGetsAnEmptySet()
    {
        SimHost host;
        std::vector<TString> forgotten;
        // A handler of a result-less command may leave out the results parameter.
        host.Handle<SimTest::Forget>([&forgotten](const SimArguments<SimTest::Forget>& args) {
            forgotten.push_back(args.Get<SimTest::Name>());
        });

        RefCntPtr<IParameters> arguments = ContextParameters::Create();
        SetValParameter<TString>(*arguments, SimTest::Name::id, TString(L"Ada"));
        const RefCntPtr<IParameters const> answer = Send(host, SimTest::Forget::id, arguments);
        QVERIFY(answer != nullptr);
        QVERIFY(answer->GetParameterIds().empty());

        Wrapper<SimTest::Forget>::Run(host, TString(L"Grace"));
        QCOMPARE(forgotten, (std::vector<TString> {TString(L"Ada"), TString(L"Grace")}));
        QCOMPARE(host.Exchanges().back().ToString(), QStringLiteral("Forget (91002) {Name=\"Grace\"} -> {}"));
    }

    void exchangeLogRendersEveryCommandShortly()
    {
        SimHost host;
        HandleGreet(host);
        host.Handle<SimTest::Schedule>(
            [](const SimArguments<SimTest::Schedule>&, SimResults<SimTest::Schedule>& results) {
                results.Set<SimTest::Later>(MakeRefCnt<SimpleCommandsPresModel>());
            });

        Wrapper<SimTest::Greet>::Run(host, TString(L"Ada"), 2u);
        Wrapper<SimTest::Schedule>::Run(
            host, std::vector<TString> {TString(L"a"), TString(L"b"), TString(L"c"), TString(L"d"), TString(L"e")});
        Send(host, SimTest::Forget::id, ContextParameters::Create());

        const std::vector<SimExchange>& log = host.Exchanges();
        QCOMPARE(log.size(), std::size_t(3));
        QCOMPARE(log[0].ToString(),
            QStringLiteral("Greet (91001) {Name=\"Ada\", Count=2} -> {Greeting=\"Hello, Ada\", Total=4}"));
        QVERIFY(!log[0].refused);
        // Lists show their first items and their length; records show their type.
        QCOMPARE(log[1].arguments, QStringLiteral("Names=[\"a\", \"b\", \"c\", \u2026] (5 items)"));
        QCOMPARE(log[1].results, QStringLiteral("Later=SimpleCommandsPresModel"));
        QCOMPARE(log[2].commandName, QStringLiteral("unknown"));
        QVERIFY(log[2].refused);

        host.ClearExchanges();
        QVERIFY(host.Exchanges().empty());
        host.SetExchangeLogEnabled(false);
        Wrapper<SimTest::Greet>::Run(host, TString(L"Ada"), std::nullopt);
        QVERIFY(host.Exchanges().empty());
    }

    void parameterTextKeepsValuesShort()
    {
        using ParameterText::Describe;
        QCOMPARE(Describe(TString(QString(60, QLatin1Char('x')))).size(), ParameterText::kMaxTextLength + 2);
        QCOMPARE(Describe(DataValue::Null(DT_INTEGER)), QStringLiteral("Null"));
        QCOMPARE(Describe(DataValue(TString(L"East"))), QStringLiteral("\"East\""));
        QCOMPARE(Describe(FieldName(TString(L"Orders"), TString(L"Region"))), QStringLiteral("[Orders].[Region]"));
        QCOMPARE(Describe(std::optional<bool>()), QStringLiteral("(none)"));
        QCOMPARE(Describe(std::optional<bool>(true)), QStringLiteral("true"));
        QCOMPARE(Describe(RefCntPtr<SimpleCommandsPresModel const>()), QStringLiteral("null"));
        QCOMPARE(Describe(std::vector<int> {7}), QStringLiteral("[7] (1 item)"));
        QCOMPARE(Describe(DT_REAL), QStringLiteral("DataType(6)"));

        // A value of another type than declared still renders, by its dynamic type.
        const ParameterInfo info = DescribeCommand<SimTest::Greet>().arguments.at(1);
        QCOMPARE(info.describe(*ValParameter<unsigned int>::Make(5u)), QStringLiteral("5"));
        QCOMPARE(info.describe(*ValParameter<int>::Make(5)), QStringLiteral("<ValParameter<int>>"));
    }

    void areaBindingFindsItemsAndRefusesOnceTheAreaIsGone()
    {
        SimHost host;
        auto friends = std::make_shared<Friends>();
        friends->visits[TString(L"Ada")] = 0;
        int forgetCalls = 0;
        {
            const SimAreaBinding<Friends> area(host, friends, QStringLiteral("friends area"));
            const auto named = area.Items<SimTest::Name>(&Friends::visits, QStringLiteral("friend"));
            named.Handle<SimTest::Greet>([](Friends&, unsigned int& visits, const SimArguments<SimTest::Greet>& args,
                                             SimResults<SimTest::Greet>& out) {
                out.Set<SimTest::Greeting>(
                    TString(QStringLiteral("Hello again, ") + args.Get<SimTest::Name>().ToQString()));
                out.Set<SimTest::Total>(static_cast<int>(++visits));
            });
            // The area's owner lets go of it while the handler runs.
            area.Handle<SimTest::Forget>(
                [&friends, &forgetCalls](Friends& state, const SimArguments<SimTest::Forget>&) {
                    friends.reset();
                    state.visits.clear();
                    ++forgetCalls;
                });
        }

        // The binding is gone; what it registered works on.
        QCOMPARE(Wrapper<SimTest::Greet>::Run(host, TString(L"Ada"), std::nullopt).Get<SimTest::Total>(), 1);
        QCOMPARE(Wrapper<SimTest::Greet>::Run(host, TString(L"Ada"), std::nullopt).Get<SimTest::Total>(), 2);

        // A name of no item is refused before the handler runs, with what was not found.
        HostLog::Clear();
        QVERIFY_EXCEPTION_THROWN(Wrapper<SimTest::Greet>::Run(host, TString(L"Bob"), std::nullopt), LogicException);
        QVERIFY(ZelTest::HostLogMentions(QStringLiteral("no friend \"Bob\" is open")));
        QCOMPARE(friends->visits.size(), std::size_t(1));

        // The handler held the state to its end; after it, every command of the area is refused.
        const std::weak_ptr<Friends> watch = friends;
        Wrapper<SimTest::Forget>::Run(host, TString(L"Ada"));
        QCOMPARE(forgetCalls, 1);
        QVERIFY(watch.expired());
        QVERIFY_EXCEPTION_THROWN(Wrapper<SimTest::Greet>::Run(host, TString(L"Ada"), std::nullopt), LogicException);
        Wrapper<SimTest::Forget>::Run(host, TString(L"Ada"));
        QCOMPARE(forgetCalls, 1);
        QVERIFY(host.Exchanges().back().refused);
        QCOMPARE(host.Exchanges().back().results, QStringLiteral("the handler failed: the friends area is gone"));
    }

private:
    // Greet answers "Hello, <name>" and, when a count is sent, its double as Total.
    static void HandleGreet(SimHost& host, int* calls = nullptr)
    {
        host.Handle<SimTest::Greet>([calls](
                                        const SimArguments<SimTest::Greet>& args, SimResults<SimTest::Greet>& results) {
            if (calls)
                ++*calls;
            results.Set<SimTest::Greeting>(TString(QStringLiteral("Hello, ") + args.Get<SimTest::Name>().ToQString()));
            if (const auto count = args.Find<SimTest::Count>())
                results.Set<SimTest::Total>(static_cast<int>(*count) * 2);
        });
    }
};

QTEST_MAIN(SimHostTest)

#include "SimHostTest.moc"
