#include "host/ui/RichEditWidget.h"

#include "host/ui/ScaleForDpi.h"

#include <QtCore/QRegularExpression>
#include <QtGui/QPainter>
#include <QtGui/QTextCharFormat>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QTextEdit>
#include <QtWidgets/QToolButton>

#include <algorithm>

namespace {
constexpr int RulerHeight = 14;
constexpr int ToolButtonSize = 24;
constexpr int MajorTickEvery = 8;

// A strip of ticks that lines up with the text edit's left text edge: a short tick every eighth of
// an inch, a longer one at each half inch and the inch number at each inch.
class Ruler final : public QWidget
{
public:
    Ruler(QTextEdit* edit, QWidget* parent)
        : QWidget(parent)
        , m_edit(edit)
    {
        setFixedHeight(ScaleForDpi(this, RulerHeight));
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QPalette& pal = palette();
        painter.fillRect(rect(), pal.color(QPalette::Base));
        painter.setPen(pal.color(QPalette::Mid));
        painter.drawLine(0, height() - 1, width(), height() - 1);

        const int left = m_edit->mapTo(parentWidget(), QPoint(0, 0)).x() - x() + m_edit->frameWidth()
            + static_cast<int>(m_edit->document()->documentMargin());
        const double step = logicalDpiX() / 8.0;
        if (step <= 0)
            return;
        QFont small = font();
        small.setPointSizeF(std::max(6.0, font().pointSizeF() * 0.7));
        painter.setFont(small);
        painter.setPen(pal.color(QPalette::Dark));
        for (int i = 0;; ++i) {
            const int x = left + static_cast<int>(i * step);
            if (x >= width())
                break;
            if (i > 0 && i % MajorTickEvery == 0) {
                painter.drawText(
                    QRect(x - 10, 0, 20, height() - 2), Qt::AlignCenter, QString::number(i / MajorTickEvery));
                continue;
            }
            const int tick = i % (MajorTickEvery / 2) == 0 ? height() / 2 : height() / 4;
            painter.drawLine(x, height() - 1 - tick, x, height() - 1);
        }
    }

private:
    QTextEdit* m_edit;
};

QToolButton* MakeToolButton(const QString& text, const QString& toolTip, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(toolTip);
    button->setCheckable(true);
    button->setAutoRaise(true);
    // The text keeps the focus while the user formats it.
    button->setFocusPolicy(Qt::NoFocus);
    const int size = ScaleForDpi(parent, ToolButtonSize);
    button->setFixedSize(size, size);
    return button;
}

// The body of the editor's HTML. The head carries the editor's own style sheet, whose text a
// FormattedText would take for part of the comment's plain text.
QString BodyOf(const QString& html)
{
    static const QRegularExpression body(
        QStringLiteral("<body[^>]*>(.*)</body>"), QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = body.match(html);
    return match.hasMatch() ? match.captured(1).trimmed() : html;
}
} // namespace

RichEditWidget::RichEditWidget(const TextStyle& style, int alignment, QWidget* parent)
    : QWidget(parent)
    , m_style(style)
    , m_alignment(alignment)
{
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(ScaleForDpi(this, 2));

    auto* tools = new QHBoxLayout;
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(ScaleForDpi(this, 2));
    m_boldButton = MakeToolButton(QStringLiteral("B"), tr("Bold"), this);
    QFont bold = m_boldButton->font();
    bold.setBold(true);
    m_boldButton->setFont(bold);
    m_italicButton = MakeToolButton(QStringLiteral("I"), tr("Italic"), this);
    QFont italic = m_italicButton->font();
    italic.setItalic(true);
    m_italicButton->setFont(italic);
    m_underlineButton = MakeToolButton(QStringLiteral("U"), tr("Underline"), this);
    QFont underline = m_underlineButton->font();
    underline.setUnderline(true);
    m_underlineButton->setFont(underline);
    tools->addWidget(m_boldButton);
    tools->addWidget(m_italicButton);
    tools->addWidget(m_underlineButton);
    tools->addStretch(1);
    layout->addLayout(tools);

    m_edit = new QTextEdit(this);
    m_edit->setAcceptRichText(true);
    m_edit->setTabChangesFocus(true);
    m_ruler = new Ruler(m_edit, this);
    m_ruler->hide();
    layout->addWidget(m_ruler);
    layout->addWidget(m_edit, 1);
    setFocusProxy(m_edit);

    ApplyDefaultStyle();

    connect(m_boldButton, &QToolButton::toggled, this, &RichEditWidget::OnBoldToggled);
    connect(m_italicButton, &QToolButton::toggled, this, &RichEditWidget::OnItalicToggled);
    connect(m_underlineButton, &QToolButton::toggled, this, &RichEditWidget::OnUnderlineToggled);
    connect(m_edit, &QTextEdit::currentCharFormatChanged, this, &RichEditWidget::UpdateToolButtons);
    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &RichEditWidget::UpdateToolButtons);
    connect(m_edit, &QTextEdit::textChanged, this, [this] {
        if (!m_settingText)
            emit textChanged();
    });
}

