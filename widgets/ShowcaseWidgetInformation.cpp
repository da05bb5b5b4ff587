#include "widgets/ShowcaseWidgetInformation.h"

#include "host/doc/Exceptions.h"

namespace {
constexpr const char* kSource = "widgets/ShowcaseWidgetInformation";
} // namespace

ShowcaseWidgetInformation::ShowcaseWidgetInformation() = default;

ShowcaseWidgetInformation::ShowcaseWidgetInformation(
    const TString& name, const TString& description, const TString& exampleCode, QWidget* widget, bool isBeta)
    : m_name(name)
    , m_description(description)
    , m_exampleCode(exampleCode)
    , m_widget(widget)
    , m_isBeta(isBeta)
{
}

ShowcaseWidgetInformation::ShowcaseWidgetInformation(const ShowcaseWidgetInformation& other)
    : m_name(other.m_name)
    , m_description(other.m_description)
    , m_exampleCode(other.m_exampleCode)
    , m_widget(std::move(other.m_widget))
    , m_isBeta(other.m_isBeta)
    , m_handedOut(other.m_handedOut)
{
    if (m_widget)
        other.m_handedOut = m_widget.get();
}

ShowcaseWidgetInformation& ShowcaseWidgetInformation::operator=(const ShowcaseWidgetInformation& other)
{
    m_name = other.m_name;
    m_description = other.m_description;
    m_exampleCode = other.m_exampleCode;
    m_isBeta = other.m_isBeta;
    return *this;
}

ShowcaseWidgetInformation::~ShowcaseWidgetInformation() = default;

QWidget* ShowcaseWidgetInformation::TakeWidget()
{
    if (m_widget)
        m_handedOut = m_widget.release();
    return m_handedOut;
}

void ShowcaseWidgetInformation::GiveBackWidget(QWidget* widget)
{
    if (!widget || widget == m_widget.get())
        return;
    ZEL_LOGIC_CHECK(kSource, m_widget == nullptr);
    // Out of the parent (and so out of its layout), which would otherwise delete it a second time.
    widget->setParent(nullptr);
    m_widget.reset(widget);
    m_handedOut = nullptr;
}

QWidget* ShowcaseWidgetInformation::PeekWidget() const
{
    return m_widget ? m_widget.get() : m_handedOut.data();
}
