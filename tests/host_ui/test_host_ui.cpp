#include "host/doc/Exceptions.h"
#include "host/doc/StringTable.h"
#include "host/ui/IModalPresenter.h"
#include "host/ui/QtSignalBlocker.h"
#include "host/ui/QtUtil.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/TIcon.h"
#include "host/ui/TMenu.h"
#include "host/ui/TMessageBox.h"
#include "host/ui/UnificationButtonStyle.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationFontUtil.h"
#include "host/ui/UnificationStyle.h"
#include "host/ui/UnificationStyleApplicator.h"
#include "host/ui/ZelWidgetUtil.h"
#include "host/ui/ZelvarButton.h"
#include "host/ui/ZelvarGreenUnificationButton.h"
#include "host/ui/ZelvarWhiteUnificationButton.h"
#include "tests/support/ZelTestCase.h"

#include <QtGui/QFontDatabase>
#include <QtGui/QScreen>
#include <QtTest/QtTest>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>

#include <cmath>
#include <memory>
#include <vector>

using namespace ZelTest;

namespace {

const std::vector<QtZelResourceId>& KnownResourceIds()
{
    static const std::vector<QtZelResourceId> ids = {
#define ZEL_RESOURCE(id, name) id,
#include "host/doc/ResourceIds.inc"
#undef ZEL_RESOURCE
    };
    return ids;
}

bool Near(const QColor& a, const QColor& b, int tolerance = 4)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// WCAG relative luminance and contrast ratio.
double Luminance(const QColor& c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a) + 0.05;
    const double lb = Luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

// A 1:1 raster device of a chosen dpi, independent of the test screen.
QImage DeviceAt(int dpi)
{
    QImage image(8, 8, QImage::Format_ARGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

// Samples a grabbed widget at a position given in fractions of its size, so that it works at any
// device pixel ratio.
QColor PixelAt(const QImage& image, double fx, double fy)
{
    return image.pixelColor(static_cast<int>(fx * (image.width() - 1)), static_cast<int>(fy * (image.height() - 1)));
}

QImage Render(QWidget& widget)
{
    widget.ensurePolished();
    return widget.grab().toImage();
}

int CountOpaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).alpha() > 0 ? 1 : 0;
    return count;
}

int CountPixelsNear(const QImage& image, const QColor& color, int tolerance)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += Near(image.pixelColor(x, y), color, tolerance) ? 1 : 0;
    return count;
}

class RecordingPresenter final : public IModalPresenter
{
public:
    QMessageBox::StandardButton ShowMessageBox(const MessageBoxRequest& request) override
    {
        requests.push_back(request);
        return answer;
    }

    QAction* ExecMenu(QMenu& menu, const QPoint& globalPosition, QAction* at) override
    {
        menus.push_back(&menu);
        positions.push_back(globalPosition);
        ats.push_back(at);
        return Find(menu);
    }

    QAction* Find(QMenu& menu) const
    {
        for (QAction* action : menu.actions()) {
            if (action->text() == menuChoice)
                return action;
            if (action->menu())
                if (QAction* inner = Find(*action->menu()))
                    return inner;
        }
        return nullptr;
    }

    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    QString menuChoice;
    std::vector<MessageBoxRequest> requests;
    std::vector<QMenu*> menus;
    std::vector<QPoint> positions;
    std::vector<QAction*> ats;
};

// Catches the style-sheet parser's complaints (the menu's look is a sheet), which Qt only prints.
class WarningCatcher
{
public:
    WarningCatcher()
    {
        s_warnings.clear();
        m_previous = qInstallMessageHandler(&WarningCatcher::Handle);
    }
    ~WarningCatcher() { qInstallMessageHandler(m_previous); }
    const QStringList& Warnings() const { return s_warnings; }

private:
    static void Handle(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtWarningMsg && message.contains(QLatin1String("parse"), Qt::CaseInsensitive))
            s_warnings << message;
    }
    static QStringList s_warnings;
    QtMessageHandler m_previous;
};
QStringList WarningCatcher::s_warnings;

} // namespace

class TestHostUi : public ZelTestCase
{
    Q_OBJECT

private slots:
    void scaleForDpiUsesTheDevicesLogicalDpi_data();
    void scaleForDpiUsesTheDevicesLogicalDpi();
    void scaleForDpiOnWidgetsFollowsTheScreenNotQtsPixelRatio();

    void fontRampGrowsAndScalesWithTheDevice();
    void hostFontIdsMapOntoTheRamp();
    void badFontRequestsRaiseTheLogicException();

    void colourPairsAreReadable_data();
    void colourPairsAreReadable();
    void unknownColourIdRaisesTheLogicException();

    void applyStylesTheWholeTreeButNotChildWindows();
    void applyKeepsWhatADescendantSetItself();
    void applyToSingleWidgetLeavesChildrenAlone();
    void filterExcludesWidgetsButNotTheirChildren();
    void styleDrawsPlainFramesInTheBorderColour();
    void styleSubclassCanOverrideOneMetric();

    void buttonStylingsPaintTheirFill_data();
    void buttonStylingsPaintTheirFill();
    void outlineButtonShowsItsBorder();
    void textColourSetAfterStylingIsPainted();
    void styledButtonsFollowTheirParentsFontAndSizeToTheirKind();
    void zelvarButtonColoursAndStates();
    void zelvarButtonPaddingModes();
    void zelvarButtonRejectsBadSettings();

    void iconsRenderForEveryKnownResource();
    void iconEdgeCases();

    void messageBoxAsksThePresenterWithEverything();
    void messageBoxRejectsInconsistentButtons();
    void scopedPresentersNestAndRestore();
    void menuExecGoesThroughThePresenter();
    void defaultPresenterShowsARealMessageBox();
    void defaultPresenterRunsARealMenu();

    void signalBlockerRestoresThePreviousState();
    void signalBlockerSurvivesDeletedObjectsAndRejectsNull();

    void resolveParentPrefersTheGivenThenTheActiveWindow();
    void computeGeometryCentresAndStaysInside_data();
    void computeGeometryCentresAndStaysInside();
    void computeGeometryPlacesADialogOverItsParentOnScreen();

    void applyKeepsStyledButtonsAndReachesUnderStyleSheets();
};

// ---------------------------------------------------------------------------------------------
// DPI

