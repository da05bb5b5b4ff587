#include "ParameterTestSupport.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include "host/ui/DuplicateHighlight.h"
#include "host/ui/SearchableComboBox.h"
#include "main/models/ParameterMemberModel.h"
#include "main/models/ValueComboProxyModel.h"
#include "sim/ParameterListArea.h"
#include "sim/SimHost.h"

#include <QtCore/QMimeData>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QtTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

#include <memory>
#include <random>

using namespace ZelTest;
using namespace ParameterTest;
using Zel::Sim::ListValue;

namespace {

std::vector<ListValue> Listed(const QStringList& values)
{
    std::vector<ListValue> list;
    for (const QString& value : values)
        list.push_back(ListValue {DataValue(TString(value)), TString()});
    return list;
}

// The view and a current-value combo box over the simulated host, opened on a list edit as a
// dialog opens them.
struct SimFixture
{
    SimFixture(DataType type, const std::vector<ListValue>& values, unsigned int current)
        : area(host)
        , combo(&window)
    {
        editId = area.OpenListEdit(type, values, current);
        view = new DroppableView(&window);
        view->Initialize(host, editId);
        tester = std::make_unique<QAbstractItemModelTester>(
            view->GetModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        auto* proxy = new ValueComboProxyModel(&combo);
        proxy->setSourceModel(view->GetModel());
        proxyTester
            = std::make_unique<QAbstractItemModelTester>(proxy, QAbstractItemModelTester::FailureReportingMode::Fatal);
        combo.setModel(proxy, false);
        QObject::connect(Model(), &ParameterMemberModel::FormattedValueChanged,
            [this](const TString& text) { formattedValue = text; });

        const auto list = area.GetListDomain(editId);
        Model()->SetListDomain(list->GetMembers());
        Model()->SetCurrentIndex(list->GetValueIndex());
        Model()->SetHasDuplicates(list->GetHasDuplicates());
        formattedValue = area.FormattedValue(editId);

        view->setGeometry(0, 40, 420, 300);
        combo.setGeometry(0, 0, 200, 28);
        window.resize(420, 340);
        window.show();
        QApplication::setActiveWindow(&window);
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    ParameterMemberModel* Model() const { return view->GetModel(); }
    QModelIndex Index(int row, int column = 0) const { return Model()->index(row, column); }

    // Every member field, the duplicate flag and the current value, as the host holds them and as
    // the model and the combo box show them.
    static QStringList Rows(const std::vector<RefCntPtr<ParameterListDomainMemberPresModel const>>& members)
    {
        QStringList rows;
        for (const auto& m : members)
            rows << QStringLiteral("%1|%2|%3|%4")
                        .arg(m->GetDisplayValue().ToQString(), m->GetAlias().ToQString())
                        .arg(m->GetHasAlias())
                        .arg(m->GetIsDuplicate());
        return rows;
    }
    QStringList HostState() const
    {
        const auto list = area.GetListDomain(editId);
        return Rows(list->GetMembers()) << QStringLiteral("dup %1 current %2 %3")
                                               .arg(list->GetHasDuplicates())
                                               .arg(list->GetValueIndex())
                                               .arg(area.FormattedValue(editId).ToQString());
    }
    QStringList ShownState() const
    {
        const int current = static_cast<int>(Model()->GetCurrentIndex());
        const bool comboInStep = combo.count() == Model()->GetNumberOfDataRows()
            && (combo.count() == 0 || combo.currentIndex() == current);
        return Rows(Model()->GetListDomain()) << QStringLiteral("dup %1 current %2 %3")
                                                     .arg(Model()->HasDuplicates())
                                                     .arg(comboInStep ? current : -1)
                                                     .arg(formattedValue.ToQString());
    }

    // Types into the add-new-item row as a user does: the first key opens the editor, Return commits.
    void Type(const QString& text)
    {
        view->setFocus();
        view->setCurrentIndex(Index(Model()->GetAddNewItemRow()));
        QTest::keyClick(view, text.at(0).toLatin1());
        FinishEditor(text.mid(1));
    }

    // Replaces the text of a cell through its editor.
    void EditCell(int row, int column, const QString& text)
    {
        view->setFocus();
        view->setCurrentIndex(Index(row, column));
        QTest::keyClick(view, Qt::Key_F2);
        QLineEdit* editor = OpenEditor();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        FinishEditor(text);
    }

    QLineEdit* OpenEditor() const
    {
        for (QLineEdit* edit : view->viewport()->findChildren<QLineEdit*>())
            if (edit->isVisible())
                return edit;
        return nullptr;
    }

    void FinishEditor(const QString& rest)
    {
        QLineEdit* editor = OpenEditor();
        QVERIFY(editor);
        QTest::keyClicks(editor, rest);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor commits from the event loop.
        QTRY_VERIFY(!OpenEditor());
    }

    Zel::Sim::SimHost host;
    Zel::Sim::ParameterListArea area;
    QWidget window;
    SearchableComboBox combo;
    DroppableView* view = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester;
    std::unique_ptr<QAbstractItemModelTester> proxyTester;
    unsigned int editId = 0;
    TString formattedValue;
    bool exposed = false;
};

} // namespace

class ParameterListIntegrationTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void typedValuesReachTheHostList()
    {
        SimFixture f(DT_INTEGER, {}, 0);
        QVERIFY(f.exposed);
        QSignalSpy emptiness(f.Model(), &ParameterMemberModel::IsEmptyChanged);
        f.Type(QStringLiteral("10"));
        f.Type(QStringLiteral("20"));
        QCOMPARE(DisplayTexts(f.area.DisplayValues(f.editId)), QStringList({"10", "20"}));
        QCOMPARE(f.ShownState(), f.HostState());
        QCOMPARE(emptiness.count(), 1);
        QCOMPARE(f.combo.currentText(), QStringLiteral("10"));
        // Still on the add-new-item row, ready for the next value.
        QCOMPARE(f.view->currentIndex().row(), f.Model()->GetAddNewItemRow());

