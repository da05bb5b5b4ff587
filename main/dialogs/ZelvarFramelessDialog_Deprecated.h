#pragma once

#include "host/ui/ZelvarDialog.h"
#include "main/ZelDialogExport.h"
#include "main/dialogs/FramelessResize.h"

#include <QtCore/QPoint>
#include <QtGui/QColor>

#include <memory>

class FramelessFrameController;

// The older frameless dialog frame, kept for the dialogs that still derive from it. It draws
// nothing of its own: the subclass builds the window from four widgets that it hands out through
// the getters (a title bar, a body, and a bottom and a right shadow strip; any may be null), and
// this class colours them, on first showing, from the user's preferences for non-modal dialogs.
// With both strips present the window is masked so that the strips look offset like a shadow.
//
// Dragging by the subclass's title bar and resizing by edges and corners work as in
// ZelvarFramelessDialog (an application event filter while shown, an override cursor that is
// always popped again), with the frame's own offsets: the last pixel column and the last two
// pixel rows are shadow and do not resize, and a drag of the right or bottom edge leaves room for
// the strips. Both directions are always resizable unless the size is fixed. The dialog owns a
// private controller of the kind ZelvarFramelessDialog owns, and gives it those differences.
class ZELDIALOG_EXPORT ZelvarFramelessDialog_Deprecated : public ZelvarDialog
{
public:
    using ResizeDirection = FramelessResize::Direction;

    explicit ZelvarFramelessDialog_Deprecated(QWidget* parent);
    ~ZelvarFramelessDialog_Deprecated() override;

    virtual QWidget* GetTitleBarWidget() const = 0;
    virtual QWidget* GetBodyWidget() const = 0;
    virtual QWidget* GetBottomShadowWidget() const = 0;
    virtual QWidget* GetRightShadowWidget() const = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void HandleBeforeShow(bool firstTime) override;

    virtual QColor GetTitleBarBackgroundColor() const;
    // The preference "nonmodaldialog.background.color".
    virtual QColor GetBackgroundColor() const;
    // The preference "nonmodaldialog.border.color".
    virtual QColor GetBorderColor() const;
    virtual QColor GetDropShadowColor() const;

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // `point` as a new top-left, moved up or down so that the title bar stays within the available
    // area of its screen; x is kept.
    QPoint SnapTopPointToScreen(const QPoint& point) const;

private:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    ResizeDirection GetResizeDirection(QPoint& pos) const;
    ResizeDirection GetResizeDirectionHelper(QPoint& topLeft, QPoint& bottomRight, QPoint& pos, int margin) const;
    Qt::CursorShape GetCursorType(ResizeDirection direction) const;
    void SetDragCursor(ResizeDirection direction);
    void ClearDragCursor();
    void ResizeGeometry(QPoint& pos);
    bool IsResizingDialog() const;

    // The resize and drag state; it gives back the application filter and cursor when it goes.
    std::unique_ptr<FramelessFrameController> m_frame;
};