void TestHostUi::scaleForDpiUsesTheDevicesLogicalDpi_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("logical");
    QTest::addColumn<int>("expected");
    QTest::newRow("96 is the design dpi") << 96 << 7 << 7;
    QTest::newRow("144 rounds half away from zero") << 144 << 7 << 11;
    QTest::newRow("144 exact") << 144 << 90 << 135;
    QTest::newRow("192 doubles") << 192 << 12 << 24;
    QTest::newRow("120 rounds down") << 120 << 1 << 1;
    QTest::newRow("zero stays zero") << 192 << 0 << 0;
    QTest::newRow("negative offsets scale too") << 192 << -3 << -6;
}

void TestHostUi::scaleForDpiUsesTheDevicesLogicalDpi()
{
    QFETCH(int, dpi);
    QFETCH(int, logical);
    QFETCH(int, expected);
    const QImage device = DeviceAt(dpi);
    QCOMPARE(device.logicalDpiX(), dpi);
    QCOMPARE(ScaleForDpi(&device, logical), expected);
    QCOMPARE(ScaleForDpi(&device, QSize(logical, 2 * logical)), QSize(expected, ScaleForDpi(&device, 2 * logical)));
    QCOMPARE(ScaleForDpi(&device, QMargins(logical, 0, logical, 0)), QMargins(expected, 0, expected, 0));
}

void TestHostUi::scaleForDpiOnWidgetsFollowsTheScreenNotQtsPixelRatio()
{
    QWidget widget;
    const qreal factor = widget.logicalDpiX() / 96.0;
    QCOMPARE(ScaleForDpi(&widget, 500), static_cast<int>(std::lround(500 * factor)));
    QCOMPARE(ScaleForDpi(&widget, QSize(500, 350)),
        QSize(static_cast<int>(std::lround(500 * factor)), static_cast<int>(std::lround(350 * factor))));
    // The null device stands for the primary screen.
    QCOMPARE(ScaleForDpi(nullptr, 500),
        static_cast<int>(std::lround(500 * QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 96.0)));

    // The variants of this suite pin the environment; check the figures they must give.
    if (qEnvironmentVariableIntValue("QT_FONT_DPI") == 144) {
        QCOMPARE(ScaleForDpi(&widget, 10), 15);
        QCOMPARE(ScaleForDpi(&widget, QSize(500, 350)), QSize(750, 525));
    }
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2")) {
        // Qt scales device pixels itself; scaling again would make everything twice too big.
        QCOMPARE(widget.devicePixelRatioF(), 2.0);
        QCOMPARE(ScaleForDpi(&widget, 100), static_cast<int>(std::lround(100 * factor)));
        QVERIFY(ScaleForDpi(&widget, 100) < 150);
    }
}

// ---------------------------------------------------------------------------------------------
// Fonts

void TestHostUi::fontRampGrowsAndScalesWithTheDevice()
{
    using F = UnificationFontUtil;
    for (int role = 1; role < F::RoleCount; ++role)
        QVERIFY2(F::GetPixelSize(role) > F::GetPixelSize(role - 1), qPrintable(QString::number(role)));

    const QImage at96 = DeviceAt(96);
    const QImage at192 = DeviceAt(192);
    const QFont body = F::GetFont(F::Body, F::Regular, &at96);
    QCOMPARE(body.pixelSize(), F::GetPixelSize(F::Body));
    QCOMPARE(F::GetFont(F::Body, F::Regular, &at192).pixelSize(), 2 * body.pixelSize());
    QCOMPARE(body.family(), F::GetFamily());
    QVERIFY(F::GetFont(F::Body, F::SemiBold, &at96).weight() > body.weight());
    QVERIFY(F::GetFont(F::Body, F::Bold, &at96).weight() > F::GetFont(F::Body, F::SemiBold, &at96).weight());
    QVERIFY(F::GetFont(F::Body, F::Light, &at96).weight() < body.weight());
    // The install carries DejaVu; the look is designed on it.
    if (QFontDatabase().families().contains(QStringLiteral("DejaVu Sans")))
        QCOMPARE(F::GetFamily(), QStringLiteral("DejaVu Sans"));
}

void TestHostUi::hostFontIdsMapOntoTheRamp()
{
    const QImage at192 = DeviceAt(192);
    const QFont body = ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_Default, &at192, false);
    const QFont title = ZelWidgetUtil::GetFont(26, &at192, false);
    QVERIFY(title.pixelSize() > body.pixelSize());
    QVERIFY(title.weight() >= QFont::DemiBold);
    QVERIFY(ZelWidgetUtil::GetFont(30, false).pixelSize() > title.pixelSize());

    // Scaling is by the device; without it the size stays logical whatever the device.
    QCOMPARE(ZelWidgetUtil::GetFont(26, &at192, true).pixelSize(), 2 * title.pixelSize());
    QCOMPARE(ZelWidgetUtil::GetFont(26, false).pixelSize(), title.pixelSize());

    const QFont code = ZelWidgetUtil::GetFont(5, true);
    QVERIFY(QFontInfo(code).fixedPitch());
    QVERIFY(!QFontInfo(body).fixedPitch());
    QVERIFY(ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_Italic, false).italic());
}

void TestHostUi::badFontRequestsRaiseTheLogicException()
{
    QVERIFY_EXCEPTION_THROWN(UnificationFontUtil::GetFont(-1, 0, nullptr), LogicException);
    QVERIFY_EXCEPTION_THROWN(UnificationFontUtil::GetFont(UnificationFontUtil::RoleCount, 0, nullptr), LogicException);
    QVERIFY_EXCEPTION_THROWN(UnificationFontUtil::GetFont(3, 4, nullptr), LogicException);
    QVERIFY(!ZelWidgetUtil::IsKnownFontId(9));
    QVERIFY_EXCEPTION_THROWN(ZelWidgetUtil::GetFont(9, true), LogicException);
    QVERIFY_EXCEPTION_THROWN(ZelWidgetUtil::GetFont(-26, nullptr, true), LogicException);
}

// ---------------------------------------------------------------------------------------------
// Colours

