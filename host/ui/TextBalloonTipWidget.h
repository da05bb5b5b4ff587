#pragma once

#include "host/doc/TString.h"
#include "host/ui/BalloonTipWidget.h"
#include "host/ui/TIcon.h"

#include <vector>

class QLabel;

// A balloon of text sections stacked top to bottom, each an optional icon beside a wrapped text in
// a colour and font of its own. Two sections by default: 0 reads as a title (semi-bold), 1 as the
// message. A section without text is not shown.
class ZELHOST_UI_EXPORT TextBalloonTipWidget : public BalloonTipWidget
{
    Q_OBJECT

public:
    explicit TextBalloonTipWidget(QWidget* parent = nullptr, int sectionCount = 2);

    int GetSectionCount() const { return static_cast<int>(m_sections.size()); }

    // A section outside [0, GetSectionCount()) raises the logic exception.
    void SetSectionText(int section, const TString& text);
    TString GetSectionText(int section) const;
    void SetSectionIcon(int section, const TIcon& icon);
    TIcon GetSectionIcon(int section) const;
    void SetSectionTextColor(int section, const QColor& color);
    QColor GetSectionTextColor(int section) const;
    void SetSectionFont(int section, const QFont& font);
    QFont GetSectionFont(int section) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Section
    {
        QWidget* row = nullptr;
        QLabel* icon = nullptr;
        QLabel* text = nullptr;
        TIcon image;
    };
    Section& At(int section);
    const Section& At(int section) const;
    void UpdateSection(Section& section);

    std::vector<Section> m_sections;
};
