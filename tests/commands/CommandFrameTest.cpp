#include "gen-command-wrappers/CommandFrame.h"
#include "host/doc/SimpleCommandsPresModel.h"
#include "tests/support/RecordingDispatcher.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

using namespace ZelTest;

namespace {

class WidgetPresModel : public PresentationModel
{
    ZEL_PRES_FIELD(TString, Caption)
};

// A small area of the same shape as the library's own, so the frame is tested apart from any dialog.
namespace TestCmds {
using namespace Zel::Commands;
ZEL_COMMAND_AREA(TestArea, "gen-command-wrappers/TestCommandWrappers");
ZEL_PARAMETER(FileIds, 101, std::vector<TString>);
ZEL_PARAMETER(Count, 102, unsigned int);
ZEL_PARAMETER(Caption, 103, TString);
ZEL_PARAMETER(Widget, 104, RefCntPtr<WidgetPresModel const>);
ZEL_PARAMETER(OptionalName, 105, FieldName);
ZEL_PARAMETER(Cleanup, 106, RefCntPtr<SimpleCommandsPresModel const>);

ZEL_COMMAND(GetWidget, 9001, TestArea, Arguments<Required<Caption>, Optional<OptionalName>>,
    Results<Required<Widget>, Required<Count>, Optional<Cleanup>>);
ZEL_COMMAND(DeleteFiles, 9002, TestArea, Arguments<Required<FileIds>>, Results<>);
} // namespace TestCmds

ZEL_COMMAND_WRAPPER(TestCmds, GetWidget);
ZEL_COMMAND_WRAPPER(TestCmds, DeleteFiles);

RefCntPtr<WidgetPresModel const> MakeWidget(const wchar_t* caption)
{
    auto w = MakeRefCnt<WidgetPresModel>();
    w->SetCaption(TString(caption));
    return w;
}

} // namespace

class CommandFrameTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void sendsArgumentsAndReadsTypedResults()
    {
        RecordingDispatcher dispatcher;
        auto model = MakeWidget(L"Top N");
        dispatcher.Answer<TestCmds::GetWidget>().Set<TestCmds::Widget>(model).Set<TestCmds::Count>(3u);

        auto result = GetWidget(dispatcher, TString(L"caption"), std::nullopt);
        QCOMPARE(dispatcher.CommandIds(), std::vector<int> {9001});
        const RecordedCommand& sent = dispatcher.Last<TestCmds::GetWidget>();
        QCOMPARE(sent.Get<TestCmds::Caption>(), TString(L"caption"));
        QCOMPARE(result.Get<TestCmds::Count>(), 3u);
        RefCntPtr<WidgetPresModel const> widget = result.Get<TestCmds::Widget>();
        QCOMPARE(widget.get(), model.get());
        QCOMPARE(widget->GetCaption(), TString(L"Top N"));
    }

    void optionalArgumentIsSentOnlyWhenGiven()
    {
        RecordingDispatcher dispatcher;
        dispatcher.AnswerAlways<TestCmds::GetWidget>([](const RecordedCommand&) {
            auto set = ContextParameters::Create();
            SetValParameter<RefCntPtr<WidgetPresModel const>>(*set, TestCmds::Widget::id, MakeWidget(L"w"));
            SetValParameter<unsigned int>(*set, TestCmds::Count::id, 0u);
            return RefCntPtr<IParameters const>(set);
        });
        GetWidget(dispatcher, TString(L"a"), std::nullopt);
        QCOMPARE(dispatcher.Commands()[0].ArgumentCount(), std::size_t(1));
        QVERIFY(!dispatcher.Commands()[0].Has(TestCmds::OptionalName::id));

        GetWidget(dispatcher, TString(L"a"), FieldName(TString(L"Orders"), TString(L"Region")));
        QCOMPARE(dispatcher.Commands()[1].ArgumentCount(), std::size_t(2));
        QCOMPARE(dispatcher.Commands()[1].Get<TestCmds::OptionalName>().GetLocalName(), TString(L"Region"));
    }

    void nullResultRaisesBeforeAnyRead()
    {
        RecordingDispatcher dispatcher;
        dispatcher.AnswerNull<TestCmds::GetWidget>();
        QCOMPARE(LogicFailure([&] { GetWidget(dispatcher, TString(L"x"), std::nullopt); }),
            QStringLiteral("gen-command-wrappers/TestCommandWrappers: parameters != nullptr"));
        QCOMPARE(dispatcher.Commands().size(), std::size_t(1));
    }

    void resultOfConvertibleTypeIsAMismatch()
    {
        RecordingDispatcher dispatcher;
        dispatcher.Answer<TestCmds::GetWidget>()
            .Set<TestCmds::Widget>(MakeWidget(L"w"))
            .SetRaw<int>(TestCmds::Count::id, 3);
        auto result = GetWidget(dispatcher, TString(L"x"), std::nullopt);
        QVERIFY(result.Get<TestCmds::Widget>());
        // An int where an unsigned int is declared.
        QCOMPARE(MismatchedParameter([&] { result.Get<TestCmds::Count>(); }), TestCmds::Count::id);

        // A record of another class under a record's id is just as wrong.
        dispatcher.Answer<TestCmds::GetWidget>().SetRaw<RefCntPtr<SimpleCommandsPresModel const>>(
            TestCmds::Widget::id, MakeRefCnt<SimpleCommandsPresModel>());
        auto other = GetWidget(dispatcher, TString(L"x"), std::nullopt);
        QCOMPARE(MismatchedParameter([&] { other.Get<TestCmds::Widget>(); }), TestCmds::Widget::id);
    }

    void missingRequiredResultIsAMismatch()
    {
        RecordingDispatcher dispatcher;
        dispatcher.Answer<TestCmds::GetWidget>().Set<TestCmds::Count>(1u);
        auto result = GetWidget(dispatcher, TString(L"x"), std::nullopt);
        QCOMPARE(MismatchedParameter([&] { result.Get<TestCmds::Widget>(); }), TestCmds::Widget::id);
    }

    void optionalResultMayBeAbsentButNotMistyped()
    {
        RecordingDispatcher dispatcher;
        dispatcher.Answer<TestCmds::GetWidget>();
        auto absent = GetWidget(dispatcher, TString(L"x"), std::nullopt);
        QVERIFY(!absent.Has<TestCmds::Cleanup>());
        QVERIFY(!absent.Find<TestCmds::Cleanup>().has_value());

        dispatcher.Answer<TestCmds::GetWidget>().SetRaw<TString>(TestCmds::Cleanup::id, TString(L"oops"));
        auto mistyped = GetWidget(dispatcher, TString(L"x"), std::nullopt);
        QCOMPARE(MismatchedParameter([&] { mistyped.Find<TestCmds::Cleanup>(); }), TestCmds::Cleanup::id);
    }

    void emptyVectorArgumentIsSentNotOmitted()
    {
        RecordingDispatcher dispatcher;
        DeleteFiles(dispatcher, {});
        const RecordedCommand& sent = dispatcher.Last<TestCmds::DeleteFiles>();
        QVERIFY(sent.Has(TestCmds::FileIds::id));
        QVERIFY(sent.Get<TestCmds::FileIds>().empty());
    }

    void resultlessCommandIgnoresNullAnswer()
    {
        RecordingDispatcher dispatcher;
        dispatcher.AnswerNull<TestCmds::DeleteFiles>();
        DeleteFiles(dispatcher, {TString(L"a"), TString(L"b")});
        QCOMPARE(dispatcher.Last<TestCmds::DeleteFiles>().Get<TestCmds::FileIds>().size(), std::size_t(2));
        // An answer nobody reads is released at once.
        auto answer = ContextParameters::Create();
        dispatcher.AnswerAlways<TestCmds::DeleteFiles>(
            [answer](const RecordedCommand&) { return RefCntPtr<IParameters const>(answer); });
        DeleteFiles(dispatcher, {});
        QCOMPARE(answer->GetRefCount(), 2L); // ours and the AnswerAlways closure's
    }

    void referencesBalanceOnEveryPath()
    {
        const long before = RefCntObject::LiveInstanceCount();
        {
            RecordingDispatcher dispatcher;
            dispatcher.AnswerNull<TestCmds::GetWidget>();
            QVERIFY_EXCEPTION_THROWN(GetWidget(dispatcher, TString(L"x"), FieldName()), LogicException);
            dispatcher.Answer<TestCmds::GetWidget>().SetRaw<int>(TestCmds::Widget::id, 1);
            {
                auto result = GetWidget(dispatcher, TString(L"x"), std::nullopt);
                QVERIFY_EXCEPTION_THROWN(result.Get<TestCmds::Widget>(), TypeMismatchCommandException);
            }
            // The dispatcher's record holds the argument sets, nothing else does.
            QCOMPARE(dispatcher.Commands()[0].arguments->GetRefCount(), 1L);
            QCOMPARE(dispatcher.Commands()[1].arguments->GetRefCount(), 1L);
        }
        QCOMPARE(RefCntObject::LiveInstanceCount(), before);

        // The result object keeps the answer alive exactly as long as it lives.
        RecordingDispatcher dispatcher;
        auto answer = ContextParameters::Create();
        SetValParameter<unsigned int>(*answer, TestCmds::Count::id, 1u);
        dispatcher.AnswerAlways<TestCmds::GetWidget>(
            [answer](const RecordedCommand&) { return RefCntPtr<IParameters const>(answer); });
        {
            auto result = GetWidget(dispatcher, TString(L"x"), std::nullopt);
            QCOMPARE(answer->GetRefCount(), 3L);
        }
        QCOMPARE(answer->GetRefCount(), 2L);
    }

    void declarationsDescribeThemselves()
    {
        const Zel::Commands::CommandInfo info = Zel::Commands::DescribeCommand<TestCmds::GetWidget>();
        QCOMPARE(info.id, 9001);
        QCOMPARE(QString::fromLatin1(info.name), QStringLiteral("GetWidget"));
        QCOMPARE(info.arguments.size(), std::size_t(2));
        QVERIFY(info.arguments[0].required && !info.arguments[1].required);
        QCOMPARE(info.results.size(), std::size_t(3));
        auto count = ValParameter<unsigned int>::Make(1u);
        auto wrong = ValParameter<int>::Make(1);
        QVERIFY(info.results[1].matches(*count));
        QVERIFY(!info.results[1].matches(*wrong));
    }
};

QTEST_MAIN(CommandFrameTest)
#include "CommandFrameTest.moc"