void TestHostUi::colourPairsAreReadable_data()
{
    using C = UnificationColors;
    QTest::addColumn<int>("foreground");
    QTest::addColumn<int>("background");
    QTest::addColumn<double>("minimum");
    // 4.5:1 is the usual floor for body text, 3:1 for large text and control outlines.
    QTest::newRow("text on surface") << int(C::Text) << int(C::Surface) << 4.5;
    QTest::newRow("title on title bar") << int(C::TitleText) << int(C::TitleBarBackground) << 4.5;
    QTest::newRow("secondary text") << int(C::SecondaryText) << int(C::Surface) << 4.5;
    QTest::newRow("link") << int(C::Link) << int(C::Surface) << 4.5;
    QTest::newRow("white on green") << int(C::OnFilledText) << int(C::GreenPrimary) << 4.5;
    QTest::newRow("white on green hover") << int(C::OnFilledText) << int(C::GreenPrimaryHover) << 4.5;
    QTest::newRow("white on attention") << int(C::OnFilledText) << int(C::Attention) << 4.5;
    QTest::newRow("text on grey fill") << int(C::Text) << int(C::GreyFill) << 4.5;
    QTest::newRow("attention text") << int(C::AttentionText) << int(C::Surface) << 4.5;
    QTest::newRow("text on duplicate") << int(C::Text) << int(C::DuplicateBackground) << 4.5;
    QTest::newRow("text on selection") << int(C::SelectionText) << int(C::Selection) << 4.5;
    QTest::newRow("white on dark surface") << int(C::OnDarkText) << int(C::DarkSurface) << 4.5;
    QTest::newRow("focus ring") << int(C::Focus) << int(C::Surface) << 3.0;
}

void TestHostUi::colourPairsAreReadable()
{
    QFETCH(int, foreground);
    QFETCH(int, background);
    QFETCH(double, minimum);
    const auto& colors = UnificationColors::Get();
    const double ratio = Contrast(colors.GetColor(foreground), colors.GetColor(background));
    QVERIFY2(ratio >= minimum, qPrintable(QString::number(ratio)));
}

void TestHostUi::unknownColourIdRaisesTheLogicException()
{
    QVERIFY_EXCEPTION_THROWN(UnificationColors::Get().GetColor(-1), LogicException);
    QVERIFY_EXCEPTION_THROWN(UnificationColors::Get().GetColor(UnificationColors::ColorCount), LogicException);
}

// ---------------------------------------------------------------------------------------------
// Style and applicator

void TestHostUi::applyStylesTheWholeTreeButNotChildWindows()
{
    QWidget root;
    auto* frame = new QFrame(&root);
    auto* label = new QLabel(QStringLiteral("label"), frame);
    auto* check = new QCheckBox(QStringLiteral("check"), frame);
    auto* childWindow = new QDialog(&root);
    auto* insideChildWindow = new QLabel(childWindow);

    UnificationStyleApplicator().Apply(root);

    QStyle* shared = UnificationStyle::Shared();
    for (QWidget* w : std::initializer_list<QWidget*> {&root, frame, label, check})
        QCOMPARE(w->style(), shared);
    QVERIFY(childWindow->style() != shared);
    QVERIFY(insideChildWindow->style() != shared);

    const auto& colors = UnificationColors::Get();
    QCOMPARE(label->palette().color(QPalette::WindowText), colors.GetTextColor());
    QCOMPARE(check->palette().color(QPalette::Window), colors.GetSurfaceColor());
    QCOMPARE(label->font().pixelSize(),
        UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, &root).pixelSize());
    QCOMPARE(check->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check), ScaleForDpi(check, 14));
}

void TestHostUi::applyKeepsWhatADescendantSetItself()
{
    QWidget root;
    auto* title = new QLabel(QStringLiteral("title"), &root);
    QPalette own = title->palette();
    own.setColor(QPalette::WindowText, Qt::magenta);
    title->setPalette(own);
    QFont big = title->font();
    big.setPixelSize(31);
    title->setFont(big);

    UnificationStyleApplicator().Apply(root);

    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::magenta));
    QCOMPARE(title->palette().color(QPalette::Window), UnificationColors::Get().GetSurfaceColor());
    QCOMPARE(title->font().pixelSize(), 31);
}

void TestHostUi::applyToSingleWidgetLeavesChildrenAlone()
{
    QFrame root;
    root.setFrameShape(QFrame::Box);
    root.setFrameShadow(QFrame::Plain);
    root.setObjectName(QStringLiteral("mainFrame"));
    auto* child = new QLabel(QStringLiteral("child"), &root);
    child->setObjectName(QStringLiteral("mainFrame")); // names repeat in real forms
    auto* grandChild = new QCheckBox(QStringLiteral("grand child"), child);
    root.resize(200, 100);
    root.ensurePolished();

    const QColor childText = child->palette().color(QPalette::WindowText);
    const QFont childFont = child->font();
    const QFont grandChildFont = grandChild->font();
    const int childMetric = child->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, child);

    UnificationStyleApplicator().ApplyToSingleWidget(root);
    root.show();
    QVERIFY(QTest::qWaitForWindowExposed(&root));

    const QFont body = UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, &root);
    QCOMPARE(root.font().pixelSize(), body.pixelSize());
    QCOMPARE(root.palette().color(QPalette::WindowText), UnificationColors::Get().GetTextColor());
    QCOMPARE(root.property(UnificationStyleApplicator::StyledPropertyName()).toString(), QStringLiteral("single"));

    QCOMPARE(child->palette().color(QPalette::WindowText), childText);
    QCOMPARE(child->font().toString(), childFont.toString());
    QCOMPARE(grandChild->font().toString(), grandChildFont.toString());
    QCOMPARE(child->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, child), childMetric);
    QVERIFY(!child->property(UnificationStyleApplicator::StyledPropertyName()).isValid());
    QCOMPARE(root.style(), UnificationStyle::Shared());

    // The widget itself is painted on the surface colour inside a light frame line.
    const QImage image = Render(root);
    QCOMPARE(PixelAt(image, 0.97, 0.97), UnificationColors::Get().GetSurfaceColor());
    QCOMPARE(PixelAt(image, 1.0, 0.5), UnificationColors::Get().GetBorderColor());

    // What a form sets on a child afterwards still reaches the child's own children.
    QFont big = child->font();
    big.setPixelSize(27);
    child->setFont(big);
    QPalette tinted = child->palette();
    tinted.setColor(QPalette::WindowText, Qt::darkCyan);
    child->setPalette(tinted);
    QCOMPARE(grandChild->font().pixelSize(), 27);
    QCOMPARE(grandChild->palette().color(QPalette::WindowText), QColor(Qt::darkCyan));
}

