#include "widgets/ShowcaseWidgetInformation.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

#include <optional>

namespace {

ShowcaseWidgetInformation Entry(QWidget* widget, bool beta = true)
{
    ShowcaseWidgetInformation entry(
        TString(L"Go Button"), TString(L"A button."), TString(L"new QPushButton(parent);"), widget, beta);
    entry.SetArguments({{TString(L"text"), TString(L"QString"), TString(), TString(L"The caption."), true}});
    return entry;
}

} // namespace

class ShowcaseWidgetInformationTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void aRecordDeletesOnlyTheWidgetItStillOwns()
    {
        QPointer<QWidget> owned = new QLabel;
        QPointer<QWidget> handedOut = new QLabel;
        QWidget holder;
        {
            ShowcaseWidgetInformation keeps = Entry(owned);
            ShowcaseWidgetInformation gives = Entry(handedOut);
            QCOMPARE(gives.TakeWidget(), handedOut.data());
            handedOut->setParent(&holder);
            QVERIFY(!gives.OwnsWidget());
            // Taken again, the record gives the same widget and still does not own it.
            QCOMPARE(gives.TakeWidget(), handedOut.data());
            QVERIFY(keeps.OwnsWidget());
        }
        QVERIFY(!owned);
        QVERIFY(handedOut);
    }

    void aCopyTakesTheWidgetAndLeavesItsSourceThePointer()
    {
        QPointer<QWidget> widget = new QLabel;
        std::optional<ShowcaseWidgetInformation> source(Entry(widget, false));
        const ShowcaseWidgetInformation copy(*source);
        QVERIFY(copy.OwnsWidget());
        QVERIFY(!source->OwnsWidget());
        QCOMPARE(source->PeekWidget(), widget.data());
        QCOMPARE(copy.GetName().ToQString(), QStringLiteral("Go Button"));
        QCOMPARE(copy.GetExampleCode().ToQString(), QStringLiteral("new QPushButton(parent);"));
        QVERIFY(!copy.IsBeta());
        QVERIFY(copy.GetArguments().empty());
        source.reset();
        QVERIFY(widget);

        // A copy of a record that handed its widget out shares the pointer and owns nothing.
        ShowcaseWidgetInformation second(copy);
        QWidget holder;
        second.TakeWidget()->setParent(&holder);
        const ShowcaseWidgetInformation third(second);
        QVERIFY(!third.OwnsWidget());
        QCOMPARE(third.PeekWidget(), widget.data());
    }

    void anAssignmentTakesTheTextsAndNotTheWidget()
    {
        QPointer<QWidget> mine = new QLabel;
        QPointer<QWidget> theirs = new QLabel;
        ShowcaseWidgetInformation target(TString(L"Old"), TString(), TString(), mine, false);
        const ShowcaseWidgetInformation source = Entry(theirs);
        target = source;
        QCOMPARE(target.GetName().ToQString(), QStringLiteral("Go Button"));
        QCOMPARE(target.GetDescription().ToQString(), QStringLiteral("A button."));
        QVERIFY(target.IsBeta());
        QVERIFY(target.GetArguments().empty());
        QCOMPARE(target.PeekWidget(), mine.data());
        QVERIFY(source.OwnsWidget());
    }

    void aWidgetGivenBackLeavesItsParent()
    {
        QPointer<QWidget> widget = new QLabel;
        auto parent = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(parent.get());
        ShowcaseWidgetInformation entry = Entry(widget);
        layout->addWidget(entry.TakeWidget());
        QCOMPARE(layout->count(), 1);

        ShowcaseWidgetInformation row;
        row.GiveBackWidget(widget);
        QVERIFY(row.OwnsWidget());
        QCOMPARE(widget->parentWidget(), nullptr);
        QCOMPARE(layout->count(), 0);
        parent.reset();
        QVERIFY(widget);

        QLabel other;
        QCOMPARE(ZelTest::LogicCondition([&] { row.GiveBackWidget(&other); }), QStringLiteral("m_widget == nullptr"));
        row.GiveBackWidget(nullptr);
        QVERIFY(row.OwnsWidget());
    }

    void aRecordForgetsAHandedOutWidgetThatWasDeleted()
    {
        ShowcaseWidgetInformation entry = Entry(new QLabel);
        delete entry.TakeWidget();
        QCOMPARE(entry.TakeWidget(), nullptr);
        QCOMPARE(entry.PeekWidget(), nullptr);
    }
};

QTEST_MAIN(ShowcaseWidgetInformationTest)
#include "ShowcaseWidgetInformationTest.moc"
