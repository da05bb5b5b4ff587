#include "main/dialogs/WidgetShowcaseDialog.h"
#include "apps/drivers/WidgetShowcaseDialogDriver.h"
#include "host/doc/Preferences.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationButtonStyle.h"
#include "host/ui/ZelvarComboBox.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ZelTestCase.h"
#include "widgets/ShowcaseDisplayWidget.h"
#include "widgets/ShowcaseListWidget.h"
#include "widgets/ShowcaseWidgetDetails.h"

#include <QtTest/QtTest>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QTableWidget>

#include <map>

using Zel::Drivers::WidgetShowcaseDialogDriver;

namespace {

const QStringList kBeta {QStringLiteral("Outline Button"), QStringLiteral("Go Button"),
    QStringLiteral("Attention Button"), QStringLiteral("Grey Button"), QStringLiteral("Light Outline Button"),
    QStringLiteral("Text Button")};
const QStringList kInProgress {
    QStringLiteral("Outline-Style Dropdown"), QStringLiteral("Line and Arrow Style Dropdown with No Label")};

// The one showcase window for a test, destroyed at its end.
struct Showcase
{
    Showcase()
        : dialog(WidgetShowcaseDialog::GetInstance())
        , driver(*dialog)
    {
    }
    ~Showcase() { delete dialog; }

    // Each entry's example as its row shows it now, by title.
    std::map<QString, QWidget*> Examples(const char* display) const
    {
        std::map<QString, QWidget*> examples;
        for (ShowcaseListWidget* row : driver.Display(display).Rows())
            examples[row->findChild<QLabel*>(QStringLiteral("widgetName"))->text()] = row->ShownExample();
        return examples;
    }

    QPointer<WidgetShowcaseDialog> dialog;
    WidgetShowcaseDialogDriver driver;
};

const char* DisplayOf(const QString& entry)
{
    return kBeta.contains(entry) ? "enabledWidgets" : "disabledWidgets";
}

const char* TabOf(const QString& entry)
{
    return kBeta.contains(entry) ? "betaWidgetsTab" : "inProgressWidgets";
}

} // namespace

class WidgetShowcaseDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void getInstanceMakesOneWindowAndAnotherOnceItWent()
    {
        QPointer<WidgetShowcaseDialog> first = WidgetShowcaseDialog::GetInstance();
        QVERIFY(first);
        QCOMPARE(WidgetShowcaseDialog::GetInstance(), first.data());
        QCOMPARE(first->windowTitle(), QStringLiteral("Zelvar Widget Showcase"));
        QVERIFY(!first->isModal());
        delete first;

        const Showcase again;
        QVERIFY(again.dialog);
        QCOMPARE(again.driver.EntryNames("enabledWidgets"), kBeta);
        QCOMPARE(again.driver.EntryNames("disabledWidgets"), kInProgress);
    }

    void theTabsShowTheGalleryInItsOrder()
    {
        const Showcase s;
        auto& tabs = s.driver.Get<QTabWidget>("tabWidget");
        QStringList titles;
        for (int i = 0; i < tabs.count(); ++i)
            titles << tabs.widget(i)->objectName() + QLatin1Char('=') + tabs.tabText(i);
        QCOMPARE(titles,
            QStringList(
                {QStringLiteral("betaWidgetsTab=Beta Widgets"), QStringLiteral("inProgressWidgets=In-Progress Widgets"),
                    QStringLiteral("getStarted=Get Started"), QStringLiteral("feedback=Feedback")}));
        QCOMPARE(tabs.currentIndex(), 0);
        QCOMPARE(s.driver.Display("enabledWidgets").CurrentPage(), int(ShowcaseDisplayWidget::WidgetsPage));

        const auto beta = s.Examples("enabledWidgets");
        const std::map<QString, int> stylings {{QStringLiteral("Outline Button"), UnificationButtonStyle::Outline},
            {QStringLiteral("Go Button"), UnificationButtonStyle::GreenFilled},
            {QStringLiteral("Attention Button"), UnificationButtonStyle::Attention},
            {QStringLiteral("Grey Button"), UnificationButtonStyle::GreyFilled},
            {QStringLiteral("Text Button"), UnificationButtonStyle::Text}};
        for (const auto& [name, styling] : stylings) {
            auto* button = qobject_cast<QPushButton*>(beta.at(name));
            QVERIFY2(button, qPrintable(name));
            QCOMPARE(UnificationButtonStyle::GetStyling(*button), styling);
            QCOMPARE(button->maximumSize(), ScaleForDpi(button, QSize(100, 50)));
        }
        QWidget* background = beta.at(QStringLiteral("Light Outline Button"));
        QCOMPARE(background->objectName(), QStringLiteral("backgroundWidget"));
        QCOMPARE(background->styleSheet(), QStringLiteral("QWidget#backgroundWidget { background: #355C80 }"));
        auto* light = background->findChild<QPushButton*>();
        QCOMPARE(light->text(), QStringLiteral("Light Outline"));
        QCOMPARE(UnificationButtonStyle::GetStyling(*light), int(UnificationButtonStyle::LightOutline));
        QCOMPARE(background->maximumSize(), ScaleForDpi(background, QSize(200, 50)));

        const auto inProgress = s.Examples("disabledWidgets");
        const std::vector<int> looks {ZelvarComboBox::CBL_Unification, ZelvarComboBox::CBL_Lightweight};
        for (int i = 0; i < kInProgress.size(); ++i) {
            auto* combo = qobject_cast<ZelvarComboBox*>(inProgress.at(kInProgress[i]));
            QVERIFY(combo);
            QCOMPARE(combo->GetComboBoxLook(), looks[std::size_t(i)]);
            QCOMPARE(combo->count(), 4);
            QCOMPARE(combo->itemText(3), QStringLiteral("Meow 4"));
        }
    }

    void getStartedAndFeedbackFollowTheForm()
    {
        const Showcase s;
        const auto& intro = s.driver.Get<QLabel>("label_4");
        QVERIFY(intro.wordWrap());
        QCOMPARE(intro.alignment() & (Qt::AlignLeft | Qt::AlignTop), Qt::AlignLeft | Qt::AlignTop);
        const auto& heading = s.driver.Get<QLabel>("label_5");
        QCOMPARE(heading.text(), QStringLiteral("We Want Your Feedback!"));
        QCOMPARE(heading.font().pointSize(), 13);
        auto& grid = s.driver.Get<QGridLayout>("gridLayout");
        QStringList cells;
        for (int row = 0; row < grid.rowCount(); ++row)
            for (int column = 0; column < 2; ++column)
                cells << grid.itemAtPosition(row, column)->widget()->objectName();
        QCOMPARE(cells,
            QStringList({QStringLiteral("label_7"), QStringLiteral("bugButton"), QStringLiteral("label_6"),
                QStringLiteral("widgetButton"), QStringLiteral("label_10"), QStringLiteral("label_11"),
                QStringLiteral("label_12"), QStringLiteral("label_13")}));
        QVERIFY(s.driver.Get<QLabel>("label_11").font().bold());
        QVERIFY(s.driver.Get<QLabel>("label_10").text().endsWith(QLatin1Char(':')));
    }

    void feedbackButtonsOpenTheConfiguredAddresses()
    {
        const Showcase s;
        ZelTest::ModalScript script;
        const RefCntPtr<IPreferences> preferences = SessionContext::Get().GetIPreferences();
        s.driver.Click("bugButton");
        s.driver.Click("widgetButton");
        preferences->SetValue(TString(WidgetShowcaseDialog::BugReportUrlKey), QStringLiteral("https://tracker.test/b"));
        s.driver.Click("bugButton");
        preferences->SetValue(TString(WidgetShowcaseDialog::BugReportUrlKey), QString());

        QCOMPARE(script.OpenedUrls().size(), 3);
        QVERIFY(script.OpenedUrls()[0].isValid());
        QVERIFY(script.OpenedUrls()[0].toString().contains(QStringLiteral("template=bug")));
        QVERIFY(script.OpenedUrls()[1].toString().contains(QStringLiteral("template=widget-request")));
        QCOMPARE(script.OpenedUrls()[2], QUrl(QStringLiteral("https://tracker.test/b")));
    }

    void documentationShowsAnEntryAndBackShowsEveryRowAgain_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("code");
        for (const QString& entry : kBeta + kInProgress)
            QTest::newRow(qPrintable(entry)) << entry << QString();
        QTest::newRow("Go Button code")
            << QStringLiteral("Go Button")
            << QStringLiteral("#include <QPushButton>\n#include \"utility/UnificationStyle.h\"\n{\n\tauto button = new "
                              "QPushButton(parent);\n\tUnificationButtonStyle::ApplyGreenFilledButtonStyling(*button);"
                              "\n}\n");
        QTest::newRow("dropdown code") << QStringLiteral("Line and Arrow Style Dropdown with No Label")
                                       << QStringLiteral("#include \"utility/UnificationStyle.h\"\n\"#include "
                                                         "\"widgets/ZelvarComboBox.h\"\n{\n\tauto comboBox = new "
                                                         "ZelvarComboBox(nullptr);\n\tcomboBox->SetComboBoxLook("
                                                         "ZelvarComboBox::CBL_Lightweight);\n}\n");
    }

    void documentationShowsAnEntryAndBackShowsEveryRowAgain()
    {
        QFETCH(QString, entry);
        QFETCH(QString, code);
        const Showcase s;
        s.driver.Open();
        s.driver.ShowTab(TabOf(entry));
        const char* display = DisplayOf(entry);
        const auto before = s.Examples(display);

        s.driver.OpenDocumentation(display, entry);
        ShowcaseDisplayWidget& tab = s.driver.Display(display);
        QCOMPARE(tab.CurrentPage(), int(ShowcaseDisplayWidget::DetailsPage));
        ShowcaseWidgetDetails& details = tab.Details();
        QCOMPARE(details.findChild<QLabel*>(QStringLiteral("widgetName"))->text(), entry);
        const QString description = details.findChild<QLabel*>(QStringLiteral("description"))->text();
        QVERIFY(description.startsWith(QStringLiteral("Simple ")));
        QCOMPARE(details.ShownExample(), before.at(entry));
        QVERIFY(details.ShownExample()->isVisible());
        if (!code.isEmpty())
            QCOMPARE(details.findChild<QLabel*>(QStringLiteral("exampleCode"))->text(), code);
        auto* table = details.findChild<QTableWidget*>(QStringLiteral("argumentsTable"));
        auto* note = qobject_cast<QLabel*>(table->cellWidget(0, 0));
        QVERIFY(note);
        QCOMPARE(note->text(), QStringLiteral("No arguments for this widget. Please check Qt documentation."));

        s.driver.Back(display);
        QCOMPARE(tab.CurrentPage(), int(ShowcaseDisplayWidget::WidgetsPage));
        QCOMPARE(s.Examples(display), before);
        for (const auto& [name, example] : before)
            QVERIFY2(example->isVisible(), qPrintable(name));
        QCOMPARE(details.ShownExample(), nullptr);
    }

    // Every example moves row -> details -> new row and back again any number of times: it is never
    // deleted with a row, never deleted twice (the sanitizer build runs this too) and never left
    // without an owner (the leak guard counts windows after the test).
    void everyExampleSurvivesFiftyRoundTrips()
    {
        // Not shown: painting the frame's shadow 800 times would measure the toolkit, not the moves.
        const Showcase s;
        std::map<QString, QPointer<QWidget>> examples;
        for (const char* display : {"enabledWidgets", "disabledWidgets"})
            for (const auto& [name, example] : s.Examples(display))
                examples[name] = example;
        QCOMPARE(examples.size(), std::size_t(8));

        for (const QString& entry : kBeta + kInProgress) {
            s.driver.ShowTab(TabOf(entry));
            const char* display = DisplayOf(entry);
            for (int trip = 0; trip < 50; ++trip) {
                s.driver.OpenDocumentation(display, entry);
                s.driver.Back(display);
            }
            const auto shown = s.Examples(display);
            QCOMPARE(int(shown.size()), kBeta.contains(entry) ? kBeta.size() : kInProgress.size());
            for (const auto& [name, example] : shown)
                QCOMPARE(example, examples.at(name).data());
        }
        for (const auto& [name, example] : examples)
            QVERIFY2(example && qobject_cast<ShowcaseListWidget*>(example->parentWidget()), qPrintable(name));
    }

    void aTabWithoutEntriesSaysSo()
    {
        ShowcaseDisplayWidget tab;
        QCOMPARE(tab.CurrentPage(), int(ShowcaseDisplayWidget::NoWidgetsPage));
        std::vector<ShowcaseWidgetInformation> none;
        tab.SetWidgets(none);
        QCOMPARE(tab.CurrentPage(), int(ShowcaseDisplayWidget::NoWidgetsPage));
        QVERIFY(tab.Rows().empty());
    }
};

QTEST_MAIN(WidgetShowcaseDialogTest)
#include "WidgetShowcaseDialogTest.moc"
