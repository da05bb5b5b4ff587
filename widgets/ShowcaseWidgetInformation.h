#pragma once

#include "host/doc/TString.h"
#include "main/ZelDialogExport.h"

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include <memory>
#include <vector>

// One argument of a gallery entry's widget, as its details page would list it.
struct ShowcaseWidgetArgument
{
    TString name;
    TString type;
    TString defaultValue;
    TString description;
    bool required = false;
};

// One entry of the widget showcase: a title, a description, example source code, the tab it
// belongs on, and the live example widget.
//
// The example widget exists once for the showcase's lifetime and moves between the places that
// show it; the record says who owns it:
// - a record made with a widget owns it until it is handed out (TakeWidget). The taker puts it into
//   a layout, so its parent widget owns it from then on; the record keeps a guarded pointer to it,
//   and TakeWidget gives that pointer again, so the next place can take the widget over;
// - a copy takes the texts, the beta flag and the widget: what the source owns moves to the copy,
//   and the source keeps the pointer (as if it had handed the widget out). Copies are made while
//   the entries are collected, before any widget is handed out, so exactly one record owns each
//   widget then;
// - an assignment takes the texts and the beta flag only; the widget stays where it was;
// - GiveBackWidget makes a record own a widget again, out of whatever parent held it;
// - a record deletes its widget only while it owns it.
// Arguments are carried by neither copies nor assignments.
class ZELDIALOG_EXPORT ShowcaseWidgetInformation
{
public:
    // Empty texts, no widget, not beta.
    ShowcaseWidgetInformation();
    // Owns `widget` (which has no parent yet); null for an entry without an example.
    ShowcaseWidgetInformation(
        const TString& name, const TString& description, const TString& exampleCode, QWidget* widget, bool isBeta);
    ShowcaseWidgetInformation(const ShowcaseWidgetInformation& other);
    ShowcaseWidgetInformation& operator=(const ShowcaseWidgetInformation& other);
    ~ShowcaseWidgetInformation();

    const TString& GetName() const noexcept { return m_name; }
    const TString& GetDescription() const noexcept { return m_description; }
    const TString& GetExampleCode() const noexcept { return m_exampleCode; }
    const std::vector<ShowcaseWidgetArgument>& GetArguments() const noexcept { return m_arguments; }
    void SetArguments(std::vector<ShowcaseWidgetArgument> arguments) { m_arguments = std::move(arguments); }
    bool IsBeta() const noexcept { return m_isBeta; }

    // The example widget; ownership passes to the caller the first time. Null when there is none
    // (or it has been deleted by whoever owned it).
    QWidget* TakeWidget();
    // Makes this record own `widget` again, taken out of its parent; a record that owns another
    // widget already raises the logic exception. Null changes nothing.
    void GiveBackWidget(QWidget* widget);
    bool OwnsWidget() const noexcept { return m_widget != nullptr; }
    // The example widget, owned or handed out; null when there is none.
    QWidget* PeekWidget() const;

private:
    TString m_name;
    std::vector<ShowcaseWidgetArgument> m_arguments;
    TString m_description;
    TString m_exampleCode;
    // Mutable: a copy moves the ownership out of its source.
    mutable std::unique_ptr<QWidget> m_widget;
    bool m_isBeta = false;
    mutable QPointer<QWidget> m_handedOut;
};
