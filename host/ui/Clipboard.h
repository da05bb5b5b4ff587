#pragma once

#include "host/ui/ZelHostUiExport.h"

class TString;

// The system clipboard as the host's editors use it: plain text or rich-text markup.
class ZELHOST_UI_EXPORT Clipboard
{
public:
    enum class MimeType
    {
        text,
        html,
    };

    // False, with an empty text, when the clipboard holds nothing of that type.
    static bool PasteTextFromClipboard(TString& text, MimeType type);
    static void CopyTextToClipboard(const TString& text, MimeType type);
};
