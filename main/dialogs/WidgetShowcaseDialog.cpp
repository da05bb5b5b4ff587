#include "main/dialogs/WidgetShowcaseDialog.h"

#include "ui_WidgetShowcaseDialog.h"

#include "host/doc/Preferences.h"
#include "host/ui/QtUtil.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/TOpenUrl.h"
#include "host/ui/UnificationButtonStyle.h"
#include "host/ui/UnificationFontUtil.h"
#include "host/ui/ZelvarComboBox.h"
#include "widgets/ShowcaseDisplayWidget.h"
#include "widgets/ShowcaseWidgetInformation.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QUrl>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <new>

namespace {

// Where the tracker of the widget toolkit takes its reports unless the preferences say otherwise.
const QString kDefaultBugReportUrl = QStringLiteral("https://issues.zeldialog.example/widgets/new?template=bug");
const QString kDefaultWidgetRequestUrl
    = QStringLiteral("https://issues.zeldialog.example/widgets/new?template=widget-request");

const QSize kExampleMaximumSize(100, 50);
const QSize kWideExampleMaximumSize(200, 50);

QString ButtonExampleCode(const char* stylingFunction)
{
    return QStringLiteral("#include <QPushButton>\n#include \"utility/UnificationStyle.h\"\n{\n\tauto button = new "
                          "QPushButton(parent);\n\tUnificationButtonStyle::")
        + QLatin1String(stylingFunction) + QStringLiteral("(*button);\n}\n");
}

QString ComboBoxExampleCode(const char* look)
{
    return QStringLiteral("#include \"utility/UnificationStyle.h\"\n\"#include \"widgets/ZelvarComboBox.h\"\n{\n\tauto "
                          "comboBox = new ZelvarComboBox(nullptr);\n\tcomboBox->SetComboBoxLook(ZelvarComboBox::")
        + QLatin1String(look) + QStringLiteral(");\n}\n");
}

void SizeExample(QWidget& example, const QSize& maximum)
{
    example.setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    example.setMaximumSize(ScaleForDpi(&example, maximum));
}

QWidget* ButtonExample(const QString& text, void (*styling)(QPushButton&))
{
    auto* button = new QPushButton(text);
    styling(*button);
    SizeExample(*button, kExampleMaximumSize);
    return button;
}

// A light outline button is made for dark backgrounds, so its example sits on one.
QWidget* LightOutlineExample()
{
    auto* background = new QWidget;
    background->setObjectName(QStringLiteral("backgroundWidget"));
    background->setStyleSheet(QStringLiteral("QWidget#backgroundWidget { background: #355C80 }"));
    background->setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(background);
    auto* button = new QPushButton(WidgetShowcaseDialog::tr("Light Outline"), background);
    UnificationButtonStyle::ApplyLightOutlineStyleButtonStyling(*button);
    SizeExample(*button, kWideExampleMaximumSize);
    layout->addWidget(button);
    SizeExample(*background, kWideExampleMaximumSize);
    return background;
}

QWidget* ComboBoxExample(const QString& name, int look)
{
    auto* comboBox = new ZelvarComboBox(nullptr);
    // A drop-down without a label of its own is named after its entry for screen readers.
    comboBox->setAccessibleName(name);
    comboBox->SetComboBoxLook(look);
    for (const char* item : {"Meow 1", "Meow 2", "Meow 3", "Meow 4"})
        comboBox->addItem(QString::fromLatin1(item));
    SizeExample(*comboBox, kExampleMaximumSize);
    return comboBox;
}

// The address under `key`; an empty or missing one is the default.
QUrl PreferredUrl(const wchar_t* key, const QString& fallback)
{
    const QString text = SessionContext::Get().GetIPreferences()->GetValue(TString(key), fallback).toString().trimmed();
    return QUrl(text.isEmpty() ? fallback : text, QUrl::StrictMode);
}

} // namespace

QPointer<WidgetShowcaseDialog> WidgetShowcaseDialog::s_instance;

