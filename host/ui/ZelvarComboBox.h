#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QComboBox>

class QAbstractItemModel;

// The toolkit's drop-down list. It paints itself in one of three looks and lists its items in a
// flat pop-up with a hover highlight. The current item's text is elided to fit (on the right unless
// set otherwise).
//
// Looks: CBL_Native leaves painting to the widget style; CBL_Unification (the default) is a white
// field with a light rounded border, a blue one with keyboard focus, and a chevron; CBL_Lightweight
// is a line under the text and the chevron, for combo boxes inside other controls.
class ZELHOST_UI_EXPORT ZelvarComboBox : public QComboBox
{
    Q_OBJECT

public:
    enum ComboBoxLook : int
    {
        CBL_Native = 0,
        CBL_Unification = 1,
        CBL_Lightweight = 2,
    };

    explicit ZelvarComboBox(QWidget* parent = nullptr);

    // A look outside the enum raises the logic exception.
    virtual void SetComboBoxLook(int look);
    int GetComboBoxLook() const { return m_look; }

    // QComboBox selects the first item of a new model; with selectFirstItem false nothing is selected
    // (and no change is signalled), so that the owner of the model can select the item it means.
    void setModel(QAbstractItemModel* model, bool selectFirstItem);
    void setModel(QAbstractItemModel* model) { setModel(model, true); }

    void setTextElideMode(Qt::TextElideMode mode);
    Qt::TextElideMode textElideMode() const { return m_elideMode; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Runs after every model change made through setModel.
    virtual void HandleModelChanged() { }

    // The area left of the chevron, where the current text (or an editor) goes.
    QRect GetTextRect() const;
    QRect GetArrowRect() const;
    // The field shape, border and chevron of the look, without the text.
    void PaintFrame(QPainter& painter) const;
    // Puts the line edit of an editable combo box over the text area of the look.
    void UpdateEditorGeometry();

private:
    int m_look = CBL_Unification;
    Qt::TextElideMode m_elideMode = Qt::ElideRight;
    bool m_hovered = false;
};
