#include "NotificationManager.h"

#include <mutex>
#include <vector>

namespace PresentationLayer {

struct NotificationManager::Registry
{
    struct Entry
    {
        std::uint64_t key;
        EventID eventId;
        std::shared_ptr<IHandleNotifications> handler;
    };
    mutable std::mutex mutex;
    std::vector<Entry> entries;
    std::uint64_t nextKey = 1;
};

NotificationManager::IHandleNotifications::~IHandleNotifications() = default;

NotificationManager::NotificationManager()
    : m_registry(std::make_shared<Registry>())
{
}

NotificationManager::~NotificationManager() = default;

namespace {
NotificationManager s_manager;
}

NotificationManager* const NotificationManager::Instance = &s_manager;

std::shared_ptr<void> NotificationManager::RegisterHandler(
    EventID eventId, std::shared_ptr<IHandleNotifications> handler)
{
    std::uint64_t key;
    {
        std::lock_guard<std::mutex> lock(m_registry->mutex);
        key = m_registry->nextKey++;
        m_registry->entries.push_back({key, eventId, std::move(handler)});
    }
    // The token holds the registry weakly: a token released after the manager is gone does nothing.
    std::weak_ptr<Registry> weak = m_registry;
    return std::shared_ptr<void>(nullptr, [weak, key](void*) {
        if (auto registry = weak.lock()) {
            std::shared_ptr<IHandleNotifications> released; // destroyed outside the lock
            std::lock_guard<std::mutex> lock(registry->mutex);
            for (auto it = registry->entries.begin(); it != registry->entries.end(); ++it) {
                if (it->key == key) {
                    released = std::move(it->handler);
                    registry->entries.erase(it);
                    break;
                }
            }
        }
    });
}

void NotificationManager::Notify(
    EventID eventId, const RefCntPtr<PresentationModel const>& model, IWorkbookDoc* doc) const
{
    std::vector<std::shared_ptr<IHandleNotifications>> handlers;
    {
        std::lock_guard<std::mutex> lock(m_registry->mutex);
        for (const auto& entry : m_registry->entries)
            if (entry.eventId == eventId)
                handlers.push_back(entry.handler);
    }
    for (const auto& handler : handlers)
        handler->Notify(eventId, model, doc);
}

std::size_t NotificationManager::HandlerCount(EventID eventId) const
{
    std::lock_guard<std::mutex> lock(m_registry->mutex);
    std::size_t n = 0;
    for (const auto& entry : m_registry->entries)
        n += entry.eventId == eventId ? 1 : 0;
    return n;
}

} // namespace PresentationLayer
