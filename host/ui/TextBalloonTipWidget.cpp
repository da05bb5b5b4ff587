#include "host/ui/TextBalloonTipWidget.h"

#include "host/doc/Exceptions.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationFontUtil.h"

#include <QtCore/QEvent>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace {
constexpr const char* SourcePath = "host/ui/TextBalloonTipWidget";
// Logical pixels: the width a message wraps at.
constexpr int MaxTextWidth = 300;
// Point sizes, so that callers can grow a section's font relative to its own size.
constexpr qreal BodyPointSize = 9.0;
} // namespace

TextBalloonTipWidget::TextBalloonTipWidget(QWidget* parent, int sectionCount)
    : BalloonTipWidget(parent)
{
    ZEL_LOGIC_CHECK(SourcePath, sectionCount > 0);
    m_sections.resize(static_cast<std::size_t>(sectionCount));
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        Section& section = m_sections[i];
        section.row = new QWidget;
        auto* row = new QHBoxLayout(section.row);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(ScaleForDpi(this, 6));
        section.icon = new QLabel(section.row);
        section.icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        section.icon->hide();
        section.text = new QLabel(section.row);
        section.text->setTextFormat(Qt::PlainText);
        section.text->setWordWrap(true);
        section.text->setMaximumWidth(ScaleForDpi(this, MaxTextWidth));
        section.text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

        QFont font(UnificationFontUtil::GetFamily());
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(BodyPointSize);
        if (i == 0)
            font.setWeight(QFont::DemiBold);
        section.text->setFont(font);
        QPalette palette = section.text->palette();
        palette.setColor(QPalette::WindowText, UnificationColors::Get().GetBalloonTipTextColor());
        section.text->setPalette(palette);

        row->addWidget(section.icon, 0, Qt::AlignTop);
        row->addWidget(section.text, 1);
        GetContentLayout()->addWidget(section.row);
        section.row->hide();
    }
}

TextBalloonTipWidget::Section& TextBalloonTipWidget::At(int section)
{
    ZEL_LOGIC_CHECK(SourcePath, section >= 0 && section < GetSectionCount());
    return m_sections[static_cast<std::size_t>(section)];
}

const TextBalloonTipWidget::Section& TextBalloonTipWidget::At(int section) const
{
    ZEL_LOGIC_CHECK(SourcePath, section >= 0 && section < GetSectionCount());
    return m_sections[static_cast<std::size_t>(section)];
}

void TextBalloonTipWidget::SetSectionText(int section, const TString& text)
{
    Section& s = At(section);
    s.text->setText(text.ToQString());
    UpdateSection(s);
}

TString TextBalloonTipWidget::GetSectionText(int section) const
{
    return TString(At(section).text->text());
}

void TextBalloonTipWidget::SetSectionIcon(int section, const TIcon& icon)
{
    Section& s = At(section);
    s.image = icon;
    UpdateSection(s);
}

TIcon TextBalloonTipWidget::GetSectionIcon(int section) const
{
    return At(section).image;
}

void TextBalloonTipWidget::SetSectionTextColor(int section, const QColor& color)
{
    Section& s = At(section);
    QPalette palette = s.text->palette();
    palette.setColor(QPalette::WindowText, color);
    s.text->setPalette(palette);
}

QColor TextBalloonTipWidget::GetSectionTextColor(int section) const
{
    return At(section).text->palette().color(QPalette::WindowText);
}

void TextBalloonTipWidget::SetSectionFont(int section, const QFont& font)
{
    Section& s = At(section);
    s.text->setFont(font);
    UpdateSection(s);
}

QFont TextBalloonTipWidget::GetSectionFont(int section) const
{
    return At(section).text->font();
}

void TextBalloonTipWidget::UpdateSection(Section& section)
{
    section.row->setVisible(!section.text->text().isEmpty());
    // A text shorter than the wrapping width stays on one line; a longer one wraps at that width.
    const int natural = QFontMetrics(section.text->font()).horizontalAdvance(section.text->text()) + 1;
    section.text->setMinimumWidth(std::min(natural, ScaleForDpi(this, MaxTextWidth)));
    if (section.image.IsNull()) {
        section.icon->hide();
        section.icon->clear();
        return;
    }
    // As tall as a line of the section's text, so a title's icon grows with the title.
    const int side = std::max(ScaleForDpi(this, 16), QFontMetrics(section.text->font()).height());
    section.icon->setFixedSize(side, side);
    section.icon->setPixmap(section.image.GetPixmap(QSize(side, side), devicePixelRatioF()));
    section.icon->show();
}

void TextBalloonTipWidget::changeEvent(QEvent* event)
{
    BalloonTipWidget::changeEvent(event);
    if (event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::StyleChange)
        for (Section& section : m_sections)
            UpdateSection(section);
}
