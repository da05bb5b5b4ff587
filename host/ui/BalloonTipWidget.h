#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

class QGraphicsOpacityEffect;
class QTimer;
class QVariantAnimation;
class QVBoxLayout;

// A speech balloon that points at one spot: a white rounded body with a soft shadow and a tail whose
// tip is on the spot. Subclasses fill GetContentLayout().
//
// By default the balloon is a child widget, drawn inside its parent. In floating tooltip mode it is a
// window of its own above everything, like a tooltip: it passes the mouse through, and it fades out
// by itself when the pointer leaves the anchor widget, on a click or key press anywhere, when the
// anchor hides, or after a while.
class ZELHOST_UI_EXPORT BalloonTipWidget : public QWidget
{
    Q_OBJECT

public:
    explicit BalloonTipWidget(QWidget* parent = nullptr);
    ~BalloonTipWidget() override;

    void SetEnabledFloatingTooltipMode(bool enabled);
    bool IsFloatingTooltipModeEnabled() const { return m_floating; }

    // Shows the balloon (at once, fully opaque) with its tail on `globalTarget`: the body above the
    // spot when `above` is true, below it otherwise; a side without room on the screen is swapped
    // for the other. `anchor` is the widget the balloon is about (null: none); while floating, the
    // balloon goes when the pointer leaves it. Showing again moves the balloon and restarts its time.
    void ShowTip(const QPoint& globalTarget, bool above, QWidget* anchor);
    // Fades the balloon out and then hides it; nothing happens while it is hidden.
    void FadeOutToHide();

    bool IsFadingOut() const;
    // Where the tail points, in global coordinates, and on which side of the spot the body is.
    QPoint GetTargetPoint() const { return m_target; }
    bool IsAboveTarget() const { return m_above; }
    QWidget* GetAnchorWidget() const { return m_anchor; }

    // How long a floating balloon stays without being shown again (0: until something hides it).
    void SetAutoHideDelay(int milliseconds);

signals:
    void TipHidden();

protected:
    QVBoxLayout* GetContentLayout() const { return m_contentLayout; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    class Frame;

    void Place();
    void WatchForDismissal(bool watch);
    void SetOpacity(qreal opacity);

    Frame* m_frame = nullptr;
    QVBoxLayout* m_contentLayout = nullptr;
    QGraphicsOpacityEffect* m_opacity = nullptr;
    QVariantAnimation* m_fade = nullptr;
    QTimer* m_autoHide = nullptr;
    QPointer<QWidget> m_anchor;
    QPoint m_target;
    bool m_above = true;
    bool m_floating = false;
    bool m_watching = false;
};
