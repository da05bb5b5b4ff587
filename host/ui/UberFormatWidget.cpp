#include "host/ui/UberFormatWidget.h"
#include "host/ui/TBeep.h"

#include "host/ui/ScaleForDpi.h"

#include <QtCore/QLocale>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QStyledItemDelegate>

#include <algorithm>

namespace {
constexpr int FormatRole = Qt::UserRole;
constexpr int SampleRole = Qt::UserRole + 1;
constexpr int RowHeight = 22;
constexpr int Padding = 6;
constexpr int ColumnGap = 24;

// A row shows the format's caption on the left and, greyed on the right, the sample through it.
class ChoiceDelegate final : public QStyledItemDelegate
{
public:
    explicit ChoiceDelegate(QWidget* view)
        : QStyledItemDelegate(view)
        , m_view(view)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QFontMetrics metrics(option.font);
        const int width = metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString())
            + metrics.horizontalAdvance(index.data(SampleRole).toString())
            + ScaleForDpi(m_view, 2 * Padding + ColumnGap);
        return QSize(width, std::max(metrics.height() + 4, ScaleForDpi(m_view, RowHeight)));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString caption = item.text;
        item.text.clear();
        const QWidget* widget = item.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

        const bool selected = item.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        const QRect text = item.rect.adjusted(ScaleForDpi(m_view, Padding), 0, -ScaleForDpi(m_view, Padding), 0);
        const QString sample = index.data(SampleRole).toString();

        painter->save();
        painter->setFont(item.font);
        // The painter's metrics, not the font's: the grab of a pop-up may paint at another resolution.
        const QFontMetrics metrics = painter->fontMetrics();
        const int sampleWidth = std::min(metrics.horizontalAdvance(sample) + 2, text.width() / 2);
        painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect captionRect = text.adjusted(0, 0, -(sampleWidth + ScaleForDpi(m_view, ColumnGap / 2)), 0);
        painter->drawText(captionRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
            metrics.elidedText(caption, Qt::ElideRight, captionRect.width()));
        if (!sample.isEmpty()) {
            QColor grey = item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
            grey.setAlphaF(selected ? 0.8 : 0.5);
            painter->setPen(grey);
            painter->drawText(text, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                metrics.elidedText(sample, Qt::ElideRight, sampleWidth));
        }
        painter->restore();
    }

private:
    QWidget* m_view;
};

// The sample text in the host's own formats ("$1,234.50", "25%", "03/15/2024") back to a number or a
// date, so that every choice can show it.
bool ParseNumber(QString text, double& number)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    text = text.trimmed();
    bool percent = false;
    if (text.endsWith(QLatin1Char('%'))) {
        percent = true;
        text.chop(1);
    }
    text.remove(QLatin1Char('$')).remove(QLatin1Char(','));
    bool ok = false;
    number = text.trimmed().toDouble(&ok);
    if (!ok)
        number = english.toDouble(text.trimmed(), &ok);
    if (ok && percent)
        number /= 100.0;
    return ok;
}
} // namespace

UberFormatWidget::UberFormatWidget(QWidget* parent)
    : QWidget(parent)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // A pop-up window has no frame of its own.
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Plain);
    frame->setAutoFillBackground(true);
    frame->setBackgroundRole(QPalette::Window);
    outer->addWidget(frame);

    auto* layout = new QVBoxLayout(frame);
    const int padding = ScaleForDpi(this, Padding);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->setSpacing(padding);

    m_list = new QListWidget(frame);
    m_list->setItemDelegate(new ChoiceDelegate(m_list));
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_list, 1);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(padding);
    auto* customLabel = new QLabel(tr("&Custom:"), frame);
    m_customEdit = new QLineEdit(frame);
    m_customEdit->setPlaceholderText(tr("Type a format and press Enter"));
    // No clear button: its fade animation outlives a field destroyed mid-fade until the event loop
    // runs again, and a format is short enough to select and retype.
    customLabel->setBuddy(m_customEdit);
    auto* sampleCaption = new QLabel(tr("Sample:"), frame);
    m_sampleLabel = new QLabel(frame);
    m_sampleLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(customLabel, 0, 0);
    grid->addWidget(m_customEdit, 0, 1);
    grid->addWidget(sampleCaption, 1, 0);
    grid->addWidget(m_sampleLabel, 1, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    setFocusProxy(m_list);
    setWindowTitle(tr("Display Format"));

    connect(m_list, &QListWidget::itemClicked, this, &UberFormatWidget::OnItemActivated);
    connect(m_list, &QListWidget::itemActivated, this, &UberFormatWidget::OnItemActivated);
    connect(m_customEdit, &QLineEdit::returnPressed, this, &UberFormatWidget::OnCustomEntered);
    connect(m_customEdit, &QLineEdit::textEdited, this, [this] { UpdateSample(); });

    Refill();
}

UberFormatWidget::~UberFormatWidget() = default;

