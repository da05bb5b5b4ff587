#pragma once

#include "main/ZelDialogExport.h"

#include <memory>
#include <vector>

// The library's subscriptions to the host's notifications: an edit-aliases event runs the
// edit-aliases dialog on the event's workbook (LaunchEditAliasesDialog). The host owns one registry,
// calls Register() once at start-up and destroys the registry at shut-down, which ends the
// subscriptions. A copy shares the subscriptions: they last while any copy holds them.
class ZELDIALOG_EXPORT DialogNotificationRegistry
{
public:
    DialogNotificationRegistry();
    DialogNotificationRegistry(const DialogNotificationRegistry& other);
    ~DialogNotificationRegistry();
    DialogNotificationRegistry& operator=(const DialogNotificationRegistry& other);

    // Subscribes the library's events. Calling it again subscribes them again.
    void Register();

private:
    std::vector<std::shared_ptr<void>> m_tokens;
};
