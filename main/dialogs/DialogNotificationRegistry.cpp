#include "main/dialogs/DialogNotificationRegistry.h"

#include "host/doc/AliasPresModels.h"
#include "host/doc/EventIds.h"
#include "main/dialogs/EditAliasesLauncher.h"

using PresentationLayer::NotificationHandlerWithDoc;
using PresentationLayer::NotificationManager;

DialogNotificationRegistry::DialogNotificationRegistry() = default;
DialogNotificationRegistry::DialogNotificationRegistry(const DialogNotificationRegistry& other) = default;
DialogNotificationRegistry::~DialogNotificationRegistry() = default;
DialogNotificationRegistry& DialogNotificationRegistry::operator=(const DialogNotificationRegistry& other) = default;

void DialogNotificationRegistry::Register()
{
    using Handler = NotificationHandlerWithDoc<EditAliasesEventPresModel>;
    // The manager keeps the handler alive through its own reference; the token ends the subscription.
    auto handler = std::make_shared<Handler>(Handler::Function(&LaunchEditAliasesDialog));
    m_tokens.push_back(NotificationManager::Instance->RegisterHandler(Zel::Events::EditAliases, std::move(handler)));
}
