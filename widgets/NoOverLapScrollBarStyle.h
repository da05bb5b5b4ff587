#pragma once

#include "host/ui/UnificationStyle.h"
#include "main/ZelDialogExport.h"

// The flat look for a scroll bar that must not lie over the view it scrolls: it answers a scroll
// bar overlap of one pixel, so the view keeps its last column clear of the bar. Everything else is
// UnificationStyle's.
//
// Set on one scroll bar (QWidget::setStyle does not take ownership); it must outlive that scroll
// bar.
class ZELDIALOG_EXPORT NoOverLapScrollBarStyle : public UnificationStyle
{
    Q_OBJECT

public:
    NoOverLapScrollBarStyle();
    ~NoOverLapScrollBarStyle() override;

    int pixelMetric(
        PixelMetric metric, const QStyleOption* option = nullptr, const QWidget* widget = nullptr) const override;
};
