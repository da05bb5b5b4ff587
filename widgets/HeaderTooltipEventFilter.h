#pragma once

#include "main/ZelDialogExport.h"

#include <QtCore/QObject>
#include <QtCore/QPoint>

// Reports where the mouse hovers over the widget it is installed on (a table's header), in that
// widget's coordinates: on entering and on every move. Leaving is not reported. Events pass on
// untouched.
class ZELDIALOG_EXPORT HeaderTooltipEventFilter : public QObject
{
    Q_OBJECT

public:
    explicit HeaderTooltipEventFilter(QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void HeaderTooltip(const QPoint& pos);
};
