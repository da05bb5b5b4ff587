#include "Preferences.h"

namespace {
constexpr ColorObject Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return ColorObject {r, g, b, 255};
}

ColorObject DefaultColor(const TString& key)
{
    // The host's shipped defaults: a light panel with a quiet grey border for floating dialogs,
    // and the blue of links in the start pane.
    static const std::map<TString, ColorObject> defaults = {
        {TString(L"nonmodaldialog.background.color"), Rgb(0xF5, 0xF6, 0xF7)},
        {TString(L"nonmodaldialog.border.color"), Rgb(0xB8, 0xBD, 0xC4)},
        {TString(L"ui.openpane.link.color"), Rgb(0x1F, 0x77, 0xB4)},
    };
    auto it = defaults.find(key);
    return it != defaults.end() ? it->second : ColorObject {};
}
} // namespace

ColorObject SessionPreferences::GetColor(const TString& key) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_colors.find(key);
    return it != m_colors.end() ? it->second : DefaultColor(key);
}

void SessionPreferences::SetColor(const TString& key, const ColorObject& color)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_colors[key] = color;
}

QVariant SessionPreferences::GetValue(const TString& key, const QVariant& fallback) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_values.find(key);
    return it != m_values.end() ? it->second : fallback;
}

void SessionPreferences::SetValue(const TString& key, const QVariant& value)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_values[key] = value;
}

SessionContext::SessionContext() = default;

SessionContext& SessionContext::Get()
{
    // Never destroyed: preferences may be read while static objects of other modules go away, and
    // the records it holds must not count as leaked at exit.
    static SessionContext* context = [] {
        auto* c = new SessionContext;
        c->m_preferences = MakeRefCnt<SessionPreferences>();
        return c;
    }();
    return *context;
}

RefCntPtr<IPreferences> SessionContext::GetIPreferences() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const IPreferences* p = m_preferences.get();
    if (!(p != nullptr))
        ThrowLogicException("host/doc/Preferences", __LINE__, "p != nullptr");
    return m_preferences;
}

void SessionContext::SetIPreferences(RefCntPtr<IPreferences> preferences)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_preferences = std::move(preferences);
}