WidgetShowcaseDialog* WidgetShowcaseDialog::GetInstance()
{
    if (!s_instance) {
        try {
            s_instance = new WidgetShowcaseDialog(QtUtil::ResolveParent(nullptr), {});
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
    return s_instance;
}

WidgetShowcaseDialog::WidgetShowcaseDialog(QWidget* parent, QFlags<Qt::WindowType>)
    : ZelvarNonModalDialog(IFloatingWindowsManager::AllViews, parent, false)
    , m_ui(std::make_unique<Ui::WidgetShowcaseDialog>())
{
    auto* content = new QWidget;
    m_ui->setupUi(content);
    // The frame styles only itself here; the gallery shows the toolkit's widgets in its body text.
    content->setFont(UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, this));
    SetContentWidget(content);
    setWindowTitle(tr("Zelvar Widget Showcase"));
    InitializeFeedbackTab();
    InitializeWidgets();
    const QSize formSize = content->size();
    ResizeDialog(formSize.width(), GetTitleBar()->sizeHint().height() + formSize.height());
}

WidgetShowcaseDialog::~WidgetShowcaseDialog() = default;

void WidgetShowcaseDialog::OnBugFeedbackButtonClicked(bool)
{
    TOpenUrl(PreferredUrl(BugReportUrlKey, kDefaultBugReportUrl));
}

void WidgetShowcaseDialog::OnWidgetRequestButtonClicked(bool)
{
    TOpenUrl(PreferredUrl(WidgetRequestUrlKey, kDefaultWidgetRequestUrl));
}

void WidgetShowcaseDialog::InitializeFeedbackTab()
{
    connect(m_ui->bugButton, &QPushButton::clicked, this, &WidgetShowcaseDialog::OnBugFeedbackButtonClicked);
    connect(m_ui->widgetButton, &QPushButton::clicked, this, &WidgetShowcaseDialog::OnWidgetRequestButtonClicked);
}

void WidgetShowcaseDialog::InitializeWidgets()
{
    const TString buttonDescription(tr("Simple button with different types. All argument information can be found "
                                       "via Qt documentation for QPushButton."));
    const TString comboBoxDescription(
        tr("Simple combobox. All argument information can be found by looking at the ZelvarComboBox header."));
    auto button = [&](const char* name, const char* text, void (*styling)(QPushButton&), const char* function) {
        return ShowcaseWidgetInformation(TString(tr(name)), buttonDescription, TString(ButtonExampleCode(function)),
            ButtonExample(tr(text), styling), true);
    };
    auto comboBox = [&](const char* name, int look, const char* lookName) {
        return ShowcaseWidgetInformation(TString(tr(name)), comboBoxDescription, TString(ComboBoxExampleCode(lookName)),
            ComboBoxExample(tr(name), look), false);
    };

    // Each record owns its example until a tab hands it to a row. Titles and captions are translated
    // when the entries are made (tr in the lambdas); QT_TR_NOOP marks them for the translators.
    std::vector<ShowcaseWidgetInformation> entries;
    entries.push_back(button(QT_TR_NOOP("Outline Button"), QT_TR_NOOP("Outline"),
        UnificationButtonStyle::ApplyOutlineStyleButtonStyling, "ApplyOutlineStyleButtonStyling"));
    entries.push_back(button(QT_TR_NOOP("Go Button"), QT_TR_NOOP("Go"),
        UnificationButtonStyle::ApplyGreenFilledButtonStyling, "ApplyGreenFilledButtonStyling"));
    entries.push_back(button(QT_TR_NOOP("Attention Button"), QT_TR_NOOP("Attention"),
        UnificationButtonStyle::ApplyAttentionButtonStyling, "ApplyAttentionButtonStyling"));
    entries.push_back(button(QT_TR_NOOP("Grey Button"), QT_TR_NOOP("Grey"),
        UnificationButtonStyle::ApplyGreyFilledButtonStyling, "ApplyGreyFilledButtonStyling"));
    entries.push_back(ShowcaseWidgetInformation(TString(tr("Light Outline Button")), buttonDescription,
        TString(ButtonExampleCode("ApplyLightOutlineStyleButtonStyling")), LightOutlineExample(), true));
    entries.push_back(button(QT_TR_NOOP("Text Button"), QT_TR_NOOP("Text"),
        UnificationButtonStyle::ApplyTextButtonStyling, "ApplyTextButtonStyling"));
    entries.push_back(
        comboBox(QT_TR_NOOP("Outline-Style Dropdown"), ZelvarComboBox::CBL_Unification, "CBL_Unification"));
    entries.push_back(comboBox(
        QT_TR_NOOP("Line and Arrow Style Dropdown with No Label"), ZelvarComboBox::CBL_Lightweight, "CBL_Lightweight"));

    std::vector<ShowcaseWidgetInformation> beta;
    std::vector<ShowcaseWidgetInformation> inProgress;
    for (const ShowcaseWidgetInformation& entry : entries)
        (entry.IsBeta() ? beta : inProgress).push_back(entry);
    m_ui->enabledWidgets->SetWidgets(beta);
    m_ui->disabledWidgets->SetWidgets(inProgress);
}
