#pragma once

#include "RefCnt.h"
#include "TString.h"

#include <QtCore/QVariant>

#include <cstdint>
#include <map>
#include <mutex>

// A colour as the host stores it in preferences, independent of any widget toolkit.
struct ColorObject
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;

    friend bool operator==(const ColorObject& a, const ColorObject& b) noexcept
    {
        return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
    }
};

class ZELHOST_DOC_EXPORT IPreferences : public RefCntObject
{
public:
    // A key that was never set gives the host's default colour for it (opaque black when the host
    // has none).
    virtual ColorObject GetColor(const TString& key) const = 0;
    virtual void SetColor(const TString& key, const ColorObject& color) = 0;
    virtual QVariant GetValue(const TString& key, const QVariant& fallback = {}) const = 0;
    virtual void SetValue(const TString& key, const QVariant& value) = 0;
};

// Preferences held in memory for the session, with the host's defaults for the keys it knows.
class ZELHOST_DOC_EXPORT SessionPreferences final : public IPreferences
{
public:
    ColorObject GetColor(const TString& key) const override;
    void SetColor(const TString& key, const ColorObject& color) override;
    QVariant GetValue(const TString& key, const QVariant& fallback) const override;
    void SetValue(const TString& key, const QVariant& value) override;

private:
    mutable std::mutex m_mutex;
    std::map<TString, ColorObject> m_colors;
    std::map<TString, QVariant> m_values;
};

class ZELHOST_DOC_EXPORT SessionContext
{
public:
    static SessionContext& Get();

    // Raises the logic exception "p != nullptr" when the session has no preferences.
    RefCntPtr<IPreferences> GetIPreferences() const;
    // Replaces the session's preferences (a host at start-up, a test); null leaves none.
    void SetIPreferences(RefCntPtr<IPreferences> preferences);

private:
    SessionContext();
    mutable std::mutex m_mutex;
    RefCntPtr<IPreferences> m_preferences;
};
