#include "host/doc/EventIds.h"
#include "host/doc/Parameters.h"
#include "main/RegisterPresModelHandlers.h"
#include "main/dialogs/DialogNotificationRegistry.h"

#include <cstdio>
#include <cstring>

static int Fail(const char* what)
{
    std::fprintf(stderr, "consumer: %s\n", what);
    return 1;
}

int main()
{
    RegisterPresModelHandlers();

    const long liveAtStart = RefCntObject::LiveInstanceCount();
    {
        RefCntPtr<ContextParameters> parameters = ContextParameters::Create();
        SetValParameter(*parameters, 7, 42);
        const ValParameter<int>* value = AsValParameter<int>(parameters->GetParameter(7));
        if (!value || value->GetValue() != 42)
            return Fail("a value set in a ContextParameters did not read back");
    }
    if (RefCntObject::LiveInstanceCount() != liveAtStart)
        return Fail("counted objects outlived their last reference");
    // After the count: the stand-in for a missing parameter is a lasting counted static.
    if (AsValParameter<int>(ContextParameters::Create()->GetParameter(8)))
        return Fail("a missing parameter read as a value");

    // The host's start-up: the dialogs that open from its events are subscribed while the registry lives.
    {
        using PresentationLayer::NotificationManager;
        const std::size_t before = NotificationManager::Instance->HandlerCount(Zel::Events::EditAliases);
        DialogNotificationRegistry registry;
        registry.Register();
        if (NotificationManager::Instance->HandlerCount(Zel::Events::EditAliases) != before + 1)
            return Fail("the registry did not subscribe the edit-aliases event");
    }

    const char* version = ZelDialogVersion();
    if (!version || std::strcmp(version, ZEL_EXPECTED_VERSION) != 0)
        return Fail("library version differs from the package version");
    std::printf("zeldialog %s found and linked\n", version);
    return 0;
}
