#pragma once

#include "CommandDispatcher.h"
#include "PresentationModel.h"

#include <functional>
#include <memory>

namespace PresentationLayer {

// Delivers the presentation layer's events to the handlers registered for them. A registration
// lasts while the token RegisterHandler returned is alive; tokens may outlive the manager.
class ZELHOST_DOC_EXPORT NotificationManager
{
public:
    using EventID = int;

    class ZELHOST_DOC_EXPORT IHandleNotifications
    {
    public:
        // `eventId` is the event being delivered; `doc` is the workbook it concerns, if any.
        virtual void Notify(EventID eventId, const RefCntPtr<PresentationModel const>& model, IWorkbookDoc* doc) = 0;
        virtual ~IHandleNotifications();
    };

    NotificationManager();
    ~NotificationManager();
    NotificationManager(const NotificationManager&) = delete;
    NotificationManager& operator=(const NotificationManager&) = delete;

    std::shared_ptr<void> RegisterHandler(EventID eventId, std::shared_ptr<IHandleNotifications> handler);

    // Calls every handler registered for the event, in registration order. A handler may register
    // or unregister handlers while it runs; those changes apply to the next event.
    void Notify(EventID eventId, const RefCntPtr<PresentationModel const>& model, IWorkbookDoc* doc) const;
    std::size_t HandlerCount(EventID eventId) const;

    static NotificationManager* const Instance;

private:
    struct Registry;
    std::shared_ptr<Registry> m_registry;
};

// Where the host's own notification header raises the refusal of a notification without a
// workbook; host logs and crash reports are matched on that place, so the stand-in reports it too.
inline constexpr const char* kNotificationHeaderFile = "host/doc/NotificationManager";
inline constexpr int kMissingDocCheckLine = 127;

// Calls a function with the event's record down-cast to T (empty when the record is of another
// type, and still passed on) and the workbook, which must be given. The down-cast reference is held
// for the length of the call, so the record outlives a function that drops every other reference.
template <typename T>
class NotificationHandlerWithDoc final : public NotificationManager::IHandleNotifications
{
public:
    using Function = std::function<void(const RefCntPtr<T const>&, IWorkbookDoc&)>;
    explicit NotificationHandlerWithDoc(Function f)
        : m_function(std::move(f))
    {
    }

    void Notify(
        NotificationManager::EventID, const RefCntPtr<PresentationModel const>& model, IWorkbookDoc* doc) override
    {
        if (!doc)
            ThrowLogicException(kNotificationHeaderFile, kMissingDocCheckLine, "doc");
        const RefCntPtr<T const> typed = DynamicRefCntCast<T const>(model);
        m_function(typed, *doc);
    }

private:
    Function m_function;
};

// The same without the workbook.
template <typename T>
class NotificationHandler final : public NotificationManager::IHandleNotifications
{
public:
    using Function = std::function<void(const RefCntPtr<T const>&)>;
    explicit NotificationHandler(Function f)
        : m_function(std::move(f))
    {
    }

    void Notify(NotificationManager::EventID, const RefCntPtr<PresentationModel const>& model, IWorkbookDoc*) override
    {
        const RefCntPtr<T const> typed = DynamicRefCntCast<T const>(model);
        m_function(typed);
    }

private:
    Function m_function;
};

} // namespace PresentationLayer
