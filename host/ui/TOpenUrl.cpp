#include "host/ui/TOpenUrl.h"

#include "host/ui/IModalPresenter.h"

bool TOpenUrl(const QUrl& url)
{
    return GetModalPresenter().OpenUrl(url);
}
