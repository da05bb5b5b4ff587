#pragma once

#include <QtGui/QColor>

// The colour of the showcase's links (Documentation, Back): the host's link colour preference.
QColor ShowcaseLinkColor();