void TestHostUi::filterExcludesWidgetsButNotTheirChildren()
{
    QWidget root;
    auto* label = new QLabel(&root);
    auto* insideLabel = new QCheckBox(label);
    UnificationStyleApplicator applicator([](const QWidget& w) { return !qobject_cast<const QLabel*>(&w); });
    applicator.Apply(root);
    QCOMPARE(root.style(), UnificationStyle::Shared());
    QVERIFY(label->style() != UnificationStyle::Shared());
    QCOMPARE(insideLabel->style(), UnificationStyle::Shared());

    QLabel single;
    applicator.ApplyToSingleWidget(single);
    QVERIFY(!single.property(UnificationStyleApplicator::StyledPropertyName()).isValid());
    QVERIFY(single.style() != UnificationStyle::Shared());
}

void TestHostUi::styleDrawsPlainFramesInTheBorderColour()
{
    QFrame frame;
    frame.setFrameShape(QFrame::Box);
    frame.setFrameShadow(QFrame::Plain);
    frame.setLineWidth(1);
    frame.resize(40, 40);
    const QColor defaultEdge = PixelAt(Render(frame), 0.0, 0.5);

    frame.setStyle(UnificationStyle::Shared());
    const QImage image = Render(frame);
    QCOMPARE(PixelAt(image, 0.0, 0.5), UnificationColors::Get().GetBorderColor());
    QCOMPARE(PixelAt(image, 1.0, 0.5), UnificationColors::Get().GetBorderColor());
    QVERIFY(defaultEdge != UnificationColors::Get().GetBorderColor());
}

void TestHostUi::styleSubclassCanOverrideOneMetric()
{
    // The shape of the scroll-bar style that a dialog sets on one scroll bar.
    class OneMetricStyle : public UnificationStyle
    {
    public:
        int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
        {
            return metric == PM_ScrollView_ScrollBarOverlap ? 1 : UnificationStyle::pixelMetric(metric, option, widget);
        }
    };
    OneMetricStyle style;
    QCOMPARE(style.pixelMetric(QStyle::PM_ScrollView_ScrollBarOverlap, nullptr, nullptr), 1);
    QCOMPARE(style.pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, nullptr),
        UnificationStyle::Shared()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, nullptr));
}

// ---------------------------------------------------------------------------------------------
// Buttons

void TestHostUi::buttonStylingsPaintTheirFill_data()
{
    const auto& c = UnificationColors::Get();
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("zelvar");
    QTest::addColumn<QColor>("fill");
    for (bool zelvar : {false, true}) {
        const char* suffix = zelvar ? " (ZelvarButton)" : " (QPushButton)";
        QTest::addRow("green%s", suffix) << int(UnificationButtonStyle::GreenFilled) << zelvar
                                         << c.GetGreenPrimaryColor();
        QTest::addRow("grey%s", suffix) << int(UnificationButtonStyle::GreyFilled) << zelvar << c.GetGreyFillColor();
        QTest::addRow("attention%s", suffix)
            << int(UnificationButtonStyle::Attention) << zelvar << c.GetAttentionColor();
        QTest::addRow("outline%s", suffix) << int(UnificationButtonStyle::Outline) << zelvar << c.GetSurfaceColor();
    }
}

void TestHostUi::buttonStylingsPaintTheirFill()
{
    QFETCH(int, kind);
    QFETCH(bool, zelvar);
    QFETCH(QColor, fill);
    std::unique_ptr<QPushButton> button = zelvar ? std::make_unique<ZelvarButton>(QStringLiteral("Go"))
                                                 : std::make_unique<QPushButton>(QStringLiteral("Go"));
    UnificationButtonStyle::ApplyStyling(*button, kind);
    button->resize(120, 32);
    const QImage image = Render(*button);
    QVERIFY2(Near(PixelAt(image, 0.1, 0.5), fill), qPrintable(PixelAt(image, 0.1, 0.5).name()));
    QVERIFY2(Near(PixelAt(image, 0.9, 0.5), fill), qPrintable(PixelAt(image, 0.9, 0.5).name()));

    // Disabled filled buttons lose their strong fill.
    if (kind != UnificationButtonStyle::Outline) {
        button->setEnabled(false);
        QVERIFY(!Near(PixelAt(Render(*button), 0.1, 0.5), fill, 12));
    }
}

void TestHostUi::outlineButtonShowsItsBorder()
{
    const QColor border = UnificationColors::Get().GetStrongBorderColor();
    QPushButton plain(QStringLiteral("Cancel"));
    UnificationButtonStyle::ApplyOutlineStyleButtonStyling(plain);
    ZelvarWhiteUnificationButton white(QStringLiteral("Cancel"));
    for (QPushButton* button : std::initializer_list<QPushButton*> {&plain, &white}) {
        button->resize(100, 30);
        const QColor edge = PixelAt(Render(*button), 0.0, 0.5);
        QVERIFY2(Near(edge, border, 8), qPrintable(edge.name()));
    }
}

void TestHostUi::textColourSetAfterStylingIsPainted()
{
    // A caller recolours a styled button's text afterwards; the styling must not paint over it.
    const QColor teal(0x36, 0x7E, 0x9C);
    QPushButton plain(QStringLiteral("MMMM"));
    UnificationButtonStyle::ApplyDeprecatedTextButtonStyling(plain);
    UnificationButtonStyle::SetButtonTextColor(plain, teal);
    ZelvarButton zelvar(QStringLiteral("MMMM"));
    UnificationButtonStyle::ApplyDeprecatedTextButtonStyling(zelvar);
    UnificationButtonStyle::SetButtonTextColor(zelvar, teal);
    QCOMPARE(zelvar.GetColor(ZelvarButton::TextHover), teal);
    QCOMPARE(zelvar.GetColor(ZelvarButton::TextDisabled), UnificationColors::Get().GetDisabledTextColor());

    for (QPushButton* button : std::initializer_list<QPushButton*> {&plain, &zelvar}) {
        QFont font = button->font();
        font.setPixelSize(24);
        font.setBold(true);
        button->setFont(font);
        button->resize(button->sizeHint());
        QVERIFY2(CountPixelsNear(Render(*button), teal, 24) > 20, button->metaObject()->className());
    }
}