        ZelTest::ModalScript beepCounter;
        f.Type(QStringLiteral("abc"));
        f.Type(QStringLiteral("20"));
        QCOMPARE(beepCounter.Beeps(), 2);
        QCOMPARE(f.area.DisplayValues(f.editId).size(), std::size_t(2));
        QCOMPARE(f.ShownState(), f.HostState());
    }

    void editedAliasesMarkDuplicatesEverywhere()
    {
        SimFixture f(DT_STRING, Listed({"a", "b", "c"}), 2);
        QVERIFY(f.exposed);
        f.EditCell(1, ParameterMemberModel::SubitemAlias, QStringLiteral("a"));
        QVERIFY(f.area.HasDuplicates(f.editId));
        QCOMPARE(f.ShownState(), f.HostState());
        QVERIFY(f.Model()->headerData(1, Qt::Horizontal, Qt::DecorationRole).isValid());
        QCOMPARE(f.Model()->data(f.Index(0, 1), Qt::BackgroundRole).value<QColor>(), GetDuplicateBackground());
        QCOMPARE(f.combo.itemText(1), QStringLiteral("a"));

        f.EditCell(1, ParameterMemberModel::SubitemAlias, QString());
        QVERIFY(!f.area.HasDuplicates(f.editId));
        QCOMPARE(f.ShownState(), f.HostState());
        QVERIFY(!f.Model()->headerData(1, Qt::Horizontal, Qt::DecorationRole).isValid());

        // A value the list holds already is refused; another one replaces the value and its mirror.
        ZelTest::ModalScript beepCounter;
        f.EditCell(2, ParameterMemberModel::SubitemValue, QStringLiteral("b"));
        QCOMPARE(beepCounter.Beeps(), 1);
        f.EditCell(2, ParameterMemberModel::SubitemValue, QStringLiteral("d"));
        QCOMPARE(f.Model()->data(f.Index(2, 1)).toString(), QStringLiteral("d"));
        QCOMPARE(f.formattedValue, TString(L"d"));
        QCOMPARE(f.ShownState(), f.HostState());
    }

