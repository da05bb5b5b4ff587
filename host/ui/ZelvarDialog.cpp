#include "host/ui/ZelvarDialog.h"

#include "host/doc/Preferences.h"

#include <QtCore/QPointer>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QScreen>
#include <QtGui/QShowEvent>
#include <QtWidgets/QLayout>

#include <algorithm>
#include <vector>

namespace {
// The dialogs inside exec(name), innermost last. GUI thread only.
std::vector<QPointer<ZelvarDialog>>& ExecutingDialogs()
{
    static std::vector<QPointer<ZelvarDialog>> dialogs;
    return dialogs;
}

// A place is usable while some screen shows enough of the top of the window to grab it.
bool IsReachable(const QPoint& position, const QSize& size)
{
    const int grab = 16;
    const QRect top(position, QSize(std::max(size.width(), grab), grab));
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->availableGeometry().intersected(top);
        if (shown.width() >= grab && shown.height() >= grab / 2)
            return true;
    }
    return false;
}
} // namespace

ZelvarDialog::ZelvarDialog(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
}

ZelvarDialog::~ZelvarDialog() = default;

int ZelvarDialog::exec()
{
    return QDialog::exec();
}

int ZelvarDialog::exec(const QString& name)
{
    // Undone however the run ends: a dialog may raise a failure of its run from exec().
    struct Entry
    {
        ZelvarDialog* dialog;
        QPointer<ZelvarDialog> self;
        QString outerName;
        ~Entry()
        {
            auto& dialogs = ExecutingDialogs();
            // Also drops entries of dialogs destroyed while they ran.
            dialogs.erase(std::remove_if(dialogs.begin(), dialogs.end(),
                              [this](const QPointer<ZelvarDialog>& d) { return d.isNull() || d.data() == dialog; }),
                dialogs.end());
            if (self)
                self->m_execName = outerName;
        }
    };
    const Entry entry {this, this, m_execName};
    m_execName = name;
    ExecutingDialogs().emplace_back(this);
    return exec();
}

ZelvarDialog* ZelvarDialog::FindExecutingDialog(const QString& name)
{
    const auto& dialogs = ExecutingDialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
        if (*it && (*it)->m_execName == name)
            return it->data();
    }
    return nullptr;
}

void ZelvarDialog::done(int result)
{
    // Before QDialog hides the window: a dialog whose window was hidden some other way first (its
    // parent minimised) still has the place the user gave it.
    RememberLastPlace();
    QDialog::done(result);
}

void ZelvarDialog::setVisible(bool visible)
{
    if (visible && !isVisible() && !m_beforeShowDone)
        RestoreLastPlace();
    QDialog::setVisible(visible);
    if (visible && m_afterShowPending && isVisible()) {
        m_afterShowPending = false;
        const bool first = !m_afterShowDone;
        m_afterShowDone = true;
        HandleAfterShow(first);
    }
}

bool ZelvarDialog::IsSizeFixed() const
{
    if (windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint))
        return true;
    if (layout() && layout()->sizeConstraint() == QLayout::SetFixedSize)
        return true;
    return minimumSize() == maximumSize();
}

void ZelvarDialog::SetUseLastPlace(const TString& key, bool usePlace, bool useSize)
{
    m_lastPlaceKey = key;
    m_useLastPosition = usePlace;
    m_useLastSize = useSize;
}

TString ZelvarDialog::LastPositionKey(const TString& key)
{
    return TString(L"dialog.lastplace.") + key + TString(L".position");
}

TString ZelvarDialog::LastSizeKey(const TString& key)
{
    return TString(L"dialog.lastplace.") + key + TString(L".size");
}

void ZelvarDialog::RestoreLastPlace()
{
    if (m_lastPlaceKey.empty() || !(m_useLastPosition || m_useLastSize))
        return;
    const RefCntPtr<IPreferences> preferences = SessionContext::Get().GetIPreferences();
    QSize size = this->size();
    if (m_useLastSize) {
        const QVariant stored = preferences->GetValue(LastSizeKey(m_lastPlaceKey));
        if (stored.canConvert<QSize>()) {
            const QSize wanted = stored.toSize().expandedTo(minimumSize()).boundedTo(maximumSize());
            if (wanted.isValid() && !IsSizeFixed()) {
                resize(wanted);
                size = wanted;
            }
        }
    }
    if (m_useLastPosition) {
        const QVariant stored = preferences->GetValue(LastPositionKey(m_lastPlaceKey));
        if (stored.canConvert<QPoint>() && IsReachable(stored.toPoint(), size))
            move(stored.toPoint());
    }
}

void ZelvarDialog::RememberLastPlace()
{
    // hideEvent comes after the window stopped counting as visible; a dialog never shown has no
    // place of the user's to keep.
    if (m_lastPlaceKey.empty() || !m_beforeShowDone)
        return;
    const RefCntPtr<IPreferences> preferences = SessionContext::Get().GetIPreferences();
    if (m_useLastPosition)
        preferences->SetValue(LastPositionKey(m_lastPlaceKey), pos());
    if (m_useLastSize)
        preferences->SetValue(LastSizeKey(m_lastPlaceKey), size());
}

void ZelvarDialog::showEvent(QShowEvent* event)
{
    // A spontaneous show is the window system restoring a window that was already up.
    if (!event->spontaneous()) {
        const bool first = !m_beforeShowDone;
        m_beforeShowDone = true;
        m_afterShowPending = true;
        HandleBeforeShow(first);
    }
    QDialog::showEvent(event);
}

void ZelvarDialog::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        RememberLastPlace();
    QDialog::hideEvent(event);
}

void ZelvarDialog::keyPressEvent(QKeyEvent* event)
{
    // The dialogs chain here; Escape rejects and Return presses the default button as in QDialog.
    QDialog::keyPressEvent(event);
}

void ZelvarDialog::HandleBeforeShow(bool)
{
}

void ZelvarDialog::HandleAfterShow(bool)
{
}
