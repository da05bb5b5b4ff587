// The workbook recovery dialog over the demo's own folder of recovered copies, and the certificate
// picker over a handful of names.

#include "../DemoEnvironment.h"
#include "../DemoScenario.h"

#include "host/doc/AutosaveFilePresModel.h"
#include "host/doc/AutosaveNamingUtil.h"
#include "host/ui/TMessageBox.h"
#include "main/dialogs/AutosaveFileRecoverDialog.h"
#include "main/dialogs/CertificateNamesDialog.h"

#include <QtCore/QFileInfo>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>
#include <QtWidgets/QVBoxLayout>

#include <memory>

using Zel::Sim::AutosaveArea;

namespace {

const TString kSalesPath(L"C:\\Users\\dana\\Documents\\Regional Sales.zwb");

QDateTime At(int day, int hour, int minute)
{
    return QDateTime(QDate(2024, 5, day), QTime(hour, minute), Qt::LocalTime);
}

// Two copies of one saved workbook a day apart, one of a workbook never saved, and two more.
void FillAutosaveFolder(AutosaveArea& area)
{
    area.Clear();
    area.AddCopy(kSalesPath, At(13, 16, 40));
    area.AddCopy(kSalesPath, At(14, 9, 12));
    area.AddCopy(TString(L"Book3"), At(14, 10, 3));
    area.AddCopy(TString(L"C:\\Users\\dana\\Documents\\Inventory Forecast.zwb"), At(14, 8, 5));
    area.AddCopy(TString(L"\\\\fileserver\\finance\\Q3 Budget.zwb"), At(12, 17, 26));
}

// The view's row that shows the copy with `id`, or -1: a row shows a workbook and a time, not an id.
int RowOf(const QTableView& view, const AutosaveArea& area, const TString& id)
{
    for (const RefCntPtr<AutosaveFilePresModel const>& file : area.Copies()) {
        if (file->GetAutosaveFileId() != id)
            continue;
        const QDateTime time = file->GetLastModified().ToQDateTime(false);
        for (int row = 0; row < view.model()->rowCount(); ++row) {
            const QModelIndex name = view.model()->index(row, 0);
            if (name.data(Qt::ToolTipRole).toString() == file->GetOriginalFilePath().ToQString()
                && view.model()->index(row, 1).data().toDateTime() == time)
                return row;
        }
    }
    return -1;
}

// Selects the rows as a user would with Ctrl held, in the order given.
void SelectRows(QTableView& view, const std::vector<int>& rows)
{
    view.selectionModel()->clearSelection();
    for (int row : rows) {
        const QModelIndex index = view.model()->index(row, 0);
        view.selectionModel()->setCurrentIndex(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

QStringList Describe(const std::vector<RefCntPtr<AutosaveFilePresModel const>>& files)
{
    QStringList lines;
    for (const RefCntPtr<AutosaveFilePresModel const>& file : files) {
        const TPath original(file->GetOriginalFilePath());
        const QString from = AutosaveNamingUtil::IsUnsavedWorkbook(original)
            ? QStringLiteral("%1, never saved").arg(original.ToQString())
            : file->GetOriginalFilePath().ToQString();
        lines << QStringLiteral("%1   (%2)").arg(QFileInfo(file->GetRecoveredFilePath().ToQString()).fileName(), from);
    }
    return lines;
}

std::vector<TString> CertificateNames()
{
    return {TString(L"VPN Access 2025"), TString(L"Dana Whitfield"), TString(L"Analytics Gateway"),
        TString(L"Finance Reporting"), TString(L"Build Agent 07")};
}

} // namespace

DemoScenario AutosaveFileRecoverDialogScenario()
{
    return DemoScenario {QStringLiteral("AutosaveFileRecoverDialog"), QStringLiteral("Workbook recovery"),
        [](DemoEnvironment& environment, TourRecorder& tour) {
            AutosaveArea& area = environment.Autosave();
            FillAutosaveFolder(area);
            AutosaveFileRecoverDialog dialog(environment.Host(), nullptr);
            Require(dialog.result() != QDialog::Accepted, "the dialog found no recovered copies");
            auto* view = dialog.findChild<QTableView*>(QStringLiteral("m_fileListView"));
            tour.Step(QStringLiteral("Recovered copies, newest first"), dialog);

            dialog.TrySelectingMostRecentAssociatedRecoveredFile(kSalesPath);
            tour.Step(QStringLiteral("The newest copy of Regional Sales found for the host"), dialog);

            const TString older(L"Regional Sales~autosave.zwb");
            SelectRows(*view, {RowOf(*view, area, older)});
            tour.Step(QStringLiteral("The older copy of Regional Sales selected"), dialog);

            dialog.findChild<QPushButton*>(QStringLiteral("m_deleteButton"))->click();
            Require(!QFileInfo::exists(area.CopyPath(older)), "the deleted copy is still on disk");
            Require(area.Copies().size() == 4, "the other copies did not all stay");
            tour.Step(QStringLiteral("Deleted from the folder; the list reloaded"), dialog);

            SelectRows(*view,
                {RowOf(*view, area, TString(L"Book3~autosave.zwb")),
                    RowOf(*view, area, TString(L"Regional Sales~autosave1.zwb"))});
            tour.Step(QStringLiteral("Two copies selected to open"), dialog);

            dialog.findChild<QDialogButtonBox*>(QStringLiteral("m_buttonBox"))->button(QDialogButtonBox::Open)->click();
            Require(dialog.result() == QDialog::Accepted, "Open did not accept the dialog");
            const auto page
                = ResultPage(QStringLiteral("GetFilesToOpen(), in selection order"), Describe(dialog.GetFilesToOpen()));
            tour.Step(QStringLiteral("What the host opens"), *page);
        },
        [](DemoEnvironment& environment, QWidget* parent) {
            // Copies deleted in an earlier run stay deleted until there are none left.
            if (environment.Autosave().Copies().empty())
                FillAutosaveFolder(environment.Autosave());
            AutosaveFileRecoverDialog dialog(environment.Host(), parent);
            if (dialog.result() != QDialog::Accepted && dialog.exec() != QDialog::Accepted)
                return;
            const QStringList files = Describe(dialog.GetFilesToOpen());
            TMessageBox::Show(
                TString(files.isEmpty() ? QStringLiteral("No recovered copies are left to open.")
                                        : QStringLiteral("The host would open:\n") + files.join(QLatin1Char('\n'))),
                QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, Qt::ApplicationModal, parent);
        }};
}

DemoScenario CertificateNamesDialogScenario()
{
    return DemoScenario {QStringLiteral("CertificateNamesDialog"), QStringLiteral("Certificate picker"),
        [](DemoEnvironment&, TourRecorder& tour) {
            CertificateNamesDialog dialog(CertificateNames(), nullptr);
            tour.Step(QStringLiteral("Names in ascending order, the first one current"), dialog);

            auto* list = dialog.findChild<QListWidget*>(QStringLiteral("certificateListWidget"));
            const QList<QListWidgetItem*> found
                = list->findItems(QStringLiteral("Finance Reporting"), Qt::MatchExactly);
            Require(found.size() == 1, "the list does not show Finance Reporting");
            list->setCurrentItem(found.front());
            tour.Step(QStringLiteral("Another certificate picked"), dialog);

            dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Ok)->click();
            Require(dialog.result() == QDialog::Accepted, "Ok did not accept the dialog");
            const auto page
                = ResultPage(QStringLiteral("GetCertificateName()"), {dialog.GetCertificateName().ToQString()});
            tour.Step(QStringLiteral("What the host reads back"), *page);
        },
        [](DemoEnvironment&, QWidget* parent) {
            CertificateNamesDialog dialog(CertificateNames(), parent);
            if (dialog.exec() != QDialog::Accepted)
                return;
            TMessageBox::Show(TString(QStringLiteral("Chosen certificate: ") + dialog.GetCertificateName().ToQString()),
                QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, Qt::ApplicationModal, parent);
        }};
}