void TestHostUi::styledButtonsFollowTheirParentsFontAndSizeToTheirKind()
{
    QWidget form;
    auto* ok = new QPushButton(QStringLiteral("OK"), &form);
    UnificationButtonStyle::ApplyGreenFilledButtonStyling(*ok);
    QCOMPARE(UnificationButtonStyle::GetStyling(*ok), int(UnificationButtonStyle::GreenFilled));
    QFont body = UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, &form);
    body.setPixelSize(23);
    form.setFont(body);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(ok->font().pixelSize(), 23);

    // Paddings of the kind, not those of the platform style, and no forced minimum width.
    const int textWidth = ok->fontMetrics().size(Qt::TextShowMnemonic, QStringLiteral("OK")).width();
    const int hPad = ScaleForDpi(ok, 14) + 1;
    QCOMPARE(ok->sizeHint().width(), textWidth + 2 * hPad);
    const int textButtonWidth = [&] {
        UnificationButtonStyle::ApplyTextButtonStyling(*ok);
        return ok->sizeHint().width();
    }();
    QVERIFY2(textButtonWidth < textWidth + 2 * hPad, "restyling must drop the cached size hint");
    QVERIFY(QPushButton(QStringLiteral("OK")).sizeHint().width() != textWidth + 2 * hPad);
}

void TestHostUi::zelvarButtonColoursAndStates()
{
    ZelvarButton button(QStringLiteral("12 levels"));
    const QColor lookText = button.GetColor(ZelvarButton::TextNormal);
    const QColor red = UnificationColors::Get().GetAttentionTextColor();
    for (int slot : {2, 8, 11})
        button.SetOverrideColor(slot, red);
    QCOMPARE(button.GetColor(ZelvarButton::TextNormal), red);
    QCOMPARE(button.GetColor(ZelvarButton::TextPressed), red);
    QCOMPARE(button.GetColor(ZelvarButton::TextHover), red);
    QVERIFY(!button.HasOverrideColor(ZelvarButton::TextDisabled));

    // A new look keeps the overrides; clearing them returns to the look.
    UnificationButtonStyle::ApplyGreyFilledButtonStyling(button);
    QCOMPARE(button.GetColor(ZelvarButton::TextNormal), red);
    button.ClearOverrideColors();
    QCOMPARE(button.GetColor(ZelvarButton::TextNormal), lookText);
    QCOMPARE(button.GetColor(ZelvarButton::BackgroundNormal), UnificationColors::Get().GetGreyFillColor());

    QCOMPARE(button.GetVisualState(), int(UnificationButtonLook::Normal));
    button.setDown(true);
    QCOMPARE(button.GetVisualState(), int(UnificationButtonLook::Pressed));
    button.setDown(false);
    button.setEnabled(false);
    QCOMPARE(button.GetVisualState(), int(UnificationButtonLook::Disabled));

    // A flat button without border shows nothing but its text at rest.
    QWidget backdrop;
    ZelvarButton flat(QStringLiteral("x"));
    flat.setFlat(true);
    flat.SetDrawBorderEnabled(false);
    backdrop.setAutoFillBackground(true);
    QPalette palette = backdrop.palette();
    palette.setColor(QPalette::Window, Qt::yellow);
    backdrop.setPalette(palette);
    flat.setParent(&backdrop);
    flat.resize(60, 30);
    backdrop.resize(60, 30);
    QCOMPARE(PixelAt(Render(backdrop), 0.0, 0.5), QColor(Qt::yellow));
    QCOMPARE(PixelAt(Render(backdrop), 0.1, 0.1), QColor(Qt::yellow));
}

void TestHostUi::zelvarButtonPaddingModes()
{
    ZelvarButton image;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    image.setIcon(QIcon(pixmap));
    image.setIconSize(QSize(16, 16));
    const QSize standard = image.sizeHint();

    image.SetPaddingMode(ZelvarButton::PaddingMode_Minimal);
    const QSize minimal = image.sizeHint();
    QVERIFY(minimal.width() < standard.width());
    QVERIFY(minimal.height() < standard.height());

    // The title-bar close button: an image and nothing around it.
    image.SetMinimalHorizontalPadding(0);
    image.SetMinimalVerticalPadding(0);
    image.SetDrawBorderEnabled(false);
    QCOMPARE(image.sizeHint(), QSize(16, 16));

    ZelvarButton text(QStringLiteral("Hide All Fields"));
    const int textWidth = text.fontMetrics().horizontalAdvance(QStringLiteral("Hide All Fields"));
    QVERIFY(text.sizeHint().width() >= textWidth + 2 * ScaleForDpi(&text, 14));
    QMenu menu;
    text.setMenu(&menu);
    QVERIFY(text.sizeHint().width() > textWidth + 2 * ScaleForDpi(&text, 14) + ScaleForDpi(&text, 8));
}

void TestHostUi::zelvarButtonRejectsBadSettings()
{
    ZelvarButton button;
    QVERIFY_EXCEPTION_THROWN(button.SetPaddingMode(2), LogicException);
    QVERIFY_EXCEPTION_THROWN(button.SetPaddingMode(-1), LogicException);
    QVERIFY_EXCEPTION_THROWN(button.SetMinimalHorizontalPadding(-1), LogicException);
    QVERIFY_EXCEPTION_THROWN(button.SetOverrideColor(12, Qt::red), LogicException);
    QVERIFY_EXCEPTION_THROWN(button.GetColor(-1), LogicException);
    QVERIFY_EXCEPTION_THROWN(
        UnificationButtonStyle::ApplyStyling(button, UnificationButtonStyle::KindCount), LogicException);
    QCOMPARE(button.GetPaddingMode(), int(ZelvarButton::PaddingMode_Standard));
}

// ---------------------------------------------------------------------------------------------
// Icons

