#pragma once

#include "host/doc/TString.h"
#include "host/ui/ZelvarDialog.h"
#include "main/ZelDialogExport.h"

#include <memory>
#include <vector>

class QListWidgetItem;

namespace Ui {
class CertificateNamesDialog;
}

// Lets the user choose one of the certificate names that the host passes in, listed in ascending
// order with the first one current. Ok or a double-click on a name accepts with that name, which
// the host reads back with GetCertificateName(); Cancel or the close button leaves it empty. Sends
// no commands. The dialog owns its form.
class ZELDIALOG_EXPORT CertificateNamesDialog : public ZelvarDialog
{
    Q_OBJECT

public:
    CertificateNamesDialog(const std::vector<TString>& names, QWidget* parent);
    ~CertificateNamesDialog() override;

    TString GetCertificateName() const;

private slots:
    void OnOk();
    void ItemPicked(QListWidgetItem* item);

private:
    std::unique_ptr<Ui::CertificateNamesDialog> m_ui;
    TString m_certificateName;
};