    void deletedAndMovedRowsKeepTheListInStep()
    {
        SimFixture f(
            DT_INTEGER, {{1, {}}, {2, {}}, {3, {}}, {4, TString(L"four")}, {5, {}}, {6, {}}, {7, {}}, {8, {}}}, 3);
        QVERIFY(f.exposed);
        auto values = [&f] { return DisplayTexts(f.area.DisplayValues(f.editId)); };

        SelectRows(*f.view, {1, 2, 5});
        QTest::keyClick(f.view, Qt::Key_Delete);
        QCOMPARE(values(), QStringList({"1", "4", "5", "7", "8"}));
        QCOMPARE(f.ShownState(), f.HostState());
        QCOMPARE(f.combo.currentText(), QStringLiteral("four"));

        SelectRows(*f.view, {1});
        QTest::keyClick(f.view, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(f.view, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(values(), QStringList({"1", "5", "7", "4", "8"}));
        QCOMPARE(f.view->GetSelectedDataRows(), std::vector<int> {3});
        QCOMPARE(f.ShownState(), f.HostState());

        // Rows 0 and 1 dragged below the last row.
        SelectRows(*f.view, {0, 1});
        std::unique_ptr<QMimeData> mime(f.Model()->mimeData({f.Index(0), f.Index(1)}));
        const QRect last = f.view->visualRect(f.Index(4));
        QDropEvent drop(
            QPoint(last.center().x(), last.bottom() - 1), Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        f.view->dropEvent(&drop);
        QCOMPARE(values(), QStringList({"7", "4", "8", "1", "5"}));
        QCOMPARE(f.view->GetSelectedDataRows(), std::vector<int>({3, 4}));
        QCOMPARE(f.ShownState(), f.HostState());

        // Deleting the current value makes the member that takes its row current.
        SelectRows(*f.view, {1});
        QTest::keyClick(f.view, Qt::Key_Delete);
        QCOMPARE(f.formattedValue, TString(L"8"));
        QCOMPARE(f.ShownState(), f.HostState());
    }

    void anySequenceOfEditsKeepsTheListInStep()
    {
        SimFixture f(DT_STRING, Listed({"a", "b", "c", "d"}), 1);
        f.view->SetSilentMode(true);
        std::mt19937 random(2024);
        auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        auto text = [&pick]() -> QString {
            return QString(QChar('a' + pick(0, 7))) + (pick(0, 1) ? QStringLiteral("x") : QString());
        };

        for (int step = 0; step < 300; ++step) {
            ParameterMemberModel& model = *f.Model();
            const int rows = model.GetNumberOfDataRows();
            const int action = rows == 0 ? 0 : pick(0, 5);
            switch (action) {
            case 0:
                model.AddNewItem(TString(text()));
                break;
            case 1:
                model.UpdateItem(model.index(pick(0, rows - 1), pick(0, 1)), TString(pick(0, 4) ? text() : QString()));
                break;
            case 2:
                model.EraseRow(pick(0, rows - 1));
                break;
            case 3:
            case 4: {
                QItemSelection selection;
                for (int i = pick(1, 3); i > 0; --i) {
                    const int top = pick(0, rows - 1);
                    selection.select(model.index(top, 0), model.index(pick(top, std::min(rows - 1, top + 2)), 1));
                }
                model.MoveItems(selection, pick(-1, rows + 1), pick(0, 1) == 1);
                break;
            }
            default:
                model.OnIndexChanged(pick(0, rows - 1));
                break;
            }
            if (f.ShownState() != f.HostState())
                QFAIL(qPrintable(QStringLiteral("out of step after step %1 (action %2)").arg(step).arg(action)));
        }
    }
};

QTEST_MAIN(ParameterListIntegrationTest)

#include "ParameterListIntegrationTest.moc"