void TestHostUi::iconsRenderForEveryKnownResource()
{
    QVERIFY(!KnownResourceIds().empty());
    for (QtZelResourceId id : KnownResourceIds()) {
        const TIcon icon(id);
        const QString what = QString::number(id);
        QCOMPARE(icon.GetResourceId(), id);
        QVERIFY2(!icon.GetDefaultSize().isEmpty(), qPrintable(what));

        const QPixmap small = icon.GetPixmap(QSize(16, 16));
        QVERIFY2(!small.isNull(), qPrintable(what));
        // Something is drawn, and not just a filled square.
        const int opaque = CountOpaquePixels(small.toImage());
        QVERIFY2(opaque > 16 && opaque < 16 * 16, qPrintable(what));

        const QPixmap sharp = icon.GetPixmap(QSize(24, 24), 2.0);
        QCOMPARE(sharp.size(), QSize(48, 48));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);

        const QIcon qicon = icon;
        QVERIFY(!qicon.isNull());
        QVERIFY(CountOpaquePixels(qicon.pixmap(QSize(32, 32)).toImage()) > 32);
    }
    for (const char* name : {"information", "question", "warning", "critical"}) {
        const TIcon icon = TIcon::FromResourcePath(QStringLiteral(":/zel/icons/msg-%1.svg").arg(QLatin1String(name)));
        QVERIFY2(!icon.GetPixmap(QSize(32, 32)).isNull(), name);
    }
}

void TestHostUi::iconEdgeCases()
{
    QVERIFY_EXCEPTION_THROWN(TIcon(12345), LogicException);
    const TIcon none;
    QVERIFY(none.IsNull());
    QVERIFY(none.GetPixmap(QSize(16, 16)).isNull());
    QVERIFY(none.ToQIcon().isNull());
    QVERIFY(TIcon::FromResourcePath(QStringLiteral(":/zel/icons/missing.svg")).GetPixmap(QSize(16, 16)).isNull());
    QVERIFY(TIcon(KnownResourceIds().front()).GetPixmap(QSize(0, 16)).isNull());
    QCOMPARE(TIcon(KnownResourceIds().front()), TIcon(KnownResourceIds().front()));
}

// ---------------------------------------------------------------------------------------------
// Modal seams

void TestHostUi::messageBoxAsksThePresenterWithEverything()
{
    RecordingPresenter presenter;
    presenter.answer = QMessageBox::Cancel;
    ScopedModalPresenter scope(presenter);
    QWidget owner;

    const auto answer = TMessageBox::Show(TString(L"The name is taken."), QMessageBox::Warning,
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, Qt::WindowModal, &owner);

    QCOMPARE(answer, QMessageBox::Cancel);
    QCOMPARE(presenter.requests.size(), std::size_t(1));
    const MessageBoxRequest& request = presenter.requests.front();
    QCOMPARE(request.text, QStringLiteral("The name is taken."));
    QCOMPARE(request.icon, QMessageBox::Warning);
    QCOMPARE(request.buttons, QMessageBox::StandardButtons(QMessageBox::Ok | QMessageBox::Cancel));
    QCOMPARE(request.defaultButton, QMessageBox::Cancel);
    QCOMPARE(request.modality, Qt::WindowModal);
    QCOMPARE(request.parent.data(), &owner);
    QCOMPARE(request.title, QGuiApplication::applicationDisplayName());

    // No buttons means OK; a dismissal answers NoButton.
    presenter.answer = QMessageBox::NoButton;
    QCOMPARE(TMessageBox::Show(TString(L"x"), QMessageBox::Information, QMessageBox::NoButton, QMessageBox::NoButton,
                 Qt::ApplicationModal),
        QMessageBox::NoButton);
    QCOMPARE(presenter.requests.back().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestHostUi::messageBoxRejectsInconsistentButtons()
{
    RecordingPresenter presenter;
    ScopedModalPresenter scope(presenter);
    QVERIFY_EXCEPTION_THROWN(
        TMessageBox::Show(TString(L"x"), QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Cancel, Qt::WindowModal),
        LogicException);
    QVERIFY(presenter.requests.empty());

    // A scripted answer that the box did not offer is a broken script, not a user's choice.
    presenter.answer = QMessageBox::Yes;
    QVERIFY_EXCEPTION_THROWN(
        TMessageBox::Show(TString(L"x"), QMessageBox::Warning, QMessageBox::Ok, QMessageBox::NoButton, Qt::WindowModal),
        LogicException);
}

void TestHostUi::scopedPresentersNestAndRestore()
{
    IModalPresenter& original = GetModalPresenter();
    QCOMPARE(&original, &GetDefaultModalPresenter());
    RecordingPresenter outer;
    RecordingPresenter inner;
    outer.answer = QMessageBox::Ok;
    inner.answer = QMessageBox::Ok;
    {
        ScopedModalPresenter outerScope(outer);
        {
            ScopedModalPresenter innerScope(inner);
            TMessageBox::Show(
                TString(L"inner"), QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, Qt::ApplicationModal);
        }
        TMessageBox::Show(
            TString(L"outer"), QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, Qt::ApplicationModal);
    }
    QCOMPARE(&GetModalPresenter(), &original);
    QCOMPARE(inner.requests.size(), std::size_t(1));
    QCOMPARE(inner.requests.front().text, QStringLiteral("inner"));
    QCOMPARE(outer.requests.size(), std::size_t(1));
    QCOMPARE(outer.requests.front().text, QStringLiteral("outer"));

    // Setting null goes back to the default.
    IModalPresenter* previous = SetModalPresenter(&outer);
    QCOMPARE(previous, &original);
    SetModalPresenter(nullptr);
    QCOMPARE(&GetModalPresenter(), &GetDefaultModalPresenter());
}

void TestHostUi::menuExecGoesThroughThePresenter()
{
    RecordingPresenter presenter;
    ScopedModalPresenter scope(presenter);
    QWidget owner;
    TMenu menu(&owner);
    menu.addAction(QStringLiteral("First"));
    TMenu* source = menu.AddMenu(TString(L"Orders"));
    QCOMPARE(source->title(), QStringLiteral("Orders"));
    QCOMPARE(source->parent(), static_cast<QObject*>(&menu));
    QCOMPARE(menu.actions().last(), source->menuAction());
    QAction* wanted = source->addAction(QStringLiteral("Region"));

    presenter.menuChoice = QStringLiteral("Region");
    QCOMPARE(menu.exec(QPoint(40, 50)), wanted);
    QCOMPARE(presenter.menus.back(), static_cast<QMenu*>(&menu));
    QCOMPARE(presenter.positions.back(), QPoint(40, 50));
    QCOMPARE(presenter.ats.back(), static_cast<QAction*>(nullptr));

    presenter.menuChoice.clear();
    QCOMPARE(menu.exec(QPoint(1, 2), wanted), static_cast<QAction*>(nullptr));
    QCOMPARE(presenter.ats.back(), wanted);
    QCOMPARE(presenter.menus.size(), std::size_t(2));
}

void TestHostUi::defaultPresenterShowsARealMessageBox()
{
    bool seen = false;
    QString seenText;
    bool defaultIsGreen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        seenText = box->text();
        if (auto* cancel = box->button(QMessageBox::Cancel)) {
            cancel->ensurePolished();
            defaultIsGreen = UnificationButtonStyle::GetStyling(*qobject_cast<QPushButton*>(cancel))
                == UnificationButtonStyle::GreenFilled;
            cancel->click();
        }
    });
    // Whatever happened above, no modal box outlives the test.
    QTimer safety;
    safety.setInterval(2000);
    QObject::connect(&safety, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    safety.start();

    const auto answer = TMessageBox::Show(TString(L"Delete the copy?"), QMessageBox::Question,
        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel, Qt::ApplicationModal);

    QVERIFY(seen);
    QCOMPARE(seenText, QStringLiteral("Delete the copy?"));
    QVERIFY(defaultIsGreen);
    QCOMPARE(answer, QMessageBox::Cancel);
}

void TestHostUi::defaultPresenterRunsARealMenu()
{
    WarningCatcher catcher;
    QWidget owner;
    owner.resize(200, 200);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    TMenu menu(&owner);
    menu.addAction(QStringLiteral("Clear Sort"));
    QAction* second = menu.addAction(QStringLiteral("Second"));

    QTimer::singleShot(50, [&] {
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            popup->setActiveAction(second);
            QTest::keyClick(popup, Qt::Key_Return);
        }
    });
    QTimer safety;
    safety.setInterval(2000);
    QObject::connect(&safety, &QTimer::timeout, [&menu] { menu.close(); });
    safety.start();

    QCOMPARE(menu.exec(owner.mapToGlobal(QPoint(10, 10))), second);
    QVERIFY2(catcher.Warnings().isEmpty(), qPrintable(catcher.Warnings().join(QLatin1Char('\n'))));
}

