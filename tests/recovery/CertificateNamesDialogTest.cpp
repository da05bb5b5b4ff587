#include "RecoveryTestSupport.h"

#include "main/dialogs/CertificateNamesDialog.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

namespace {

const std::vector<TString> kNames {TString(L"beta"), TString(L"alpha"), TString(L"gamma")};

QListWidget* List(const QDialog& dialog)
{
    return dialog.findChild<QListWidget*>(QStringLiteral("certificateListWidget"));
}

void Press(const QDialog& dialog, QDialogButtonBox::StandardButton button)
{
    dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(button)->click();
}

} // namespace

class CertificateNamesDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void sortedNamesAndOkTakesTheSelectedOne()
    {
        CertificateNamesDialog dialog(kNames, nullptr);
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
        QCOMPARE(List(dialog)->item(0)->text(), QStringLiteral("alpha"));
        QCOMPARE(List(dialog)->item(2)->text(), QStringLiteral("gamma"));
        QCOMPARE(List(dialog)->selectedItems(), QList<QListWidgetItem*> {List(dialog)->currentItem()});
        Press(dialog, QDialogButtonBox::Ok);
        QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
        QCOMPARE(dialog.GetCertificateName(), TString(L"alpha"));

        CertificateNamesDialog picked(kNames, nullptr);
        List(picked)->setCurrentRow(2);
        Press(picked, QDialogButtonBox::Ok);
        QCOMPARE(picked.GetCertificateName(), TString(L"gamma"));

        // With nothing to choose Ok waits; Cancel leaves no name.
        CertificateNamesDialog empty({}, nullptr);
        empty.show();
        Press(empty, QDialogButtonBox::Ok);
        QVERIFY(empty.isVisible());
        Press(empty, QDialogButtonBox::Cancel);
        QCOMPARE(empty.result(), static_cast<int>(QDialog::Rejected));
        QVERIFY(empty.GetCertificateName().empty());
    }

    void doubleClickAcceptsAtOnce()
    {
        CertificateNamesDialog dialog(kNames, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        RecoveryTest::DoubleClick(
            List(dialog)->viewport(), List(dialog)->visualItemRect(List(dialog)->item(1)).center());
        QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
        QCOMPARE(dialog.GetCertificateName(), TString(L"beta"));
    }
};

QTEST_MAIN(CertificateNamesDialogTest)

#include "CertificateNamesDialogTest.moc"
