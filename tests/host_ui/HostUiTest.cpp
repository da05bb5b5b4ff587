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
#include "tests/support/ModalScript.h"
#include "tests/support/ZelTestCase.h"

#include <QtGui/QScreen>
#include <QtTest/QtTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>

#include <cmath>
#include <functional>
#include <vector>

using namespace ZelTest;

namespace {

bool Near(const QColor& a, const QColor& b, int tolerance = 4)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// WCAG contrast ratio.
double Contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& c) {
        auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue()) + 0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// A 1:1 raster device of a chosen dpi, independent of the test screen.
QImage DeviceAt(int dpi)
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    return image;
}

QImage Render(QWidget& widget)
{
    widget.ensurePolished();
    return widget.grab().toImage();
}

// Samples at a position given in fractions of the size, so that it works at any pixel ratio.
QColor PixelAt(const QImage& image, double fx, double fy)
{
    return image.pixelColor(static_cast<int>(fx * (image.width() - 1)), static_cast<int>(fy * (image.height() - 1)));
}

int CountPixels(const QImage& image, const std::function<bool(const QColor&)>& accept)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += accept(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

QMessageBox::StandardButton Show(const wchar_t* text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton, QWidget* parent = nullptr)
{
    return TMessageBox::Show(TString(text), QMessageBox::Warning, buttons, defaultButton, Qt::WindowModal, parent);
}

} // namespace

namespace {
constexpr int Fill = 0, Edge = 1, Text = 2; // what of a button to look at
const QColor Backdrop(0x35, 0x5C, 0x80);
const QColor CallerText(0xFF, 0xC0, 0x30);
} // namespace

class HostUiTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void scaleForDpiRounds_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("logical");
        QTest::addColumn<int>("expected");
        QTest::newRow("96 is the design dpi") << 96 << 7 << 7;
        QTest::newRow("144 rounds half away from zero") << 144 << 7 << 11;
        QTest::newRow("120 rounds down") << 120 << 1 << 1;
        QTest::newRow("192 doubles") << 192 << 12 << 24;
        QTest::newRow("negative offsets scale too") << 192 << -3 << -6;
    }

    void scaleForDpiRounds()
    {
        QFETCH(int, dpi);
        QFETCH(int, logical);
        QFETCH(int, expected);
        const QImage device = DeviceAt(dpi);
        QCOMPARE(ScaleForDpi(&device, logical), expected);
        QCOMPARE(ScaleForDpi(&device, QSize(logical, 2 * logical)), QSize(expected, ScaleForDpi(&device, 2 * logical)));
        QCOMPARE(ScaleForDpi(&device, QMargins(logical, 0, logical, 0)), QMargins(expected, 0, expected, 0));
    }

    void scaleForDpiOnWidgetsFollowsTheScreenNotQtsPixelRatio()
    {
        QWidget widget;
        QCOMPARE(ScaleForDpi(&widget, 500), static_cast<int>(std::lround(500 * widget.logicalDpiX() / 96.0)));
        // The null device stands for the primary screen.
        QCOMPARE(ScaleForDpi(nullptr, 500),
            static_cast<int>(std::lround(500 * QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 96.0)));

        // The variants of this suite pin the environment; check the figures they must give.
        if (qEnvironmentVariableIntValue("QT_FONT_DPI") == 144) {
            QCOMPARE(ScaleForDpi(&widget, QSize(500, 350)), QSize(750, 525));
        }
        if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2")) {
            // Qt scales device pixels itself; scaling again would make everything twice too big.
            QCOMPARE(widget.devicePixelRatioF(), 2.0);
            QVERIFY(ScaleForDpi(&widget, 100) < 150);
        }
    }

    void fontsFollowTheRampAndTheDevice()
    {
        using F = UnificationFontUtil;
        for (int role = 1; role < F::RoleCount; ++role)
            QVERIFY2(F::GetPixelSize(role) > F::GetPixelSize(role - 1), qPrintable(QString::number(role)));
        const QImage at96 = DeviceAt(96);
        const QImage at192 = DeviceAt(192);
        const QFont body = F::GetFont(F::Body, F::Regular, &at96);
        QCOMPARE(F::GetFont(F::Body, F::Regular, &at192).pixelSize(), 2 * body.pixelSize());
        QVERIFY(F::GetFont(F::Body, F::SemiBold, &at96).weight() > body.weight());

        // Host font 26 is the dialog title: larger than the body and semibold, scaled only on request.
        const QFont hostBody = ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_Default, &at192, false);
        const QFont title = ZelWidgetUtil::GetFont(26, &at192, false);
        QVERIFY(title.pixelSize() > hostBody.pixelSize());
        QVERIFY(title.weight() >= QFont::DemiBold);
        QCOMPARE(ZelWidgetUtil::GetFont(26, &at192, true).pixelSize(), 2 * title.pixelSize());
        QVERIFY(QFontInfo(ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_Code, true)).fixedPitch());
        QVERIFY(ZelWidgetUtil::GetFont(ZelWidgetUtil::Font_Italic, false).italic());
    }

    void representativeColourPairsAreReadable()
    {
        // 4.5:1 is the usual floor for body text, 3:1 for control outlines.
        const auto& c = UnificationColors::Get();
        const QColor onFilled = c.GetColor(UnificationColors::OnFilledText);
        QVERIFY(Contrast(c.GetTextColor(), c.GetSurfaceColor()) >= 4.5);
        QVERIFY(Contrast(onFilled, c.GetGreenPrimaryColor()) >= 4.5);
        QVERIFY(Contrast(onFilled, c.GetAttentionColor()) >= 4.5);
        QVERIFY(Contrast(c.GetColor(UnificationColors::Focus), c.GetSurfaceColor()) >= 3.0);
    }

    void badArgumentsRaiseTheLogicException()
    {
        QVERIFY_EXCEPTION_THROWN(UnificationFontUtil::GetFont(-1, 0, nullptr), LogicException);
        QVERIFY_EXCEPTION_THROWN(
            UnificationFontUtil::GetFont(UnificationFontUtil::RoleCount, 0, nullptr), LogicException);
        QVERIFY_EXCEPTION_THROWN(UnificationFontUtil::GetFont(3, 4, nullptr), LogicException);
        QVERIFY_EXCEPTION_THROWN(ZelWidgetUtil::GetFont(9, true), LogicException);
        QVERIFY_EXCEPTION_THROWN(ZelWidgetUtil::GetFont(-26, nullptr, true), LogicException);
        QVERIFY_EXCEPTION_THROWN(UnificationColors::Get().GetColor(UnificationColors::ColorCount), LogicException);
        QVERIFY_EXCEPTION_THROWN(TIcon(12345), LogicException);
        QVERIFY_EXCEPTION_THROWN(QtUtil::ComputeWidgetGeometry(static_cast<QWidget*>(nullptr)), LogicException);

        ZelvarButton button;
        QVERIFY_EXCEPTION_THROWN(button.SetPaddingMode(2), LogicException);
        QVERIFY_EXCEPTION_THROWN(button.SetMinimalHorizontalPadding(-1), LogicException);
        QVERIFY_EXCEPTION_THROWN(button.SetOverrideColor(ZelvarButton::ColorSlotCount, Qt::red), LogicException);
        QVERIFY_EXCEPTION_THROWN(
            UnificationButtonStyle::ApplyStyling(button, UnificationButtonStyle::KindCount), LogicException);
        QCOMPARE(button.GetPaddingMode(), int(ZelvarButton::PaddingMode_Standard));

        QObject kept;
        QVERIFY_EXCEPTION_THROWN((QtSignalBlocker {&kept, nullptr}), LogicException);
        QVERIFY2(!kept.signalsBlocked(), "a rejected blocker must not have blocked anything");
    }

    void applyStylesTheTreeButNotChildWindows()
    {
        QWidget root;
        auto* frame = new QFrame(&root);
        auto* label = new QLabel(QStringLiteral("label"), frame);
        auto* check = new QCheckBox(QStringLiteral("check"), frame);
        auto* childWindow = new QDialog(&root);
        auto* insideChildWindow = new QLabel(childWindow);
        // A descendant's own palette and font survive.
        auto* title = new QLabel(QStringLiteral("title"), &root);
        QPalette own = title->palette();
        own.setColor(QPalette::WindowText, Qt::magenta);
        title->setPalette(own);
        QFont big = title->font();
        big.setPixelSize(31);
        title->setFont(big);
        // A button styled before its form keeps its kind, also under a style sheet.
        auto* sheeted = new QWidget(&root);
        sheeted->setStyleSheet(QStringLiteral("QWidget { background: #355C80 }"));
        auto* light = new QPushButton(QStringLiteral("Light"), sheeted);
        UnificationButtonStyle::ApplyLightOutlineButtonStyling(*light);
        UnificationStyleApplicator().Apply(root);

        QStyle* shared = UnificationStyle::Shared();
        for (QWidget* w : std::initializer_list<QWidget*> {&root, frame, label, check, title})
            QCOMPARE(w->style(), shared);
        QVERIFY(childWindow->style() != shared);
        QVERIFY(insideChildWindow->style() != shared);
        const auto& colors = UnificationColors::Get();
        QCOMPARE(label->palette().color(QPalette::WindowText), colors.GetTextColor());
        QCOMPARE(label->font().pixelSize(),
            UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, &root).pixelSize());
        QCOMPARE(check->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check), ScaleForDpi(check, 14));
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::magenta));
        QCOMPARE(title->palette().color(QPalette::Window), colors.GetSurfaceColor());
        QCOMPARE(title->font().pixelSize(), 31);
        QCOMPARE(UnificationButtonStyle::GetStyling(*light), int(UnificationButtonStyle::LightOutline));
        QCOMPARE(light->font().pixelSize(), label->font().pixelSize());
    }

    void applyToSingleWidgetLeavesChildrenAlone()
    {
        QFrame root;
        root.setFrameShape(QFrame::Box);
        root.setFrameShadow(QFrame::Plain);
        auto* child = new QLabel(QStringLiteral("child"), &root);
        auto* grandChild = new QCheckBox(QStringLiteral("grand child"), child);
        root.resize(200, 100);
        root.ensurePolished();
        const QColor childText = child->palette().color(QPalette::WindowText);
        const QString childFont = child->font().toString();
        const QString grandChildFont = grandChild->font().toString();
        QStyle* childStyle = child->style();
        UnificationStyleApplicator().ApplyToSingleWidget(root);
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
        const auto& colors = UnificationColors::Get();
        QCOMPARE(root.style(), UnificationStyle::Shared());
        QCOMPARE(root.font().pixelSize(),
            UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, &root).pixelSize());
        QCOMPARE(root.palette().color(QPalette::WindowText), colors.GetTextColor());
        QCOMPARE(child->style(), childStyle);
        QCOMPARE(child->palette().color(QPalette::WindowText), childText);
        QCOMPARE(child->font().toString(), childFont);
        QCOMPARE(grandChild->font().toString(), grandChildFont);

        // The widget itself is painted on the surface colour inside a light frame line.
        const QImage image = Render(root);
        QCOMPARE(PixelAt(image, 0.97, 0.97), colors.GetSurfaceColor());
        QCOMPARE(PixelAt(image, 1.0, 0.5), colors.GetBorderColor());

        // What a form sets on a child afterwards still reaches the child's own children.
        QFont big = child->font();
        big.setPixelSize(27);
        child->setFont(big);
        QCOMPARE(grandChild->font().pixelSize(), 27);
    }

    void filterExcludesWidgetsButNotTheirChildren()
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
        QVERIFY(single.style() != UnificationStyle::Shared());
    }

    void buttonKindsPaintTheirColours_data()
    {
        using B = UnificationButtonStyle;
        const auto& c = UnificationColors::Get();
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("zelvar");
        QTest::addColumn<int>("probe");
        QTest::addColumn<QColor>("expected");
        QTest::addColumn<bool>("recolour"); // the caller sets the text colour after styling
        for (bool zelvar : {false, true}) {
            auto row = [zelvar](const char* name, int kind, int probe, const QColor& expected, bool recolour = false) {
                QTest::addRow("%s, %s", name, zelvar ? "ZelvarButton" : "QPushButton")
                    << kind << zelvar << probe << expected << recolour;
            };
            row("green fill", B::GreenFilled, Fill, c.GetGreenPrimaryColor());
            row("grey fill", B::GreyFilled, Fill, c.GetGreyFillColor());
            row("attention fill", B::Attention, Fill, c.GetAttentionColor());
            row("outline edge", B::Outline, Edge, c.GetStrongBorderColor());
            row("light outline is see-through", B::LightOutline, Fill, Backdrop);
            row("text is a link", B::Text, Text, c.GetLinkColor());
            row("caller's text colour", B::DeprecatedText, Text, CallerText, true);
        }
    }

    void buttonKindsPaintTheirColours()
    {
        QFETCH(int, kind);
        QFETCH(bool, zelvar);
        QFETCH(int, probe);
        QFETCH(QColor, expected);
        QFETCH(bool, recolour);
        // On a dark backdrop, so that whatever a button leaves unpainted shows.
        QWidget backdrop;
        backdrop.setAutoFillBackground(true);
        backdrop.setPalette(QPalette(Backdrop));
        QPushButton* button = zelvar ? new ZelvarButton(QStringLiteral("MM"), &backdrop)
                                     : new QPushButton(QStringLiteral("MM"), &backdrop);
        UnificationButtonStyle::ApplyStyling(*button, kind);
        if (recolour)
            UnificationButtonStyle::SetButtonTextColor(*button, expected);
        QFont font = button->font();
        font.setPixelSize(24);
        font.setBold(true);
        button->setFont(font);
        button->resize(std::max(button->sizeHint().width(), 140), button->sizeHint().height());
        backdrop.resize(button->size());
        auto look = [&] {
            const QImage image = Render(backdrop);
            if (probe == Text)
                return CountPixels(image, [&](const QColor& seen) { return Near(seen, expected, 24); }) > 20;
            return Near(PixelAt(image, probe == Fill ? 0.05 : 0.0, 0.5), expected, probe == Fill ? 4 : 8);
        };
        QVERIFY(look());
        // Disabled, filled buttons lose their strong fill and text its colour.
        if (kind != UnificationButtonStyle::Outline && kind != UnificationButtonStyle::LightOutline) {
            button->setEnabled(false);
            QVERIFY(!look());
        }
    }

    void styledButtonsFollowTheirParentsFontAndSizeToTheirKind()
    {
        QWidget form;
        auto* ok = new QPushButton(QStringLiteral("OK"), &form);
        UnificationButtonStyle::ApplyGreenFilledButtonStyling(*ok);
        QFont font = form.font();
        font.setPixelSize(23);
        form.setFont(font);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(ok->font().pixelSize(), 23);

        // Paddings of the kind, not those of the platform style, and no forced minimum width.
        const int textWidth = ok->fontMetrics().size(Qt::TextShowMnemonic, QStringLiteral("OK")).width();
        const int kindWidth = textWidth + 2 * (ScaleForDpi(ok, 14) + 1);
        QCOMPARE(ok->sizeHint().width(), kindWidth);
        UnificationButtonStyle::ApplyTextButtonStyling(*ok);
        QVERIFY2(ok->sizeHint().width() < kindWidth, "restyling must drop the cached size hint");
    }

    void zelvarButtonOverridesAndPadding()
    {
        // Overrides survive a new look; clearing them returns to the look.
        ZelvarButton button(QStringLiteral("12 levels"));
        const QColor red = UnificationColors::Get().GetAttentionTextColor();
        button.SetOverrideColor(ZelvarButton::TextNormal, red);
        UnificationButtonStyle::ApplyGreyFilledButtonStyling(button);
        QCOMPARE(button.GetColor(ZelvarButton::TextNormal), red);
        button.ClearOverrideColors();
        QCOMPARE(button.GetColor(ZelvarButton::TextNormal),
            UnificationButtonStyle::GetLook(UnificationButtonStyle::GreyFilled).text[UnificationButtonLook::Normal]);

        // Minimal padding shrinks an image button down to the bare image.
        ZelvarButton image;
        image.setIcon(QIcon(QPixmap(16, 16)));
        image.setIconSize(QSize(16, 16));
        const QSize standard = image.sizeHint();
        image.SetPaddingMode(ZelvarButton::PaddingMode_Minimal);
        QVERIFY(image.sizeHint().width() < standard.width() && image.sizeHint().height() < standard.height());
        image.SetMinimalHorizontalPadding(0);
        image.SetMinimalVerticalPadding(0);
        image.SetDrawBorderEnabled(false);
        QCOMPARE(image.sizeHint(), QSize(16, 16));

        // A menu adds room for the drop arrow.
        const int withoutMenu = button.sizeHint().width();
        QMenu menu;
        button.setMenu(&menu);
        QVERIFY(button.sizeHint().width() >= withoutMenu + ScaleForDpi(&button, 8));
    }

    void iconsRenderForEveryKnownResource()
    {
        const std::vector<QtZelResourceId> ids = {
#define ZEL_RESOURCE(Name, Id, File) Id,
#include "host/doc/ResourceIds.inc"
#undef ZEL_RESOURCE
        };
        QVERIFY(!ids.empty());
        auto opaque = [](const QColor& c) { return c.alpha() > 0; };
        for (QtZelResourceId id : ids) {
            const TIcon icon(id);
            const QByteArray what = QByteArray::number(id);
            QVERIFY2(!icon.GetDefaultSize().isEmpty(), what.constData());
            // Something is drawn, and not just a filled square.
            const int drawn = CountPixels(icon.GetPixmap(QSize(16, 16)).toImage(), opaque);
            QVERIFY2(drawn > 16 && drawn < 16 * 16, what.constData());
            const QPixmap sharp = icon.GetPixmap(QSize(24, 24), 2.0);
            QCOMPARE(sharp.size(), QSize(48, 48));
            QCOMPARE(sharp.devicePixelRatio(), 2.0);
            QVERIFY2(CountPixels(QIcon(icon).pixmap(QSize(32, 32)).toImage(), opaque) > 32, what.constData());
        }
        for (const char* name : {"information", "question", "warning", "critical"}) {
            const TIcon icon
                = TIcon::FromResourcePath(QStringLiteral(":/zel/icons/msg-%1.svg").arg(QLatin1String(name)));
            QVERIFY2(!icon.GetPixmap(QSize(32, 32)).isNull(), name);
        }
    }

    void presenterGetsTheExactRequestsAndItsAnswersAreReturned()
    {
        ModalScript script;
        script.AnswerMessageBox(QMessageBox::Cancel);
        QWidget owner;
        QCOMPARE(Show(L"The name is taken.", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, &owner),
            QMessageBox::Cancel);
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        const MessageBoxRequest& request = script.MessageBoxes().front();
        QCOMPARE(request.text, QStringLiteral("The name is taken."));
        QCOMPARE(request.icon, QMessageBox::Warning);
        QCOMPARE(request.buttons, QMessageBox::StandardButtons(QMessageBox::Ok | QMessageBox::Cancel));
        QCOMPARE(request.defaultButton, QMessageBox::Cancel);
        QCOMPARE(request.modality, Qt::WindowModal);
        QCOMPARE(request.parent.data(), &owner);
        QCOMPARE(request.title, QGuiApplication::applicationDisplayName());

        // No buttons means OK; a dismissal (nothing scripted) answers NoButton.
        QCOMPARE(Show(L"x", QMessageBox::NoButton, QMessageBox::NoButton), QMessageBox::NoButton);
        QCOMPARE(script.MessageBoxes().back().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

        // A default the box does not offer is refused before asking; so is a scripted answer it did
        // not offer, which is a broken script rather than a user's choice.
        QVERIFY_EXCEPTION_THROWN(Show(L"x", QMessageBox::Ok, QMessageBox::Cancel), LogicException);
        QCOMPARE(script.MessageBoxes().size(), std::size_t(2));
        script.AnswerMessageBox(QMessageBox::Yes);
        QVERIFY_EXCEPTION_THROWN(Show(L"x", QMessageBox::Ok, QMessageBox::NoButton), LogicException);

        // Menus: the chosen action, or null when dismissed.
        TMenu menu;
        menu.addAction(QStringLiteral("First"));
        QAction* wanted = menu.AddMenu(TString(L"Orders"))->addAction(QStringLiteral("Region"));
        script.PickMenuItem(QStringLiteral("Orders/Region"));
        QCOMPARE(menu.exec(QPoint(40, 50)), wanted);
        QCOMPARE(script.Menus().back().Texts(), QStringList({"First", "Orders"}));
        QCOMPARE(script.Menus().back().globalPosition, QPoint(40, 50));
        QCOMPARE(script.Menus().back().at, QString());
        script.PickMenuItem(QString());
        QCOMPARE(menu.exec(QPoint(1, 2), wanted), static_cast<QAction*>(nullptr));
        QCOMPARE(script.Menus().back().at, QStringLiteral("Region"));
    }

    void scopedPresentersNestAndRestore()
    {
        // A script is a scoped presenter: each takes the boxes of its own scope, and the previous
        // presenter is back when it ends.
        IModalPresenter& original = GetModalPresenter();
        {
            ModalScript outer;
            {
                ModalScript inner;
                Show(L"inner", QMessageBox::Ok, QMessageBox::Ok);
                QCOMPARE(inner.MessageBoxes().size(), std::size_t(1));
                // Setting one returns the one it replaced; none is the default.
                QCOMPARE(SetModalPresenter(nullptr), static_cast<IModalPresenter*>(&inner));
                QCOMPARE(&GetModalPresenter(), &GetDefaultModalPresenter());
            }
            Show(L"outer", QMessageBox::Ok, QMessageBox::Ok);
            QCOMPARE(outer.MessageBoxes().size(), std::size_t(1));
        }
        QCOMPARE(&GetModalPresenter(), &original);

        // The default presenter shows a real box, with the default button green, and answers the click.
        QString seenText;
        bool defaultIsGreen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (auto* cancel = box ? qobject_cast<QPushButton*>(box->button(QMessageBox::Cancel)) : nullptr) {
                seenText = box->text();
                cancel->ensurePolished();
                defaultIsGreen = UnificationButtonStyle::GetStyling(*cancel) == UnificationButtonStyle::GreenFilled;
                cancel->click();
            }
        });
        QObject guard; // whatever happened above, no modal box outlives the test
        QTimer::singleShot(2000, &guard, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        QCOMPARE(Show(L"Delete the copy?", QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel),
            QMessageBox::Cancel);
        QCOMPARE(seenText, QStringLiteral("Delete the copy?"));
        QVERIFY(defaultIsGreen);
    }

    void signalBlockerRestoresThePreviousState()
    {
        QObject free;
        QObject alreadyBlocked;
        alreadyBlocked.blockSignals(true);
        auto* doomed = new QObject;
        {
            // An object listed twice ends as it began.
            QtSignalBlocker blocker {&free, &alreadyBlocked, doomed, &free};
            QVERIFY(free.signalsBlocked());
            {
                QtSignalBlocker nested(&free);
            }
            QVERIFY2(free.signalsBlocked(), "an inner blocker must not unblock an outer one");
            delete doomed; // the blocker skips it at the end
        }
        QVERIFY(!free.signalsBlocked());
        QVERIFY(alreadyBlocked.signalsBlocked());

        // An early Unblock ends the scope's effect once.
        {
            QtSignalBlocker blocker(&free);
            blocker.Unblock();
            QVERIFY(!free.signalsBlocked());
            free.blockSignals(true);
        }
        QVERIFY2(free.signalsBlocked(), "after Unblock the destructor must not touch the object again");
    }

    void computeGeometryCentresAndStaysInside_data()
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
        QTest::newRow("taller than the screen")
            << QSize(300, 1200) << QRect(100, 100, 300, 300) << screen << QRect(100, 0, 300, 800);
        QTest::newRow("second screen with a task bar")
            << QSize(200, 200) << QRect(1990, 10, 20, 20) << QRect(1000, 40, 1000, 760) << QRect(1800, 40, 200, 200);
    }

    void computeGeometryCentresAndStaysInside()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, anchor);
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        const QRect result = QtUtil::ComputeWidgetGeometry(size, anchor, available);
        QCOMPARE(result, expected);
        QVERIFY(available.contains(result));
    }

    void computeGeometryPlacesADialogOverItsParentOnScreen()
    {
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
    }
};

QTEST_MAIN(HostUiTest)
#include "HostUiTest.moc"