RichEditWidget::~RichEditWidget() = default;

void RichEditWidget::ApplyDefaultStyle()
{
    QFont font = m_edit->font();
    if (!m_style.family.isEmpty())
        font.setFamily(m_style.family);
    if (m_style.pointSize > 0)
        font.setPointSize(m_style.pointSize);
    m_edit->document()->setDefaultFont(font);
    if (m_style.color.isValid()) {
        QPalette pal = m_edit->palette();
        pal.setColor(QPalette::Text, m_style.color);
        m_edit->setPalette(pal);
    }
    QTextOption option = m_edit->document()->defaultTextOption();
    option.setAlignment(m_alignment ? Qt::Alignment(m_alignment) : Qt::AlignLeft);
    m_edit->document()->setDefaultTextOption(option);
    m_edit->setAlignment(option.alignment());
}

void RichEditWidget::SetShowRuler(bool show)
{
    m_ruler->setVisible(show);
}

bool RichEditWidget::IsRulerShown() const
{
    return !m_ruler->isHidden();
}

void RichEditWidget::SetFormattedText(const FormattedText& text)
{
    m_settingText = true;
    if (text.IsEmpty() && text.GetMarkup().empty())
        m_edit->clear();
    else
        m_edit->setHtml(text.GetMarkup().ToQString());
    // setHtml resets the paragraphs' alignment, and the caret goes to the end as after typing.
    m_edit->setAlignment(m_edit->document()->defaultTextOption().alignment());
    m_edit->moveCursor(QTextCursor::End);
    m_edit->document()->setModified(false);
    m_settingText = false;
    UpdateToolButtons();
}

FormattedText RichEditWidget::GetFormattedText() const
{
    if (m_edit->document()->isEmpty())
        return FormattedText();
    return FormattedText::FromMarkup(TString(BodyOf(m_edit->toHtml())));
}

QWidget* RichEditWidget::GetFirstTabWidget() const
{
    return m_edit;
}

QWidget* RichEditWidget::GetLastTabWidget() const
{
    return m_edit;
}

void RichEditWidget::UpdateToolButtons()
{
    const QTextCharFormat format = m_edit->currentCharFormat();
    const QSignalBlocker boldBlocker(m_boldButton);
    const QSignalBlocker italicBlocker(m_italicButton);
    const QSignalBlocker underlineBlocker(m_underlineButton);
    m_boldButton->setChecked(format.fontWeight() > QFont::Normal);
    m_italicButton->setChecked(format.fontItalic());
    m_underlineButton->setChecked(format.fontUnderline());
}

void RichEditWidget::OnBoldToggled(bool on)
{
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    m_edit->mergeCurrentCharFormat(format);
}

void RichEditWidget::OnItalicToggled(bool on)
{
    QTextCharFormat format;
    format.setFontItalic(on);
    m_edit->mergeCurrentCharFormat(format);
}

void RichEditWidget::OnUnderlineToggled(bool on)
{
    QTextCharFormat format;
    format.setFontUnderline(on);
    m_edit->mergeCurrentCharFormat(format);
}
