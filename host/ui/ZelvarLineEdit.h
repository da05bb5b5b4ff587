#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QLineEdit>

// The toolkit's single-line edit. A read-only edit takes the window's background, so that a value
// the user can select and copy but not change does not look like an input.
class ZELHOST_UI_EXPORT ZelvarLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit ZelvarLineEdit(QWidget* parent = nullptr);
    ~ZelvarLineEdit() override;

protected:
    bool event(QEvent* event) override;

private:
    void UpdateLook();
};
