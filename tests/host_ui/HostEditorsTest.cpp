#include "host/doc/DataValue.h"
#include "host/doc/TString.h"
#include "host/ui/Clipboard.h"
#include "host/ui/IUberControl.h"
#include "host/ui/MenuButton.h"
#include "host/ui/RichEditWidget.h"
#include "host/ui/UberDropdownCtrlBase.h"
#include "host/ui/UberFormatWidget.h"
#include "tests/support/ZelTestCase.h"

#include <QtGui/QClipboard>
#include <QtTest/QtTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QTextEdit>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

using namespace ZelTest;

namespace {
// The library's drop-down over a pop-up type, reduced to what it relies on: a template (so no
// meta-object of its own) that emits the base's signal when its pop-up reports a change.
template <class T>
class Dropdown : public UberDropdownCtrlBase, public IUberControl
{
public:
    explicit Dropdown(QWidget* parent = nullptr)
        : UberDropdownCtrlBase(parent)
    {
        auto* popup = new T();
        setPopupWidget(popup);
        QObject::connect(popup, &T::UberWidgetChanged, this, [this] {
            emit UberControlChanged();
            update();
        });
    }

    QWidget* GetPopupWidget() const override { return popupWidget(); }
    T* Popup() const { return static_cast<T*>(popupWidget()); }
    QString GetDisplayText() const override { return Popup()->GetDisplayText(); }
};

QListWidgetItem* ItemWithText(QListWidget* list, const QString& prefix)
{
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text().startsWith(prefix))
            return list->item(row);
    }
    return nullptr;
}
} // namespace

class HostEditorsTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void richTextRoundTripsWithoutSignalling()
    {
        RichEditWidget editor(TextStyle(), 0, nullptr);
        QSignalSpy changed(&editor, &RichEditWidget::textChanged);
        QVERIFY(editor.GetFormattedText().GetMarkup().empty());

        editor.SetFormattedText(FormattedText::FromMarkup(TString(L"<p>Plain <b>bold</b> and <i>leaning</i></p>")));
        QCOMPARE(changed.count(), 0);
        const FormattedText read = editor.GetFormattedText();
        QCOMPARE(read.GetPlainText(), TString(L"Plain bold and leaning"));
        QVERIFY(read.GetMarkup().ToQString().contains(QStringLiteral("font-weight")));
        QVERIFY(read.GetMarkup().ToQString().contains(QStringLiteral("font-style:italic")));

        // What the editor hands out reads back the same.
        editor.SetFormattedText(read);
        QCOMPARE(editor.GetFormattedText(), read);
        editor.SetFormattedText(FormattedText());
        QVERIFY(editor.GetFormattedText().GetMarkup().empty());
        QCOMPARE(changed.count(), 0);
    }

    void typingSignalsAndTheToolRowFormats()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* editor = new RichEditWidget(TextStyle(), 0, &window);
        layout->addWidget(editor);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy changed(editor, &RichEditWidget::textChanged);

        auto* text = qobject_cast<QTextEdit*>(editor->GetFirstTabWidget());
        QVERIFY(text);
        QCOMPARE(editor->GetLastTabWidget(), static_cast<QWidget*>(text));
        text->setFocus();
        QTest::keyClicks(text, "ab");
        QVERIFY(changed.count() >= 1);

        const QList<QToolButton*> tools = editor->findChildren<QToolButton*>();
        QCOMPARE(tools.size(), 3);
        QToolButton* bold = nullptr;
        for (QToolButton* tool : tools) {
            QCOMPARE(tool->focusPolicy(), Qt::NoFocus);
            if (tool->text() == QStringLiteral("B"))
                bold = tool;
        }
        QVERIFY(bold);
        QTest::mouseClick(bold, Qt::LeftButton);
        QVERIFY(bold->isChecked());
        QVERIFY(text->hasFocus());
        QTest::keyClicks(text, "cd");
        const QString markup = editor->GetFormattedText().GetMarkup().ToQString();
        QVERIFY2(markup.contains(QRegularExpression(QStringLiteral("font-weight:[67]00;\">cd<"))), qPrintable(markup));
        QCOMPARE(editor->GetFormattedText().GetPlainText(), TString(L"abcd"));

        // The toggle follows the caret back into plain text.
        QTest::keyClick(text, Qt::Key_Home);
        QTest::keyClick(text, Qt::Key_Right);
        QVERIFY(!bold->isChecked());

        QVERIFY(!editor->IsRulerShown());
        editor->SetShowRuler(true);
        QVERIFY(editor->IsRulerShown());
    }

    void dropdownShowsItsPopupUnderItself()
    {
        QWidget window;
        window.resize(300, 200);
        auto* control = new Dropdown<UberFormatWidget>(&window);
        control->setGeometry(20, 30, 150, control->sizeHint().height());
        control->Popup()->SetDataType(DT_REAL);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QVERIFY(!control->IsPopupVisible());
        QTest::mouseClick(control, Qt::LeftButton);
        QVERIFY(control->IsPopupVisible());
        QWidget* popup = control->GetPopupWidget();
        QCOMPARE(popup->windowType(), Qt::Popup);
        QCOMPARE(popup->geometry().topLeft(), control->mapToGlobal(QPoint(0, control->height())));
        QVERIFY(popup->width() >= control->width());
        control->HidePopup();
        QVERIFY(!control->IsPopupVisible());

        control->setFocus();
        QTest::keyClick(control, Qt::Key_F4);
        QVERIFY(control->IsPopupVisible());
        control->HidePopup();
        QTest::keyClick(control, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(control->IsPopupVisible());
        control->HidePopup();

        // The control owns the pop-up, and a new one replaces it.
        QPointer<QWidget> first = popup;
        control->setPopupWidget(new QWidget);
        QVERIFY(first.isNull());
        QPointer<QWidget> second = control->popupWidget();
        delete control;
        QVERIFY(second.isNull());
    }

    void pickingAFormatClosesTheDropdownAndSignals()
    {
        QWidget window;
        auto* control = new Dropdown<UberFormatWidget>(&window);
        control->resize(220, control->sizeHint().height());
        UberFormatWidget* formats = control->Popup();
        QSignalSpy changed(control, &UberDropdownCtrlBase::UberControlChanged);
        formats->SetDataType(DT_REAL);
        formats->SetSampleText(TString(L"1234.5"));
        formats->SetTextFormat(TString(L"n2"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(control->GetDisplayText(), QStringLiteral("Number (2 decimals): 1,234.50"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        control->ShowPopup();
        auto* list = formats->findChild<QListWidget*>();
        QListWidgetItem* currency = ItemWithText(list, QStringLiteral("Currency (2"));
        QVERIFY(currency);
        QCOMPARE(currency->data(Qt::UserRole + 1).toString(), QStringLiteral("$1,234.50"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(currency).center());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(formats->GetTextFormat(), TString(L"c2"));
        QVERIFY(!control->IsPopupVisible());
        QCOMPARE(control->GetDisplayText(), QStringLiteral("Currency (2 decimals): $1,234.50"));

        // Picking the current format again closes without a change.
        control->ShowPopup();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(currency).center());
        QCOMPARE(changed.count(), 1);
        QVERIFY(!control->IsPopupVisible());
    }

    void customFormatsAndSamples()
    {
        UberFormatWidget formats;
        QSignalSpy changed(&formats, &UberFormatWidget::UberWidgetChanged);
        formats.SetDataType(DT_DATE);
        QCOMPARE(formats.GetDataType(), DT_DATE);
        // The host's sample is the value as the current format shows it.
        formats.SetTextFormat(TString(L"MM/dd/yyyy"));
        formats.SetSampleText(TString(L"03/05/2024"));
        auto* list = formats.findChild<QListWidget*>();
        QCOMPARE(list->count(), int(ValueFormat::ChoicesFor(DT_DATE).size()));
        QCOMPARE(list->currentItem()->text(), QStringLiteral("Short date (MM/dd/yyyy)"));
        QCOMPARE(ItemWithText(list, QStringLiteral("Full date"))->data(Qt::UserRole + 1).toString(),
            QStringLiteral("Tuesday, March 5, 2024"));

        formats.SetTextFormat(TString(L"d.M.yy"));
        QVERIFY(!list->currentItem());
        QCOMPARE(formats.GetDisplayText(), QStringLiteral("d.M.yy: 5.3.24"));

        auto* custom = formats.findChild<QLineEdit*>();
        QCOMPARE(custom->text(), QStringLiteral("d.M.yy"));
        custom->setText(QStringLiteral("HH:mm"));
        QTest::keyClick(custom, Qt::Key_Return);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(formats.GetTextFormat(), TString(L"d.M.yy"));
        custom->setText(QStringLiteral("yyyy-MM"));
        QTest::keyClick(custom, Qt::Key_Return);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(formats.GetTextFormat(), TString(L"yyyy-MM"));
        QTest::keyClick(custom, Qt::Key_Return);
        QCOMPARE(changed.count(), 1);

        // A sample that does not parse shows no samples but leaves the choices.
        formats.SetDataType(DT_INTEGER);
        formats.SetSampleText(TString(L"many"));
        QCOMPARE(list->count(), 8);
        QCOMPARE(list->item(1)->data(Qt::UserRole + 1).toString(), QString());
    }

    void menuButtonLeavesRoomForItsArrow()
    {
        MenuButton menuButton(QStringLiteral("Add from Field"));
        QPushButton plain(QStringLiteral("Add from Field"));
        QVERIFY(menuButton.sizeHint().width() > plain.sizeHint().width());
        QCOMPARE(menuButton.sizeHint().height(), plain.sizeHint().height());
        QSignalSpy clicked(&menuButton, &QPushButton::clicked);
        menuButton.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menuButton));
        QTest::mouseClick(&menuButton, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(!menuButton.grab().isNull());
    }

    void clipboardTextAndMarkup()
    {
        QGuiApplication::clipboard()->clear();
        TString text(L"left over");
        QVERIFY(!Clipboard::PasteTextFromClipboard(text, Clipboard::MimeType::text));
        QVERIFY(text.empty());

        Clipboard::CopyTextToClipboard(TString(L"alpha\nbeta"), Clipboard::MimeType::text);
        QVERIFY(Clipboard::PasteTextFromClipboard(text, Clipboard::MimeType::text));
        QCOMPARE(text, TString(L"alpha\nbeta"));
        text = TString(L"x");
        QVERIFY(!Clipboard::PasteTextFromClipboard(text, Clipboard::MimeType::html));
        QVERIFY(text.empty());

        Clipboard::CopyTextToClipboard(TString(L"<b>bold</b> move"), Clipboard::MimeType::html);
        QVERIFY(Clipboard::PasteTextFromClipboard(text, Clipboard::MimeType::html));
        QVERIFY(text.ToQString().contains(QStringLiteral("<b>bold</b>")));
        QVERIFY(Clipboard::PasteTextFromClipboard(text, Clipboard::MimeType::text));
        QCOMPARE(text, TString(L"bold move"));
        QGuiApplication::clipboard()->clear();
    }
};

QTEST_MAIN(HostEditorsTest)

#include "HostEditorsTest.moc"