// ---------------------------------------------------------------------------------------------
// Signal blocker

void TestHostUi::signalBlockerRestoresThePreviousState()
{
    QObject free;
    QObject alreadyBlocked;
    alreadyBlocked.blockSignals(true);
    {
        QtSignalBlocker blocker {&free, &alreadyBlocked};
        QVERIFY(free.signalsBlocked());
        {
            QtSignalBlocker nested(&free);
            QVERIFY(free.signalsBlocked());
        }
        QVERIFY2(free.signalsBlocked(), "an inner blocker must not unblock an outer one");
    }
    QVERIFY(!free.signalsBlocked());
    QVERIFY(alreadyBlocked.signalsBlocked());

    // Signals really stop, and an early Unblock ends the scope's effect once.
    QSpinBox spin;
    QSignalSpy spy(&spin, qOverload<int>(&QSpinBox::valueChanged));
    {
        QtSignalBlocker blocker(&spin);
        spin.setValue(3);
        QCOMPARE(spy.count(), 0);
        blocker.Unblock();
        spin.setValue(4);
        QCOMPARE(spy.count(), 1);
        spin.blockSignals(true);
    }
    QVERIFY2(spin.signalsBlocked(), "after Unblock the destructor must not touch the object again");

    // An object listed twice ends as it began.
    QObject twice;
    {
        QtSignalBlocker blocker {&twice, &twice};
    }
    QVERIFY(!twice.signalsBlocked());
}

void TestHostUi::signalBlockerSurvivesDeletedObjectsAndRejectsNull()
{
    auto* doomed = new QObject;
    QObject kept;
    {
        QtSignalBlocker blocker {doomed, &kept};
        delete doomed;
    }
    QVERIFY(!kept.signalsBlocked());

    QVERIFY_EXCEPTION_THROWN((QtSignalBlocker {&kept, nullptr}), LogicException);
    QVERIFY2(!kept.signalsBlocked(), "a rejected blocker must not have blocked anything");
}

// ---------------------------------------------------------------------------------------------
// Placement

void TestHostUi::resolveParentPrefersTheGivenThenTheActiveWindow()
{
    QWidget given;
    QCOMPARE(QtUtil::ResolveParent(&given), &given);

    QWidget active;
    active.resize(100, 100);
    active.show();
    QApplication::setActiveWindow(&active);
    if (!QTest::qWaitForWindowActive(&active))
        QSKIP("the platform does not activate windows");
    QCOMPARE(QtUtil::ResolveParent(nullptr), &active);
    QCOMPARE(QtUtil::ResolveParent(&given), &given);
    active.hide();
    QApplication::setActiveWindow(nullptr);
    QCOMPARE(QtUtil::ResolveParent(nullptr), static_cast<QWidget*>(nullptr));
}

void TestHostUi::computeGeometryCentresAndStaysInside_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    const QRect screen(0, 0, 1000, 800);
    QTest::newRow("centred over the parent")
        << QSize(200, 100) << QRect(300, 300, 400, 200) << screen << QRect(400, 350, 200, 100);
    QTest::newRow("no parent: centred on the screen")
        << QSize(200, 100) << QRect() << screen << QRect(400, 350, 200, 100);
    QTest::newRow("parent at the right edge")
        << QSize(300, 100) << QRect(900, 300, 100, 100) << screen << QRect(700, 300, 300, 100);
    QTest::newRow("parent above the top")
        << QSize(300, 200) << QRect(100, -300, 300, 200) << screen << QRect(100, 0, 300, 200);
    QTest::newRow("taller than the screen")
        << QSize(300, 1200) << QRect(100, 100, 300, 300) << screen << QRect(100, 0, 300, 800);
    QTest::newRow("second screen with a task bar")
        << QSize(200, 200) << QRect(1990, 10, 20, 20) << QRect(1000, 40, 1000, 760) << QRect(1800, 40, 200, 200);
}

void TestHostUi::computeGeometryCentresAndStaysInside()
{
    QFETCH(QSize, size);
    QFETCH(QRect, anchor);
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    const QRect result = QtUtil::ComputeWidgetGeometry(size, anchor, available);
    QCOMPARE(result, expected);
    QVERIFY(available.contains(result));
}

