#pragma once

#include "host/doc/StringTable.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QSize>
#include <QtCore/QString>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>

class QPainter;
class QRectF;

// An image of the host's icon resources. The images are vector drawings, so a TIcon renders
// sharply at any size and device pixel ratio; as a QIcon it renders on demand the same way.
// Copies are cheap (a path).
class ZELHOST_UI_EXPORT TIcon
{
public:
    TIcon() = default;
    // An id that the host does not know raises the logic exception.
    explicit TIcon(QtZelResourceId id);
    // The toolkit's own images that have no resource id (message box icons, arrows).
    static TIcon FromResourcePath(const QString& path);

    bool IsNull() const { return m_path.isEmpty(); }
    // 0 for a null icon or one made from a path.
    QtZelResourceId GetResourceId() const { return m_id; }
    const QString& GetPath() const { return m_path; }
    // The size the drawing was designed at; empty for a null icon.
    QSize GetDefaultSize() const;

    // A pixmap of `logicalSize` for a screen of the given device pixel ratio, the drawing centred
    // with its proportions kept. A null icon or an empty size gives a null pixmap.
    QPixmap GetPixmap(const QSize& logicalSize, qreal devicePixelRatio = 1.0) const;
    void Paint(QPainter& painter, const QRectF& target) const;

    QIcon ToQIcon() const;
    operator QIcon() const { return ToQIcon(); }

    friend bool operator==(const TIcon& a, const TIcon& b) { return a.m_path == b.m_path; }
    friend bool operator!=(const TIcon& a, const TIcon& b) { return a.m_path != b.m_path; }

private:
    QtZelResourceId m_id = 0;
    QString m_path;
};
