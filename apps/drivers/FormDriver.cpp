#include "apps/drivers/FormDriver.h"

#include "host/commands/ParameterText.h"
#include "host/ui/DataValueWidget.h"

#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

namespace Zel::Drivers {

FormDriver::FormDriver(QWidget& root)
    : m_root(root)
{
}

void FormDriver::Missing(const char* objectName, const std::type_info& wanted, const QObject* found) const
{
    QString message = QStringLiteral("%1 has no %2 named \"%3\"")
                          .arg(QString::fromLatin1(m_root.metaObject()->className()),
                              Zel::Commands::ParameterText::TypeName(wanted), QLatin1String(objectName));
    if (found)
        message
            += QStringLiteral(" (it has a %1 of that name)").arg(QString::fromLatin1(found->metaObject()->className()));
    throw DriverError(message.toStdString());
}

void FormDriver::Click(const char* button) const
{
    Get<QAbstractButton>(button).click();
}

void FormDriver::Type(const char* lineEdit, const QString& text) const
{
    auto& edit = Get<QLineEdit>(lineEdit);
    edit.selectAll();
    QTest::keyClicks(&edit, text);
}

void FormDriver::Leave(const char* lineEdit) const
{
    emit Get<QLineEdit>(lineEdit).editingFinished();
}

void FormDriver::Enter(const char* valueWidget, const QString& text) const
{
    auto& widget = Get<DataValueWidget>(valueWidget);
    auto* editor = qobject_cast<QLineEdit*>(widget.focusProxy());
    if (!editor)
        throw DriverError(QStringLiteral("the value widget \"%1\" shows no text editor")
                              .arg(QLatin1String(valueWidget))
                              .toStdString());
    editor->selectAll();
    QTest::keyClicks(editor, text);
    emit editor->editingFinished();
}

void FormDriver::PickData(const char* comboBox, const QVariant& data) const
{
    auto& combo = Get<QComboBox>(comboBox);
    const int index = combo.findData(data);
    if (index < 0)
        throw DriverError(QStringLiteral("\"%1\" offers no entry for %2")
                              .arg(QLatin1String(comboBox), data.toString())
                              .toStdString());
    combo.setCurrentIndex(index);
}

void FormDriver::PickText(const char* comboBox, const QString& text) const
{
    auto& combo = Get<QComboBox>(comboBox);
    const int index = combo.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        throw DriverError(
            QStringLiteral("\"%1\" offers no entry \"%2\"").arg(QLatin1String(comboBox), text).toStdString());
    combo.setCurrentIndex(index);
}

} // namespace Zel::Drivers
