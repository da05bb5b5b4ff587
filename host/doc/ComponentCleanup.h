#pragma once

#include "CommandDispatcher.h"
#include "SimpleCommandsPresModel.h"

#include <memory>
#include <vector>

// Owns the host's clean-up commands for one host-side edit. Unless Discard() was called, the
// destructor sends every command of every list, lists in the order they were added. A clean-up
// that fails is logged, never thrown: it runs while its owner is being destroyed.
class ZELHOST_DOC_EXPORT ComponentCleanup
{
public:
    explicit ComponentCleanup(
        const ICommandDispatcher& dispatcher, RefCntPtr<SimpleCommandsPresModel const> commands = {});
    // For owners that share the dispatcher: keeps it alive until the clean-up has run.
    explicit ComponentCleanup(
        std::shared_ptr<ICommandDispatcher const> dispatcher, RefCntPtr<SimpleCommandsPresModel const> commands = {});
    ComponentCleanup(const ComponentCleanup&) = delete;
    ComponentCleanup& operator=(const ComponentCleanup&) = delete;
    ~ComponentCleanup();

    void AddCommand(RefCntPtr<SimpleCommandsPresModel const> commands);
    void Discard() noexcept { m_discarded = true; }
    bool IsDiscarded() const noexcept { return m_discarded; }
    std::size_t CommandCount() const noexcept;

private:
    std::shared_ptr<ICommandDispatcher const> m_sharedDispatcher;
    const ICommandDispatcher& m_dispatcher;
    std::vector<RefCntPtr<SimpleCommandsPresModel const>> m_lists;
    bool m_discarded = false;
};
