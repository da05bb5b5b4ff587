#include "host/doc/ComponentCleanup.h"
#include "host/doc/DataValue.h"
#include "host/doc/DateTime.h"
#include "host/doc/FieldName.h"
#include "host/doc/FormattedText.h"
#include "host/doc/HostLog.h"
#include "host/doc/NotificationManager.h"
#include "host/doc/Preferences.h"
#include "host/doc/ResourceIds.h"
#include "host/doc/StringIds.h"
#include "host/doc/StringTable.h"
#include "host/doc/TPath.h"
#include "host/doc/TUUID.h"
#include "host/doc/ZelvarCS.h"
#include "tests/support/RecordingDispatcher.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

#include <atomic>
#include <set>
#include <thread>

using namespace ZelTest;
using PresentationLayer::NotificationHandler;
using PresentationLayer::NotificationHandlerWithDoc;
using PresentationLayer::NotificationManager;

namespace {

class EventPresModel : public PresentationModel
{
    ZEL_PRES_FIELD(TString, Text)
};

class OtherPresModel : public PresentationModel
{
};

class FakeDoc final : public IWorkbookDoc
{
public:
    explicit FakeDoc(const ICommandDispatcher& d)
        : m_dispatcher(d)
    {
    }
    const ICommandDispatcher& GetCommandDispatcher() const override { return m_dispatcher; }
    TString GetDocumentName() const override { return TString(L"Superstore"); }

private:
    const ICommandDispatcher& m_dispatcher;
};

RefCntPtr<SimpleCommandsPresModel const> CleanupList(std::initializer_list<int> commandIds)
{
    auto list = MakeRefCnt<SimpleCommandsPresModel>();
    std::vector<RefCntPtr<SimpleCommandPresModel const>> commands;
    for (int id : commandIds) {
        auto command = MakeRefCnt<SimpleCommandPresModel>();
        command->SetCommandId(id);
        auto args = ContextParameters::Create();
        SetValParameter<int>(*args, 1, id * 10);
        command->SetArguments(args);
        commands.push_back(command);
    }
    list->SetCommands(std::move(commands));
    return list;
}

// A dispatcher that always throws, as a host whose document went away does.
class ThrowingDispatcher final : public ICommandDispatcher
{
public:
    RefCntPtr<IParameters const> ExecuteCommand(int, RefCntPtr<IParameters const>, void*) const override
    {
        throw std::runtime_error("document closed");
    }
};

} // namespace

class HostDocTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void countedPointerSharesAndReleases()
    {
        const long before = RefCntObject::LiveInstanceCount();
        {
            RefCntPtr<EventPresModel> a = MakeRefCnt<EventPresModel>();
            QCOMPARE(a->GetRefCount(), 1L);
            QCOMPARE(RefCntObject::LiveInstanceCount(), before + 1);
            RefCntPtr<EventPresModel> b = a;
            RefCntPtr<PresentationModel const> c = b;
            QCOMPARE(a->GetRefCount(), 3L);
            RefCntPtr<EventPresModel> moved = std::move(b);
            QVERIFY(!b);
            QCOMPARE(a->GetRefCount(), 3L);
            c.reset();
            moved = nullptr;
            QCOMPARE(a->GetRefCount(), 1L);
            // A raw pointer wrapped again adds its own reference.
            RefCntPtr<EventPresModel> again(a.get());
            QCOMPARE(a->GetRefCount(), 2L);
        }
        QCOMPARE(RefCntObject::LiveInstanceCount(), before);
    }

    void emptyCountedPointerRaisesMPtr()
    {
        RefCntPtr<EventPresModel const> empty;
        QCOMPARE(LogicFailure([&] { (void)empty->GetText(); }), QStringLiteral("host/doc/RefCnt: m_ptr"));
        QCOMPARE(LogicFailure([&] { (void)*empty; }), QStringLiteral("host/doc/RefCnt: m_ptr"));
    }

    void dynamicCastGivesEmptyForOtherType()
    {
        RefCntPtr<PresentationModel const> model = MakeRefCnt<OtherPresModel>();
        QVERIFY(!DynamicRefCntCast<EventPresModel const>(model));
        RefCntPtr<PresentationModel const> event = MakeRefCnt<EventPresModel>();
        auto typed = DynamicRefCntCast<EventPresModel const>(event);
        QVERIFY(typed);
        QCOMPARE(event->GetRefCount(), 2L);
    }

    void copiedRecordStartsItsOwnCount()
    {
        auto original = MakeRefCnt<EventPresModel>();
        original->SetText(TString(L"x"));
        RefCntPtr<EventPresModel> extra = original;
        auto copy = MakeRefCnt<EventPresModel>(*original);
        QCOMPARE(copy->GetRefCount(), 1L);
        QCOMPARE(copy->GetText(), TString(L"x"));
    }

    void wideStringRoundTripsThroughQString()
    {
        const QString text = QStringLiteral("Zürich – 東京 \U0001F600");
        const TString t(text);
        QCOMPARE(t.ToQString(), text);
        // wchar_t is a whole code point here, so the emoji is one character, not a surrogate pair.
        QCOMPARE(t.length(), std::size_t(text.size() - 1));
        // No room kept beyond the text; what is no Unicode character becomes the replacement character.
        QCOMPARE(t.ToQString().capacity(), text.size());
        QCOMPARE(TString(std::wstring {L'a', static_cast<wchar_t>(0x110000), static_cast<wchar_t>(0xD800), L'b'})
                     .ToQString(),
            QStringLiteral("a\uFFFD\uFFFDb"));
        QVERIFY(TString().ToQString().isEmpty());
        QVERIFY(TString(L"a") < TString(L"b"));
        QCOMPARE(TString(L"ab") + TString(L"c"), TString(L"abc"));
    }

    void numberPadsLikeArg_data()
    {
        QTest::addColumn<qlonglong>("n");
        QTest::addColumn<int>("base");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << qlonglong(-32768) << 10 << 0 << QStringLiteral("-32768");
        QTest::newRow("padded") << qlonglong(7) << 10 << 3 << QStringLiteral("  7");
        QTest::newRow("left") << qlonglong(7) << 10 << -3 << QStringLiteral("7  ");
        QTest::newRow("hex") << qlonglong(255) << 16 << 0 << QStringLiteral("ff");
    }

    void numberPadsLikeArg()
    {
        QFETCH(qlonglong, n);
        QFETCH(int, base);
        QFETCH(int, width);
        QFETCH(QString, expected);
        QCOMPARE(TString::number(n, base, width, L' ').ToQString(), expected);
    }

    void formatStringFillsLowestMarkerFirst()
    {
        TFormatString f(TString(L"%2 of %1"));
        f.arg(TString(L"ten")).arg(3);
        QCOMPARE(f.ToTString(), TString(L"3 of ten"));
        // A localised text may repeat a marker.
        QCOMPARE(TFormatString(TString(L"%1/%1")).arg(TString(L"x")).ToTString(), TString(L"x/x"));
    }

    void pathStemAndEquality_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("stem");
        QTest::newRow("windows") << QStringLiteral("C:\\Users\\ana\\Sales 2026.twx") << QStringLiteral("Sales 2026");
        QTest::newRow("dots") << QStringLiteral("/data/q1.final.twx") << QStringLiteral("q1.final");
        QTest::newRow("no extension") << QStringLiteral("/data/Book1") << QStringLiteral("Book1");
        QTest::newRow("empty") << QString() << QString();
    }

    void pathStemAndEquality()
    {
        QFETCH(QString, path);
        QFETCH(QString, stem);
        QCOMPARE(TPath(TString(path)).Stem().ToQString(), stem);
        QVERIFY(TPath(TString(path)) == TPath(TString(path)));
        QVERIFY(TPath(TString(L"C:\\a\\b.twx")) == TPath(TString(L"C:/a/b.twx")));
        QVERIFY(TPath(TString(L"/a/b.twx")) != TPath(TString(L"/a/c.twx")));
    }

    void defaultDateTimeIsEarliest()
    {
        const DateTime earliest;
        const DateTime epoch = DateTime::FromMSecsSinceEpoch(0);
        const DateTime old = DateTime::FromQDateTime(QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC));
        QVERIFY(earliest < epoch);
        QVERIFY(earliest < old);
        QVERIFY(!(epoch < earliest));
        QCOMPARE(DateTime::FromQDateTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::UTC)).ToQDateTime(true),
            QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::UTC));
        QVERIFY(DateTimeUtils::MinDateEditDate() < DateTimeUtils::MaxDateEditDate());
    }

    void fieldNameGlobalFormRoundTrips_data()
    {
        QTest::addColumn<QString>("dataSource");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("global");
        QTest::newRow("both") << QStringLiteral("Orders") << QStringLiteral("Region")
                              << QStringLiteral("[Orders].[Region]");
        QTest::newRow("bracket") << QStringLiteral("a]b") << QStringLiteral("x]") << QStringLiteral("[a]]b].[x]]]");
        QTest::newRow("local only") << QString() << QStringLiteral("Profit Ratio") << QStringLiteral("[Profit Ratio]");
    }

    void fieldNameGlobalFormRoundTrips()
    {
        QFETCH(QString, dataSource);
        QFETCH(QString, local);
        QFETCH(QString, global);
        const FieldName name = FieldName::MakeGlobalName(TString(dataSource), TString(local));
        QCOMPARE(name.GetGlobalName().ToQString(), global);
        QVERIFY(FieldName::FromGlobalName(name.GetGlobalName()) == name);
    }

    void fieldNameParseUnquotedTakesWholeText()
    {
        const FieldName n = FieldName::ParseUnquoted(TString(L"  Sales.Adjusted  "));
        QCOMPARE(n.GetLocalName(), TString(L"Sales.Adjusted"));
        QVERIFY(n.GetDataSource().empty());
        QVERIFY(FieldName().IsEmpty());
        QCOMPARE(MakeGlobalName(TString(L"Cube"), n).GetDataSource(), TString(L"Cube"));
        // Unbalanced brackets are kept as a plain name rather than misread.
        QCOMPARE(FieldName::FromGlobalName(TString(L"[abc")).GetLocalName(), TString(L"[abc"));
    }

    void qualifiedNameEmptinessAndEquality()
    {
        QVERIFY(QualifiedName().IsEmpty());
        const QualifiedName a({TString(L"dbo"), TString(L"Orders")});
        QVERIFY(!a.IsEmpty());
        QVERIFY(a == QualifiedName({TString(L"dbo"), TString(L"Orders")}));
        QVERIFY(a != QualifiedName({TString(L"Orders")}));
        QCOMPARE(a.ToString(), TString(L"[dbo].[Orders]"));
    }

    void dataValueEqualityIncludesTypeAndSpecial()
    {
        QCOMPARE(DataValue(5).GetInt(), 5);
        QCOMPARE(DataValue(5).GetDataType(), DT_INTEGER);
        QVERIFY(!DataValue(5).IsSpecial());
        QVERIFY(DataValue(5) == DataValue(5));
        QVERIFY(DataValue(5) != DataValue(5.0));
        QVERIFY(DataValue::Null(DT_INTEGER).IsSpecial());
        QVERIFY(DataValue::Null(DT_INTEGER) != DataValue::Null(DT_STRING));
        QVERIFY(DataValue::Null(DT_STRING) == DataValue::Null(DT_STRING));
        QVERIFY(DataValue::Special(DT_STRING, TString(L"All")) != DataValue(TString(L"All")));
        QCOMPARE(DataValue(TString(L"East")).GetString(), TString(L"East"));
        QVERIFY(IsNumericDataType(DT_REAL) && IsNumericDataType(DT_INTEGER) && !IsNumericDataType(DT_DATE));
    }

    void dataValueFromVariantParsesOrGivesNull_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<bool>("isNull");
        QTest::addColumn<QString>("display");
        QTest::newRow("int") << int(DT_INTEGER) << QVariant(QStringLiteral(" 42 ")) << false << QStringLiteral("42");
        QTest::newRow("int from 12.0") << int(DT_INTEGER) << QVariant(QStringLiteral("12.0")) << false
                                       << QStringLiteral("12");
        QTest::newRow("int from 1.5") << int(DT_INTEGER) << QVariant(QStringLiteral("1.5")) << true
                                      << QStringLiteral("Null");
        QTest::newRow("real") << int(DT_REAL) << QVariant(QStringLiteral("2.5")) << false << QStringLiteral("2.5");
        QTest::newRow("bad real") << int(DT_REAL) << QVariant(QStringLiteral("abc")) << true << QStringLiteral("Null");
        QTest::newRow("date") << int(DT_DATE) << QVariant(QStringLiteral("2026-02-28")) << false
                              << QStringLiteral("2026-02-28");
        QTest::newRow("bad date") << int(DT_DATE) << QVariant(QStringLiteral("2026-02-30")) << true
                                  << QStringLiteral("Null");
        QTest::newRow("bool") << int(DT_BOOLEAN) << QVariant(QStringLiteral("TRUE")) << false << QStringLiteral("True");
        QTest::newRow("empty string stays") << int(DT_STRING) << QVariant(QString()) << false << QString();
        QTest::newRow("blank number") << int(DT_REAL) << QVariant(QStringLiteral("  ")) << true
                                      << QStringLiteral("Null");
    }

    void dataValueFromVariantParsesOrGivesNull()
    {
        QFETCH(int, type);
        QFETCH(QVariant, input);
        QFETCH(bool, isNull);
        QFETCH(QString, display);
        const DataValue v = DataValue::FromVariant(static_cast<DataType>(type), input);
        QCOMPARE(v.GetDataType(), static_cast<DataType>(type));
        QCOMPARE(v.IsNull(), isNull);
        QCOMPARE(v.ToDisplayString().ToQString(), display);
    }

    void formattedTextPlainText()
    {
        const FormattedText t = FormattedText::FromPlainText(TString(L"a < b\nc & d"));
        QCOMPARE(t.GetPlainText(), TString(L"a < b\nc & d"));
        QVERIFY(t == FormattedText::FromPlainText(TString(L"a < b\nc & d")));
        QVERIFY(FormattedText().IsEmpty());
        QCOMPARE(FormattedText::FromMarkup(TString(L"<p><b>Top</b> N</p>")).GetPlainText(), TString(L"Top N"));
    }

    void uuidsAreUniqueAndComparable()
    {
        const TUUID a = TUUID::CreateNew();
        QVERIFY(!a.IsNull());
        QVERIFY(a != TUUID::CreateNew());
        QVERIFY(a == TUUID::FromString(a.ToString()));
    }

    void missingParameterFailsEveryTypedRead()
    {
        auto set = ContextParameters::Create();
        const IParameters& constSet = *set;
        QVERIFY(!constSet.HasParameter(7));
        QVERIFY(!AsValParameter<int>(constSet.GetParameter(7)));
        QVERIFY(!AsValParameter<TString>(constSet.GetParameter(7)));
        QVERIFY(!constSet.GetParameter(7).IsNull());
    }

    void parameterSetReplacesAndRemoves()
    {
        auto set = ContextParameters::Create();
        SetValParameter<int>(*set, 3, 1);
        SetValParameter<unsigned int>(*set, 3, 2u);
        SetValParameter<std::vector<TString>>(*set, 1, {});
        QCOMPARE(set->GetParameterIds(), (std::vector<int> {1, 3}));
        QVERIFY(!AsValParameter<int>(set->GetParameter(3)));
        QCOMPARE(AsValParameter<unsigned int>(std::as_const(*set).GetParameter(3))->GetValue(), 2u);
        set->RemoveParameter(3);
        QVERIFY(!set->HasParameter(3));
        set->SetContext(ContextKind::Worksheet, TString(L"Sheet 1"));
        QCOMPARE(set->GetContext(ContextKind::Worksheet), TString(L"Sheet 1"));
        QVERIFY(set->GetContext(ContextKind::Dashboard).empty());
    }

    void recordParameterAnswersModelAndNull()
    {
        auto model = MakeRefCnt<EventPresModel>();
        RefCntPtr<IParameter> holding = ValParameter<RefCntPtr<EventPresModel const>>::Make(model);
        RefCntPtr<IParameter> empty = ValParameter<RefCntPtr<EventPresModel const>>::Make({});
        RefCntPtr<IParameter> plain = ValParameter<int>::Make(0);
        QCOMPARE(model->GetRefCount(), 2L);

        RefCntPtr<PresentationModel const> out;
        holding->GetPresentationModel(out);
        QCOMPARE(out.get(), static_cast<const PresentationModel*>(model.get()));
        QVERIFY(!holding->IsNull());
        empty->GetPresentationModel(out);
        QVERIFY(!out);
        QVERIFY(empty->IsNull());
        plain->GetPresentationModel(out);
        QVERIFY(!out && !plain->IsNull() && !plain->IsTransient());

        holding.reset();
        QCOMPARE(model->GetRefCount(), 1L);
    }

    void cleanupSendsListsInOrderUnlessDiscarded()
    {
        RecordingDispatcher dispatcher;
        {
            ComponentCleanup cleanup(dispatcher, CleanupList({11, 12}));
            cleanup.AddCommand(CleanupList({13}));
            cleanup.AddCommand({});
            QCOMPARE(cleanup.CommandCount(), std::size_t(3));
            QCOMPARE(dispatcher.Commands().size(), std::size_t(0));
        }
        QCOMPARE(dispatcher.CommandIds(), (std::vector<int> {11, 12, 13}));
        QCOMPARE(AsValParameter<int>(dispatcher.LastOf(13).arguments->GetParameter(1))->GetValue(), 130);

        dispatcher.Clear();
        {
            ComponentCleanup cleanup(dispatcher, CleanupList({11}));
            cleanup.Discard();
            QVERIFY(cleanup.IsDiscarded());
        }
        QVERIFY(dispatcher.Commands().empty());
    }

    void cleanupFailureIsLoggedNotThrown()
    {
        HostLog::Clear();
        ThrowingDispatcher dispatcher;
        {
            ComponentCleanup cleanup(dispatcher, CleanupList({21, 22}));
        }
        QCOMPARE(HostLog::Lines().size(), std::size_t(2));
        QVERIFY(HostLog::Lines()[0].ToQString().contains(QStringLiteral("21")));
        QVERIFY(HostLog::Lines()[1].ToQString().contains(QStringLiteral("document closed")));
    }

    void loggingDispatcherForwardsAndLogs()
    {
        HostLog::Clear();
        RecordingDispatcher inner;
        FakeDoc doc(inner);
        SubCommandWithLoggingDispatcher dispatcher(doc);
        auto result = dispatcher.ExecuteCommand(77, ContextParameters::Create(), nullptr);
        QVERIFY(!result);
        QCOMPARE(inner.CommandIds(), std::vector<int> {77});
        QCOMPARE(HostLog::Lines().size(), std::size_t(1));
        QVERIFY(HostLog::Lines()[0].ToQString().contains(QStringLiteral("Superstore")));
    }

    void notificationReachesHandlersInOrderWhileTokenLives()
    {
        NotificationManager manager;
        QStringList calls;
        auto first = manager.RegisterHandler(
            5, std::make_shared<NotificationHandler<EventPresModel>>([&](const RefCntPtr<EventPresModel const>& m) {
                calls << QStringLiteral("first:") + m->GetText().ToQString();
            }));
        auto second = manager.RegisterHandler(5,
            std::make_shared<NotificationHandler<EventPresModel>>(
                [&](const RefCntPtr<EventPresModel const>&) { calls << QStringLiteral("second"); }));
        auto elsewhere = manager.RegisterHandler(6,
            std::make_shared<NotificationHandler<EventPresModel>>(
                [&](const RefCntPtr<EventPresModel const>&) { calls << QStringLiteral("other"); }));
        auto model = MakeRefCnt<EventPresModel>();
        model->SetText(TString(L"x"));
        manager.Notify(5, model, nullptr);
        QCOMPARE(calls, (QStringList {QStringLiteral("first:x"), QStringLiteral("second")}));

        first.reset();
        calls.clear();
        manager.Notify(5, model, nullptr);
        QCOMPARE(calls, QStringList {QStringLiteral("second")});
        QCOMPARE(manager.HandlerCount(5), std::size_t(1));
        QCOMPARE(model->GetRefCount(), 1L);
    }

    void handlerMayUnregisterDuringDelivery()
    {
        NotificationManager manager;
        std::shared_ptr<void> token;
        int calls = 0;
        token = manager.RegisterHandler(
            9, std::make_shared<NotificationHandler<EventPresModel>>([&](const RefCntPtr<EventPresModel const>&) {
                ++calls;
                token.reset(); // the handler is still running; the manager must keep it alive
            }));
        manager.Notify(9, MakeRefCnt<EventPresModel>(), nullptr);
        manager.Notify(9, MakeRefCnt<EventPresModel>(), nullptr);
        QCOMPARE(calls, 1);
        QCOMPARE(manager.HandlerCount(9), std::size_t(0));
    }

    void tokenOutlivingManagerIsHarmless()
    {
        // Nothing to compare: releasing the token must not touch the dead manager (the sanitizer build
        // catches it if it does).
        std::shared_ptr<void> token;
        {
            NotificationManager manager;
            token = manager.RegisterHandler(1,
                std::make_shared<NotificationHandler<EventPresModel>>([](const RefCntPtr<EventPresModel const>&) {}));
        }
        token.reset();
    }

    void handlerWithDocRequiresDocAndCastsModel()
    {
        RecordingDispatcher dispatcher;
        FakeDoc doc(dispatcher);
        int calls = 0;
        bool lastWasEmpty = false;
        NotificationHandlerWithDoc<EventPresModel> handler(
            [&](const RefCntPtr<EventPresModel const>& m, IWorkbookDoc& d) {
                ++calls;
                lastWasEmpty = !m;
                QCOMPARE(&d, static_cast<IWorkbookDoc*>(&doc));
            });
        QCOMPARE(
            LogicCondition([&] { handler.Notify(1, MakeRefCnt<EventPresModel>(), nullptr); }), QStringLiteral("doc"));
        QCOMPARE(calls, 0);
        handler.Notify(1, MakeRefCnt<OtherPresModel>(), &doc);
        QVERIFY(lastWasEmpty);
        handler.Notify(1, MakeRefCnt<EventPresModel>(), &doc);
        QVERIFY(!lastWasEmpty);
        QCOMPARE(calls, 2);

        NotificationHandlerWithDoc<EventPresModel> noFunction({});
        QVERIFY_EXCEPTION_THROWN(noFunction.Notify(1, {}, &doc), std::bad_function_call);
    }

    void everyStringIdHasText()
    {
        const std::vector<StringId> ids = {
#define ZEL_STRING(Name, Id, Text) Id,
#include "host/doc/StringTableData.inc"
#undef ZEL_STRING
        };
        QVERIFY(ids.size() >= 40);
        // Two names for one id would let one text silently replace the other.
        QCOMPARE(std::set<StringId>(ids.begin(), ids.end()).size(), ids.size());
        for (StringId id : ids) {
            QVERIFY(HasTStr(id));
            const QString text = LookupTStr(id).ToQString();
            QVERIFY2(!text.trimmed().isEmpty() && !text.startsWith(QLatin1Char('[')), qPrintable(QString::number(id)));
        }
    }

    void unknownStringIdIsVisibleAndLogged()
    {
        HostLog::Clear();
        QVERIFY(!HasTStr(12345));
        QVERIFY(LookupTStr(12345).ToQString().contains(QStringLiteral("12345")));
        QCOMPARE(HostLog::Lines().size(), std::size_t(1));
        // A format string from the table fills its markers.
        QVERIFY(LookupTFmtStr(Zel::Strings::SolveOrderOutOfRange)
                    .arg(TString(L"-1"))
                    .arg(TString(L"99"))
                    .ToTString()
                    .ToQString()
                    .contains(QStringLiteral("-1")));
    }

    void resourcePathsFollowIds()
    {
        QCOMPARE(LookupDefaultQtZelRes(Zel::Icons::Close).ToQString(),
            QStringLiteral(":/zel/icons/%1.svg").arg(Zel::Icons::Close));
        QVERIFY(IsKnownQtZelRes(Zel::Icons::Close));
        QVERIFY(!IsKnownQtZelRes(1));
    }

    void preferencesDefaultsAndMissingPreferences()
    {
        RefCntPtr<IPreferences> saved = SessionContext::Get().GetIPreferences();
        const ColorObject background = saved->GetColor(TString(L"nonmodaldialog.background.color"));
        QVERIFY(!(background == ColorObject {}));
        QVERIFY(!(saved->GetColor(TString(L"nonmodaldialog.border.color")) == ColorObject {}));
        QVERIFY(!(saved->GetColor(TString(L"ui.openpane.link.color")) == ColorObject {}));

        auto custom = MakeRefCnt<SessionPreferences>();
        custom->SetColor(TString(L"ui.openpane.link.color"), ColorObject {1, 2, 3, 255});
        SessionContext::Get().SetIPreferences(custom);
        QVERIFY(SessionContext::Get().GetIPreferences()->GetColor(TString(L"ui.openpane.link.color"))
            == (ColorObject {1, 2, 3, 255}));

        SessionContext::Get().SetIPreferences({});
        QCOMPARE(LogicCondition([] { SessionContext::Get().GetIPreferences(); }), QStringLiteral("p != nullptr"));
        SessionContext::Get().SetIPreferences(saved);
    }

    void recursiveMutexReentersAndExcludesOthers()
    {
        ZelvarCS cs;
        std::atomic<bool> otherGotIt {true};
        {
            ZEL_AUTO_SYNCHRONIZE(cs, "outer");
            {
                ZEL_AUTO_SYNCHRONIZE(cs, "inner"); // same thread: must not block
            }
            std::thread other([&] {
                otherGotIt = cs.TryLock();
                if (otherGotIt)
                    cs.Unlock();
            });
            other.join();
        }
        QVERIFY(!otherGotIt);
        QVERIFY(cs.TryLock());
        cs.Unlock();
    }
};

QTEST_MAIN(HostDocTest)
#include "HostDocTest.moc"
