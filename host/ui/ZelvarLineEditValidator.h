#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtGui/QValidator>

// The toolkit's validator of a line edit. The edit asks it on every change of its text, and again
// when the edit is left or Return is pressed: Acceptable lets the text stand, Intermediate lets the
// user go on typing but does not finish the edit (no editingFinished), and Invalid refuses a
// keystroke. A subclass usually looks at the edit's whole state, not only the text it is handed.
class ZELHOST_UI_EXPORT ZelvarLineEditValidator : public QValidator
{
    Q_OBJECT

public:
    explicit ZelvarLineEditValidator(QObject* parent = nullptr);
    ~ZelvarLineEditValidator() override;

    // Leaves the text as typed: the toolkit never rewrites what the user wrote.
    void fixup(QString& input) const override;
};
