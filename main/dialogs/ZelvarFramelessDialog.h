#pragma once

#include "host/ui/ZelvarDialog.h"
#include "main/ZelDialogExport.h"
#include "main/dialogs/FramelessResize.h"

#include <QtCore/QPoint>
#include <QtCore/QPointer>

#include <memory>

class FramelessFrameController;
class QAbstractButton;
class UnificationStyleApplicator;

namespace Ui {
class ZelvarFramelessDialog;
}

// A dialog that draws its own frame: a title bar (the window title, or a caller's title widget,
// and a close button that rejects), a content area that the subclass fills with SetContentWidget,
// a soft shadow to the right and below (drawn inside the window, in the margin of the dialog's own
// layout), dragging by the title bar, and resizing by any edge or corner with the matching cursor.
//
// While shown, the dialog watches the mouse events of the whole application (an event filter on
// the application object, never consuming an event): edges are found from where the mouse is,
// whichever widget it is over, and the resize cursor is an application override cursor. The dialog
// pops the cursor it pushed on release, on hide and when destroyed, so none is ever left behind.
// That behaviour and its state live in a private controller that the dialog owns (the legacy frame
// has one of its own); the dialog's handlers pass their events to it.
//
// The content and title widgets become children of the dialog; a replaced one is deleted later
// (deleteLater), since it may be the sender of the signal that is replacing it.
class ZELDIALOG_EXPORT ZelvarFramelessDialog : public ZelvarDialog
{
    Q_OBJECT

public:
    using ResizeDirection = FramelessResize::Direction;

    ZelvarFramelessDialog(QWidget* parent, bool styleAll);
    ~ZelvarFramelessDialog() override;

    // Gives `widget` the title-bar colour as its Window role. Null raises the logic exception.
    static void ApplyFramelessDialogTitleBarPalette(QWidget* widget);

    // Null clears the content area. Setting the current widget again changes nothing.
    void SetContentWidget(QWidget* widget);
    // Null brings the window title back.
    void SetTitleWidget(QWidget* widget);
    // Hides the whole title bar, close button included; the dialog then cannot be dragged.
    void HideTitleWidget();
    QWidget* GetTitleBar() const;
    QAbstractButton* GetCloseButton() const;

    // The dialog takes the size its content asks for and cannot be resized by the user.
    void SetSizeConstraintFixed();
    // Sizes the dialog so that the visible frame, without the shadow band, is width x height.
    virtual void ResizeDialog(int width, int height);

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void AllowHorizontalResize(bool allow);
    void AllowVerticalResize(bool allow);
    bool IsResizingDialog() const;
    // `point` as a new top-left of the dialog, moved up or down so that the title bar stays within
    // the available area of its screen; x is kept.
    QPoint SnapTopPointToScreen(const QPoint& point) const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    ResizeDirection GetResizeDirection(QPoint& pos) const;
    ResizeDirection GetResizeDirectionHelper(QPoint& topLeft, QPoint& bottomRight, QPoint& pos, int margin) const;
    Qt::CursorShape GetCursorType(ResizeDirection direction) const;
    void SetDragCursor(ResizeDirection direction);
    void ClearDragCursor();
    void ResizeGeometry(QPoint& pos);
    void SetDropShadow();

    // Guarded: a caller may delete its widget itself.
    QPointer<QWidget> m_titleWidget;
    QPointer<QWidget> m_contentWidget;
    std::unique_ptr<UnificationStyleApplicator> m_styleApplicator;
    std::unique_ptr<Ui::ZelvarFramelessDialog> m_ui;
    // Declared last, so that it gives back the application filter and cursor first.
    std::unique_ptr<FramelessFrameController> m_frame;
};
