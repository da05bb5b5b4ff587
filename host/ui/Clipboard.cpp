#include "host/ui/Clipboard.h"

#include "host/doc/TString.h"

#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QTextDocumentFragment>

bool Clipboard::PasteTextFromClipboard(TString& text, MimeType type)
{
    text = TString();
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data)
        return false;
    if (type == MimeType::html) {
        if (!data->hasHtml())
            return false;
        text = TString(data->html());
        return true;
    }
    if (!data->hasText())
        return false;
    text = TString(data->text());
    return true;
}

void Clipboard::CopyTextToClipboard(const TString& text, MimeType type)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    auto* data = new QMimeData;
    if (type == MimeType::html) {
        data->setHtml(text.ToQString());
        // Applications that take no markup still get the words.
        data->setText(QTextDocumentFragment::fromHtml(text.ToQString()).toPlainText());
    } else {
        data->setText(text.ToQString());
    }
    clipboard->setMimeData(data);
}
