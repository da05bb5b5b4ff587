#pragma once

#include <QtCore/QString>
#include <QtCore/QVariant>
#include <QtWidgets/QWidget>

#include <stdexcept>
#include <typeinfo>

namespace Zel::Drivers {

// A control that is not where the driver looks for it: a form changed under its drivers.
class DriverError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Drives a dialog or widget through its controls, found by object name among its children (a
// button group, which is no widget, too). Names are the forms' object names, written as plain
// literals at the call sites. Every action is one a user could take: clicking,
// typing with key events, picking a combo box entry, leaving a field. A missing control, or one
// of another class, raises DriverError naming both.
class FormDriver
{
public:
    explicit FormDriver(QWidget& root);

    QWidget& Root() const noexcept { return m_root; }

    // By dynamic type, so that a class without a meta-object of its own (a template combo box, a
    // drop-down) is found as itself.
    template <typename T>
    T& Get(const char* objectName) const
    {
        QObject* object = m_root.findChild<QObject*>(QLatin1String(objectName));
        T* found = dynamic_cast<T*>(object);
        if (!found)
            Missing(objectName, typeid(T), object);
        return *found;
    }

    // Clicks a button (push, radio, check or tool button).
    void Click(const char* button) const;
    // Replaces a line edit's text by typing it, without leaving the field.
    void Type(const char* lineEdit, const QString& text) const;
    // Leaves a line edit, which finishes its edit.
    void Leave(const char* lineEdit) const;
    // Types into a value widget's editor and leaves the field, which finishes the edit (Return
    // would also press the dialog's default button).
    void Enter(const char* valueWidget, const QString& text) const;
    // Picks the combo box entry that carries `data`, or whose text is `text`.
    void PickData(const char* comboBox, const QVariant& data) const;
    void PickText(const char* comboBox, const QString& text) const;

private:
    [[noreturn]] void Missing(const char* objectName, const std::type_info& wanted, const QObject* found) const;

    QWidget& m_root;
};

} // namespace Zel::Drivers
