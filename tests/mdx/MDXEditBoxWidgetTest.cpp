#include "widgets/MDXEditBoxWidget.h"
#include "host/doc/Exceptions.h"
#include "host/doc/ResourceIds.h"
#include "host/doc/StringIds.h"
#include "host/ui/ScintillaEditBox.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <functional>

using namespace ZelTest;

namespace {

// An owner that records what the edit box asks of it and answers as scripted.
class ScriptedOwner : public MDXEditBoxWidget::IMDXEditBoxWidgetNotify
{
public:
    void OnFormulaChanged(MDXEditBoxWidget* sender) override
    {
        changes << sender->GetFormula().ToQString();
        senders << sender;
        if (onChanged)
            onChanged();
    }
    TString ValidateFormula(const TString& formula) override
    {
        validated << formula.ToQString();
        return answer;
    }

    QStringList changes;
    QList<MDXEditBoxWidget*> senders;
    QStringList validated;
    TString answer;
    std::function<void()> onChanged;
};

// The edit box between two line edits in a window, as the calculated members dialog holds it.
struct Form
{
    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        before = new QLineEdit(&window);
        box = new MDXEditBoxWidget(&window);
        after = new QLineEdit(&window);
        layout->addWidget(before);
        layout->addWidget(box);
        layout->addWidget(after);
        editor = box->findChild<ScintillaEditBox*>(QStringLiteral("m_edtFormula"));
        check = box->findChild<QPushButton*>(QStringLiteral("m_btnCheckFormula"));
        clear = box->findChild<QPushButton*>(QStringLiteral("m_btnClearFormula"));
        icon = box->findChild<QPushButton*>(QStringLiteral("m_iconErrors"));
        message = box->findChild<QLabel*>(QStringLiteral("m_staticErrors"));
    }

    // Sets the scripted owner in place, for a cube of `cube`'s name.
    ScriptedOwner& Notify(const TString& cube = TString())
    {
        box->SetNotify(&owner, cube);
        return owner;
    }

    void ShowActive()
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    // The icon button shows the image of `id` (or none for 0).
    bool ShowsIcon(QtZelResourceId id) const
    {
        if (id == 0)
            return icon->icon().isNull();
        const QIcon expected(LookupDefaultQtZelRes(id).ToQString());
        return !icon->icon().isNull()
            && icon->icon().pixmap(QSize(32, 32)).toImage() == expected.pixmap(QSize(32, 32)).toImage();
    }

    ScriptedOwner owner;
    QWidget window;
    QLineEdit* before = nullptr;
    MDXEditBoxWidget* box = nullptr;
    QLineEdit* after = nullptr;
    ScintillaEditBox* editor = nullptr;
    QPushButton* check = nullptr;
    QPushButton* clear = nullptr;
    QPushButton* icon = nullptr;
    QLabel* message = nullptr;
};

} // namespace

class MDXEditBoxWidgetTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void formWrapsWordsAndHoldsItsSize()
    {
        Form form;
        QVERIFY(form.editor && form.check && form.clear && form.icon && form.message);
        QCOMPARE(form.editor->wrapMode(), QsciScintilla::WrapWord);
        QCOMPARE(form.box->minimumSize(), QSize(668, 185));
        QCOMPARE(form.box->maximumHeight(), 190);
        QCOMPARE(form.message->size(), QSize(470, 50));
        QCOMPARE(form.check->text(), QStringLiteral("Check Formula"));
        QCOMPARE(form.clear->text(), QStringLiteral("Clear"));
        QCOMPARE(form.icon->focusPolicy(), Qt::NoFocus);
    }

    void emptyFormulaIsRefusedWithoutAskingTheOwner()
    {
        Form form;
        ScriptedOwner& owner = form.Notify(TString(L"Orders Cube"));
        form.ShowActive();
        form.after->setFocus();

        QTest::mouseClick(form.check, Qt::LeftButton);
        QCOMPARE(form.message->text(), LookupTStr(Zel::Strings::EmptyFormula).ToQString());
        QVERIFY(form.ShowsIcon(Zel::Icons::Error));
        QVERIFY(form.editor->hasFocus());
        QVERIFY(owner.validated.isEmpty());

        TString error(L"stale");
        QVERIFY(!form.box->CheckFormula(error));
        QCOMPARE(error, LookupTStr(Zel::Strings::EmptyFormula));
        QVERIFY(owner.validated.isEmpty());
    }

    void checkShowsTheOwnersVerdictAndAKeystrokeClearsIt()
    {
        Form form;
        ScriptedOwner& owner = form.Notify(TString(L"Orders Cube"));
        form.ShowActive();
        form.box->SetFormula(TString(L"[Measures].[Profit] / [Measures].[Sales]"));

        QTest::mouseClick(form.check, Qt::LeftButton);
        QCOMPARE(owner.validated, QStringList {"[Measures].[Profit] / [Measures].[Sales]"});
        QCOMPARE(form.message->text(), LookupTStr(Zel::Strings::ValidFormula).ToQString());
        QVERIFY(form.ShowsIcon(Zel::Icons::Success));

        form.editor->setFocus();
        form.editor->SetSelection(-1, 0);
        QTest::keyClicks(form.editor->viewport(), QStringLiteral("("));
        QVERIFY(form.message->text().isEmpty());
        QVERIFY(form.ShowsIcon(0));

        owner.answer = TString(L"line 1, column 2: expected ')'");
        form.after->setFocus();
        QTest::mouseClick(form.check, Qt::LeftButton);
        QCOMPARE(form.message->text(), QStringLiteral("line 1, column 2: expected ')'"));
        QVERIFY(form.ShowsIcon(Zel::Icons::Error));
        QVERIFY(form.editor->hasFocus());
    }

    void ownerErrorsMayLeaveTheFocusAlone()
    {
        Form form;
        form.Notify();
        form.ShowActive();
        form.before->setFocus();
        form.box->ShowError(TString(L"The name is empty."), false);
        QVERIFY(form.before->hasFocus());
        QCOMPARE(form.message->text(), QStringLiteral("The name is empty."));
        QVERIFY(form.ShowsIcon(Zel::Icons::Error));
        form.box->ClearMessage();
        QVERIFY(form.message->text().isEmpty());
        QVERIFY(form.ShowsIcon(0));
    }

    void clearEmptiesTheEditorAndTheMessageAndTellsTheOwner()
    {
        Form form;
        ScriptedOwner& owner = form.Notify();
        form.box->SetFormula(TString(L"1 +"));
        form.box->ShowError(TString(L"line 1, column 4: expected an expression"), false);
        owner.changes.clear();
        owner.senders.clear();

        QTest::mouseClick(form.clear, Qt::LeftButton);
        QVERIFY(form.box->GetFormula().empty());
        QVERIFY(form.message->text().isEmpty());
        QVERIFY(form.ShowsIcon(0));
        QCOMPARE(owner.changes, QStringList {QString()});
        QCOMPARE(owner.senders, QList<MDXEditBoxWidget*> {form.box});
    }

    void caretStaysWhereTheEditLeftIt_data()
    {
        QTest::addColumn<int>("ownerAction");
        QTest::newRow("owner moves the focus") << 0;
        QTest::newRow("owner selects the whole formula") << 1;
        QTest::newRow("owner moves the caret to the end") << 2;
        QTest::newRow("owner refreshes a sibling and the window") << 3;
    }

    void caretStaysWhereTheEditLeftIt()
    {
        QFETCH(int, ownerAction);
        Form form;
        ScriptedOwner& owner = form.Notify();
        form.box->SetFormula(TString(L"[Measures].[Sales] * 2"));
        form.ShowActive();
        owner.changes.clear();
        owner.onChanged = [&] {
            switch (ownerAction) {
            case 0:
                form.after->setFocus();
                break;
            case 1:
                form.editor->selectAll();
                break;
            case 2:
                form.editor->SetSelection(-1, 1000);
                break;
            default:
                form.before->setText(form.box->GetFormula().ToQString());
                form.window.repaint();
                break;
            }
        };
        form.editor->setFocus();
        form.editor->SetSelection(-1, 11);
        QTest::keyClicks(form.editor->viewport(), QStringLiteral("x"));
        QCOMPARE(form.box->GetFormula(), TString(L"[Measures].x[Sales] * 2"));
        QCOMPARE(form.editor->GetCaretPosition(), 12);
        QVERIFY(!form.editor->hasSelectedText());
        QCOMPARE(owner.changes.size(), 1);

        QTest::keyClick(form.editor->viewport(), Qt::Key_Backspace);
        QTest::keyClick(form.editor->viewport(), Qt::Key_Backspace);
        QTest::keyClick(form.editor->viewport(), Qt::Key_Delete);
        QCOMPARE(form.box->GetFormula(), TString(L"[Measures]Sales] * 2"));
        QCOMPARE(form.editor->GetCaretPosition(), 10);
        QVERIFY(!form.editor->hasSelectedText());
        QCOMPARE(owner.changes.size(), 4);
    }

    void beforeSetNotifyEditsOnlyClearTheMessage()
    {
        Form form;
        form.box->ShowError(TString(L"old"), false);
        form.box->SetFormula(TString(L"1"));
        QVERIFY(form.message->text().isEmpty());
        TString error;
        QVERIFY_EXCEPTION_THROWN(form.box->CheckFormula(error), LogicException);
        QTest::mouseClick(form.check, Qt::LeftButton);
        QVERIFY(form.message->text().isEmpty());
    }

    void tabRunsThroughTheTwoButtonsOnly()
    {
        Form form;
        form.box->SetTabOrder(form.before, form.after);
        QCOMPARE(form.box->GetFirstTabWidget(), form.check);
        QCOMPARE(form.box->GetLastTabWidget(), form.clear);
        form.ShowActive();
        form.before->setFocus();
        QList<QWidget*> visited;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        QCOMPARE(visited, (QList<QWidget*> {form.check, form.clear, form.after}));
    }
};

QTEST_MAIN(MDXEditBoxWidgetTest)
#include "MDXEditBoxWidgetTest.moc"