void TestHostUi::computeGeometryPlacesADialogOverItsParentOnScreen()
{
    QVERIFY_EXCEPTION_THROWN(QtUtil::ComputeWidgetGeometry(static_cast<QWidget*>(nullptr)), LogicException);

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget parent;
    parent.setGeometry(available.left() + 20, available.top() + 20, available.width() / 2, available.height() / 2);
    QDialog dialog(&parent);
    dialog.resize(120, 80);
    const QRect placed = QtUtil::ComputeWidgetGeometry(&dialog);
    QCOMPARE(placed.size(), QSize(120, 80));
    QCOMPARE(placed.center(), parent.frameGeometry().center());
    QCOMPARE(dialog.geometry(), placed);

    // A parent hanging off the screen still gets its dialog fully on screen.
    parent.move(available.right() - 30, available.bottom() - 30);
    QVERIFY(available.contains(QtUtil::ComputeWidgetGeometry(&dialog)));

    // Never resized: the size hint is used.
    QDialog fresh(&parent);
    auto* layout = new QGridLayout(&fresh);
    layout->addWidget(new QLabel(QStringLiteral("A label wide enough to matter")), 0, 0);
    QCOMPARE(QtUtil::ComputeWidgetGeometry(&fresh).size(), fresh.sizeHint());
}

// ---------------------------------------------------------------------------------------------
// Everything together

// The buttons as a form mixes them, styled before the form is: saved as a picture for review when
// ZEL_HOST_UI_GALLERY names a file.
void TestHostUi::applyKeepsStyledButtonsAndReachesUnderStyleSheets()
{
    QWidget gallery;
    gallery.setObjectName(QStringLiteral("gallery"));
    auto* grid = new QGridLayout(&gallery);
    const int spacing = ScaleForDpi(&gallery, 12);
    grid->setContentsMargins(spacing, spacing, spacing, spacing);
    grid->setSpacing(spacing);

    int row = 0;
    auto addButtons = [&](QWidget* host, QGridLayout* layout, int r, bool enabled) {
        const std::pair<const char*, int> kinds[] = {{"OK", UnificationButtonStyle::GreenFilled},
            {"Delete", UnificationButtonStyle::GreyFilled}, {"Cancel", UnificationButtonStyle::Outline},
            {"Hide All Fields", UnificationButtonStyle::DeprecatedText}, {"Learn more", UnificationButtonStyle::Text},
            {"Remove", UnificationButtonStyle::Attention}};
        int column = 0;
        for (const auto& [text, kind] : kinds) {
            auto* button = new QPushButton(QString::fromLatin1(text), host);
            UnificationButtonStyle::ApplyStyling(*button, kind);
            button->setEnabled(enabled);
            layout->addWidget(button, r, column++);
        }
    };
    addButtons(&gallery, grid, row++, true);
    addButtons(&gallery, grid, row++, false);

    auto* zelvarRow = new QHBoxLayout;
    auto* ok = new ZelvarGreenUnificationButton(QStringLiteral("Open"), &gallery);
    ok->setFocus();
    zelvarRow->addWidget(ok);
    zelvarRow->addWidget(new ZelvarWhiteUnificationButton(QStringLiteral("Cancel"), &gallery));
    auto* count = new ZelvarButton(QStringLiteral("101 levels selected"), &gallery);
    count->setFlat(true);
    count->SetPaddingMode(ZelvarButton::PaddingMode_Minimal);
    count->SetDrawBorderEnabled(false);
    count->SetDropArrowMatchesTextColor(true);
    for (int slot : {2, 8, 11})
        count->SetOverrideColor(slot, UnificationColors::Get().GetAttentionTextColor());
    count->setMenu(new QMenu(count));
    QFont italic = count->font();
    italic.setItalic(true);
    count->setFont(italic);
    zelvarRow->addWidget(count);
    auto* close = new ZelvarButton(&gallery);
    close->setIcon(TIcon(691355306));
    close->setIconSize(ScaleForDpi(close, QSize(16, 16)));
    close->SetPaddingMode(ZelvarButton::PaddingMode_Minimal);
    close->SetMinimalHorizontalPadding(0);
    close->SetMinimalVerticalPadding(0);
    close->SetDrawBorderEnabled(false);
    close->setFlat(true);
    zelvarRow->addWidget(close);
    zelvarRow->addStretch();
    grid->addLayout(zelvarRow, row++, 0, 1, 6);

    auto* dark = new QWidget(&gallery);
    dark->setObjectName(QStringLiteral("backgroundWidget"));
    dark->setStyleSheet(QStringLiteral("QWidget#backgroundWidget { background: #355C80 }"));
    auto* darkLayout = new QHBoxLayout(dark);
    auto* light = new QPushButton(QStringLiteral("Light Outline"), dark);
    UnificationButtonStyle::ApplyLightOutlineStyleButtonStyling(*light);
    darkLayout->addWidget(light);
    darkLayout->addStretch();
    grid->addWidget(dark, row++, 0, 1, 6);

    UnificationStyleApplicator().Apply(gallery);
    gallery.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gallery));
    // Shows the focus ring, as after tabbing to the button.
    QApplication::setActiveWindow(&gallery);
    ok->setFocus(Qt::TabFocusReason);
    gallery.setAttribute(Qt::WA_KeyboardFocusChange);

    // Styled buttons keep their kind under Apply, and a style sheet does not cut them off its font.
    QCOMPARE(UnificationButtonStyle::GetStyling(*light), int(UnificationButtonStyle::LightOutline));
    QCOMPARE(light->font().pixelSize(), gallery.font().pixelSize());
    const QImage image = gallery.grab().toImage();
    QVERIFY(!image.isNull());
    const QRect okRect = grid->itemAtPosition(0, 0)->widget()->geometry();
    const QPoint okFill = QPoint(okRect.left() + 4, okRect.center().y()) * image.devicePixelRatio();
    QVERIFY(Near(image.pixelColor(okFill), UnificationColors::Get().GetGreenPrimaryColor()));
    const QString out = qEnvironmentVariable("ZEL_HOST_UI_GALLERY");
    if (!out.isEmpty())
        QVERIFY(image.save(out));
}

QTEST_MAIN(TestHostUi)
#include "test_host_ui.moc"
