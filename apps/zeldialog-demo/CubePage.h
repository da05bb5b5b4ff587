#pragma once

#include <QtWidgets/QWidget>

namespace Zel::Sim {
class OrdersCube;
}

// The demo's page about the simulated cube: each hierarchy with its levels, how many members sit
// at its top, its default member setting as the host holds it now, and the calculated members (or
// measures) applied to it. The tour shows it after each
// change of a default member. Reads the cube when made; a later change needs a new page.
class CubePage : public QWidget
{
    Q_OBJECT

public:
    explicit CubePage(Zel::Sim::OrdersCube& cube, QWidget* parent = nullptr);
    ~CubePage() override;
};
