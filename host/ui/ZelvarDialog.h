#pragma once

#include "host/doc/TString.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QDialog>

// Base of every dialog of the host and its libraries. Adds to QDialog:
// - hooks around showing: HandleBeforeShow runs from showEvent, before the window appears, with the
//   layout already in place (sizes are known); HandleAfterShow runs once the window is up. Both get
//   whether this is the dialog's first showing;
// - an optional place remembered per key in the host's preferences (SetUseLastPlace);
// - a name under which a modal run can be found while it lasts (exec(name)).
class ZELHOST_UI_EXPORT ZelvarDialog : public QDialog
{
    Q_OBJECT

public:
    ZelvarDialog(QWidget* parent, Qt::WindowFlags flags);
    ~ZelvarDialog() override;

    // Declared here as well, since the named overload would hide it.
    int exec() override;
    // Runs the dialog modally; while it runs, FindExecutingDialog(name) answers it.
    int exec(const QString& name);
    void done(int result) override;
    void setVisible(bool visible) override;

    // Whether the user cannot resize the dialog: the fixed-size window hint, a layout that fixes
    // the size, or equal minimum and maximum sizes.
    bool IsSizeFixed() const;

    // With usePlace, the dialog is put where it last was, under `key`, when it is first shown, and
    // its position is stored under `key` when it closes; useSize does the same for its size. A
    // stored place that no screen shows any more is ignored. An empty key stores nothing.
    void SetUseLastPlace(const TString& key, bool usePlace, bool useSize);
    // The preference keys under which the position and size of `key` are stored.
    static TString LastPositionKey(const TString& key);
    static TString LastSizeKey(const TString& key);

    // The name given to the exec(name) that is running this dialog now, else empty.
    const QString& GetExecName() const { return m_execName; }
    // The innermost dialog running under `name`, or null.
    static ZelvarDialog* FindExecutingDialog(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    virtual void HandleBeforeShow(bool firstTime);
    virtual void HandleAfterShow(bool firstTime);

private:
    void RestoreLastPlace();
    void RememberLastPlace();

    TString m_lastPlaceKey;
    bool m_useLastPosition = false;
    bool m_useLastSize = false;
    bool m_beforeShowDone = false;
    bool m_afterShowDone = false;
    // Set by showEvent, consumed by setVisible once the window is up.
    bool m_afterShowPending = false;
    QString m_execName;
};