void UberFormatWidget::SetDataType(DataType type)
{
    m_type = type;
    Refill();
}

DataType UberFormatWidget::GetDataType() const
{
    return m_type;
}

void UberFormatWidget::SetTextFormat(const TString& format)
{
    m_format = format;
    SelectCurrent();
}

TString UberFormatWidget::GetTextFormat() const
{
    return m_format;
}

void UberFormatWidget::SetSampleText(const TString& text)
{
    m_sampleText = text;
    Refill();
}

TString UberFormatWidget::GetSampleText() const
{
    return m_sampleText;
}

QString UberFormatWidget::GetDisplayText() const
{
    QString caption = m_format.ToQString();
    for (const FormatChoice& choice : m_choices) {
        if (choice.format == m_format) {
            caption = choice.caption.ToQString();
            break;
        }
    }
    const QString sample = Sampled(m_format);
    return sample.isEmpty() ? caption : caption + QStringLiteral(": ") + sample;
}

bool UberFormatWidget::SampleValue(DataValue& value) const
{
    const QString text = m_sampleText.ToQString().trimmed();
    if (text.isEmpty())
        return false;
    value = DataValue::FromVariant(m_type, text);
    if (!value.IsNull())
        return true;
    if (m_type == DT_DATE || m_type == DT_DATETIME) {
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        std::vector<TString> formats {m_format};
        for (const FormatChoice& choice : m_choices)
            formats.push_back(choice.format);
        for (const TString& format : formats) {
            if (format.empty())
                continue;
            const QDateTime parsed = english.toDateTime(text, format.ToQString());
            if (parsed.isValid()) {
                value = m_type == DT_DATE ? DataValue(parsed.date()) : DataValue(parsed);
                return true;
            }
        }
        return false;
    }
    double number = 0;
    if (IsNumericDataType(m_type) && m_type != DT_UNKNOWN && ParseNumber(text, number)) {
        value = DataValue::FromVariant(m_type, number);
        return !value.IsNull();
    }
    return false;
}

QString UberFormatWidget::Sampled(const TString& format) const
{
    DataValue value;
    if (!SampleValue(value))
        return m_sampleText.ToQString().trimmed().isEmpty() || !format.empty() ? QString() : m_sampleText.ToQString();
    return ValueFormat::Format(value, format).ToQString();
}

void UberFormatWidget::Refill()
{
    m_choices = ValueFormat::ChoicesFor(m_type);
    {
        const QSignalBlocker blocker(m_list);
        m_list->clear();
        for (const FormatChoice& choice : m_choices) {
            auto* item = new QListWidgetItem(choice.caption.ToQString(), m_list);
            item->setData(FormatRole, choice.format.ToQString());
            item->setData(SampleRole, Sampled(choice.format));
        }
    }
    // Tall enough for every choice, so the pop-up opens without a scroll bar.
    const int rows = std::max<int>(1, m_list->count());
    const int rowHeight = m_list->count() > 0 ? m_list->sizeHintForRow(0) : ScaleForDpi(this, RowHeight);
    m_list->setMinimumHeight(rows * rowHeight + 2 * m_list->frameWidth());
    m_list->setMinimumWidth(m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth());
    SelectCurrent();
}

void UberFormatWidget::SelectCurrent()
{
    const QSignalBlocker blocker(m_list);
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (TString(item->data(FormatRole).toString()) == m_format) {
            m_list->setCurrentItem(item);
            m_list->scrollToItem(item);
            break;
        }
    }
    m_customEdit->setText(m_format.ToQString());
    UpdateSample();
}

void UberFormatWidget::UpdateSample()
{
    const TString format(m_customEdit->text().trimmed());
    QPalette pal = palette();
    if (!ValueFormat::IsValidFormat(m_type, format)) {
        m_sampleLabel->setText(tr("Not a format for this data type"));
        pal.setColor(QPalette::WindowText, QColor(0xc0, 0x30, 0x30));
    } else {
        const QString sample = Sampled(format);
        m_sampleLabel->setText(sample.isEmpty() ? tr("(no sample value)") : sample);
        if (sample.isEmpty())
            pal.setColor(QPalette::WindowText, pal.color(QPalette::Disabled, QPalette::WindowText));
    }
    m_sampleLabel->setPalette(pal);
}

void UberFormatWidget::OnItemActivated(QListWidgetItem* item)
{
    if (item)
        Choose(TString(item->data(FormatRole).toString()));
}

void UberFormatWidget::OnCustomEntered()
{
    const TString format(m_customEdit->text().trimmed());
    if (!ValueFormat::IsValidFormat(m_type, format)) {
        TBeep();
        return;
    }
    Choose(format);
}

void UberFormatWidget::Choose(const TString& format)
{
    const bool differs = format != m_format;
    if (differs) {
        m_format = format;
        SelectCurrent();
    }
    // Closing first lets the drop-down repaint with the new text when it hears of the change.
    if (isWindow())
        hide();
    if (differs)
        emit UberWidgetChanged();
}
