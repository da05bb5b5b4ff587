#pragma once

#include "widgets/EnumModelFactory.h"

#include "host/ui/ZelvarComboBox.h"

#include <vector>

// A combo box over the values of a host enumeration: each item shows a value's localised text and
// holds the value (as int) in its Qt::UserRole data. Callers select a value with
// findData(QVariant(int(value))) and setCurrentIndex.
//
// A refill keeps the current position, not the value: items are replaced in place, so a list that
// keeps its length keeps its selection row.
template <typename T>
class ZelvarComboBoxEnum : public ZelvarComboBox
{
public:
    explicit ZelvarComboBoxEnum(QWidget* parent = nullptr)
        : ZelvarComboBox(parent)
        , m_factory(new EnumModelFactory<T>(true))
    {
    }
    ~ZelvarComboBoxEnum() override { delete m_factory; }

    ZelvarComboBoxEnum(const ZelvarComboBoxEnum&) = delete;
    ZelvarComboBoxEnum& operator=(const ZelvarComboBoxEnum&) = delete;

    virtual void SetValues(const std::vector<T>& values) { Fill(m_factory->BuildEntries(values)); }
    virtual void SetAllValues() { Fill(m_factory->BuildAllEntries()); }

    // The current item's value; the registry's default when nothing is selected.
    T GetValue() const
    {
        if (currentIndex() < 0)
            return static_cast<T>(EnumConverterRegistry::GetInstance().DefaultValue(EnumConverterRegistry::KeyOf<T>()));
        return static_cast<T>(itemData(currentIndex(), Qt::UserRole).toInt());
    }

private:
    void Fill(const std::vector<typename EnumModelFactory<T>::Entry>& entries)
    {
        const int position = currentIndex();
        ZelvarComboBox::clear();
        for (const auto& [value, text] : entries)
            addItem(text.ToQString(), QVariant(value));
        setCurrentIndex(position < count() ? position : -1);
    }

    EnumModelFactory<T>* m_factory;
};
