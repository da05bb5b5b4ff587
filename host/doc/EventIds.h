#pragma once

// The names of the presentation layer's event ids, declared from the one table of events:
// manager.RegisterHandler(Zel::Events::EditAliases, handler).

#include "host/doc/NotificationManager.h"

namespace Zel::Events {
#define ZEL_EVENT(Name, Id) inline constexpr PresentationLayer::NotificationManager::EventID Name = Id;
#include "host/doc/EventIds.inc"
#undef ZEL_EVENT
} // namespace Zel::Events
