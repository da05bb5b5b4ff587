#include "host/ui/DataValueWidget.h"
#include "host/doc/DateTime.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDateEdit>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

using namespace ZelTest;

Q_DECLARE_METATYPE(DataValue)

namespace {
// A window holding the widget between two line edits, shown and active so that focus and the Tab
// key behave as in a dialog.
struct Window
{
    Window()
    {
        auto* layout = new QVBoxLayout(&window);
        before = new QLineEdit(&window);
        after = new QLineEdit(&window);
        // Made last, so its editors start after `after` in the focus chain and only PlaceBetween
        // puts them where they belong.
        widget = new DataValueWidget(&window);
        layout->addWidget(before);
        layout->addWidget(widget);
        layout->addWidget(after);
        widget->SetMinimumDate(DateTimeUtils::MinDateEditDate());
        widget->SetMaximumDate(DateTimeUtils::MaxDateEditDate());
    }

    bool Show()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }

    QWidget window;
    QLineEdit* before = nullptr;
    QLineEdit* after = nullptr;
    DataValueWidget* widget = nullptr;
};

QWidget* Editor(const DataValueWidget& widget)
{
    return widget.focusProxy();
}

template <class T>
T* EditorAs(const DataValueWidget& widget)
{
    return qobject_cast<T*>(widget.focusProxy());
}
} // namespace

class DataValueWidgetTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void valueRoundTripsThroughItsEditor_data()
    {
        QTest::addColumn<DataValue>("value");
        QTest::addColumn<QString>("editorClass");
        QTest::newRow("string") << DataValue(TString(L"Ålesund, 12")) << "QLineEdit";
        QTest::newRow("large integer") << DataValue(1'234'567'890'123LL) << "QLineEdit";
        QTest::newRow("negative integer") << DataValue(-42) << "QLineEdit";
        QTest::newRow("real") << DataValue(0.1) << "QLineEdit";
        QTest::newRow("tiny real") << DataValue(-1.5e-12) << "QLineEdit";
        QTest::newRow("date") << DataValue(QDate(2024, 2, 29)) << "QDateEdit";
        QTest::newRow("date-time") << DataValue(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58))) << "QDateTimeEdit";
        QTest::newRow("true") << DataValue(true) << "QComboBox";
        QTest::newRow("false") << DataValue(false) << "QComboBox";
        for (DataType type : {DT_STRING, DT_INTEGER, DT_REAL, DT_DATE, DT_DATETIME, DT_BOOLEAN})
            QTest::newRow(qPrintable(QStringLiteral("null %1").arg(int(type)))) << DataValue::Null(type) << "";
    }

    void valueRoundTripsThroughItsEditor()
    {
        QFETCH(DataValue, value);
        QFETCH(QString, editorClass);
        DataValueWidget widget;
        widget.SetMinimumDate(DateTimeUtils::MinDateEditDate());
        // Start from another type so that every row switches editor.
        widget.SetValue(value.GetDataType() == DT_BOOLEAN ? DataValue(1) : DataValue(true), true);
        QSignalSpy changed(&widget, &DataValueWidget::changed);
        widget.SetValue(value, true);
        QCOMPARE(widget.GetDataType(), value.GetDataType());
        QCOMPARE(widget.GetValue(), value);
        if (!editorClass.isEmpty())
            QCOMPARE(QString::fromLatin1(Editor(widget)->metaObject()->className()), editorClass);
        if (value.IsNull()) {
            if (auto* edit = EditorAs<QLineEdit>(widget))
                QCOMPARE(edit->text(), QString());
            else if (auto* dateEdit = EditorAs<QDateTimeEdit>(widget))
                QCOMPARE(dateEdit->text().trimmed(), QString());
            else
                QCOMPARE(EditorAs<QComboBox>(widget)->currentText(), QString());
        }
        QCOMPARE(changed.count(), 0);
        QCOMPARE(widget.focusPolicy(), Qt::NoFocus);
    }

    void textEditsSignalOnlyFinishedChanges()
    {
        Window w;
        QVERIFY(w.Show());
        DataValueWidget& widget = *w.widget;
        widget.SetValue(DataValue(12), true);
        QSignalSpy changed(&widget, &DataValueWidget::changed);
        auto* edit = EditorAs<QLineEdit>(widget);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());

        // Leaving an untouched field, or one typed back to what it showed, is no change.
        w.before->setFocus();
        QTRY_VERIFY(w.before->hasFocus());
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "2");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(changed.count(), 0);

        // The validator keeps letters out of a whole number.
        QTest::keyClicks(edit, "3x4");
        QCOMPARE(edit->text(), QStringLiteral("1234"));
        QCOMPARE(changed.count(), 0);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(widget.GetValue(), DataValue(1234));
        // The focus loss after Enter finishes the same edit again.
        w.after->setFocus();
        QTRY_VERIFY(w.after->hasFocus());
        QCOMPARE(changed.count(), 1);

        // Focus loss alone finishes an edit, and an emptied field is the type's null.
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QString());
        w.after->setFocus();
        QTRY_COMPARE(changed.count(), 2);
        QCOMPARE(widget.GetValue(), DataValue::Null(DT_INTEGER));

        // What the owner shows next is the new reference.
        widget.SetValue(DataValue(7), false);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(changed.count(), 2);
    }

    void unparseableTextIsNull()
    {
        DataValueWidget widget;
        widget.SetValue(DataValue(1.5), true);
        EditorAs<QLineEdit>(widget)->setText(QStringLiteral("1e"));
        QCOMPARE(widget.GetValue(), DataValue::Null(DT_REAL));
        EditorAs<QLineEdit>(widget)->setText(QStringLiteral("-2.5e3"));
        QCOMPARE(widget.GetValue(), DataValue(-2500.0));
    }

    void keepsItsEditorWhenNotAdoptingTheType()
    {
        DataValueWidget widget;
        widget.SetValue(DataValue(5), true);
        QWidget* integerEditor = Editor(widget);
        widget.SetValue(DataValue(TString(L"7")), false);
        QCOMPARE(widget.GetDataType(), DT_INTEGER);
        QCOMPARE(Editor(widget), integerEditor);
        QCOMPARE(widget.GetValue(), DataValue(7));
        widget.SetValue(DataValue(TString(L"seven")), false);
        QCOMPARE(widget.GetValue(), DataValue::Null(DT_INTEGER));

        widget.SetValue(DataValue(QDate(2020, 1, 2)), true);
        widget.SetValue(DataValue(QDateTime(QDate(2021, 5, 6), QTime(7, 8))), false);
        QCOMPARE(widget.GetDataType(), DT_DATE);
        QCOMPARE(widget.GetValue(), DataValue(QDate(2021, 5, 6)));
    }

    void datesStayWithinTheLimits()
    {
        DataValueWidget widget;
        widget.SetMinimumDate(QDate(2000, 1, 1));
        widget.SetMaximumDate(QDate(2030, 12, 31));
        widget.SetValue(DataValue(QDate(1990, 6, 1)), true);
        QCOMPARE(widget.GetValue(), DataValue(QDate(2000, 1, 1)));
        widget.SetValue(DataValue(QDate(2050, 6, 1)), true);
        QCOMPARE(widget.GetValue(), DataValue(QDate(2030, 12, 31)));

        auto* dateEdit = EditorAs<QDateEdit>(widget);
        QSignalSpy changed(&widget, &DataValueWidget::changed);
        dateEdit->setDate(QDate(2099, 1, 1));
        QCOMPARE(widget.GetValue(), DataValue(QDate(2030, 12, 31)));
        QCOMPARE(changed.count(), 0);
        // Nothing earlier than the minimum is ever a value: only the blank of a null lies below it.
        dateEdit->setDate(QDate(1800, 1, 1));
        QCOMPARE(widget.GetValue(), DataValue::Null(DT_DATE));
        QCOMPARE(changed.count(), 1);

        widget.SetValue(DataValue(QDateTime(QDate(2040, 1, 1), QTime(12, 0))), true);
        QCOMPARE(widget.GetValue().GetDateTime().date(), QDate(2030, 12, 31));
        // Narrowing the range afterwards pulls the shown value in, silently.
        widget.SetMaximumDate(QDate(2010, 1, 1));
        QCOMPARE(widget.GetValue().GetDateTime().date(), QDate(2010, 1, 1));
        QCOMPARE(changed.count(), 1);
    }

    void pickedDateAndBooleanSignalChanges()
    {
        Window w;
        QVERIFY(w.Show());
        DataValueWidget& widget = *w.widget;
        widget.SetValue(DataValue(QDate(2024, 1, 15)), true);
        QSignalSpy changed(&widget, &DataValueWidget::changed);
        // The calendar sets the date while the editor does not have the focus.
        auto* dateEdit = EditorAs<QDateEdit>(widget);
        dateEdit->setDate(QDate(2024, 1, 20));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(widget.GetValue(), DataValue(QDate(2024, 1, 20)));
        dateEdit->setDate(QDate(2024, 1, 20));
        QCOMPARE(changed.count(), 1);

        // Typing in the editor changes only when the edit is finished.
        dateEdit->setFocus();
        QTRY_VERIFY(dateEdit->hasFocus());
        QTest::keyClick(dateEdit, Qt::Key_Up);
        QCOMPARE(changed.count(), 1);
        QTest::keyClick(dateEdit, Qt::Key_Return);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(widget.GetValue(), DataValue(QDate(2025, 1, 20)));

        widget.SetValue(DataValue(false), true);
        auto* combo = EditorAs<QComboBox>(widget);
        combo->setFocus();
        QTRY_VERIFY(combo->hasFocus());
        QTest::keyClick(combo, Qt::Key_Up);
        QCOMPARE(combo->currentText(), QStringLiteral("True"));
        QCOMPARE(changed.count(), 3);
        QCOMPARE(widget.GetValue(), DataValue(true));
        QTest::keyClick(combo, Qt::Key_Up);
        QCOMPARE(changed.count(), 3);
    }

    void tabChainRunsThroughTheCurrentEditor_data()
    {
        QTest::addColumn<DataValue>("value");
        QTest::newRow("text") << DataValue(TString(L"a"));
        QTest::newRow("integer") << DataValue(1);
        QTest::newRow("date") << DataValue(QDate(2024, 1, 1));
        QTest::newRow("boolean") << DataValue(true);
    }

    void tabChainRunsThroughTheCurrentEditor()
    {
        QFETCH(DataValue, value);
        Window w;
        ITabOrder::PlaceBetween(w.before, *w.widget, w.after);
        QVERIFY(w.Show());
        // The chain is placed once; a later change of type must not need it placed again.
        w.widget->SetValue(DataValue(2.5), true);
        w.widget->SetValue(value, true);
        w.before->setFocus();
        QTRY_VERIFY(w.before->hasFocus());
        QTest::keyClick(w.before, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), Editor(*w.widget));
        // A date editor takes Tab from one section to the next before it lets go.
        for (int i = 0; i < 4 && QApplication::focusWidget() == Editor(*w.widget); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.after));
        QTest::keyClick(w.after, Qt::Key_Backtab);
        QTRY_COMPARE(QApplication::focusWidget(), Editor(*w.widget));
    }
};

QTEST_MAIN(DataValueWidgetTest)

#include "DataValueWidgetTest.moc"
